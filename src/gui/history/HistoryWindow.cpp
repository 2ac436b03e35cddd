// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistoryWindow.h"

#include "common/Dialogs.h"
#include "common/EscapeKey.h"
#include "common/UnsavedWork.h"
#include "draw/DrawFairness.h"
#include "history/ClassHistory.h"
#include "history/StudentColumns.h"
#include "history/TermStart.h"
#include "net/ServiceEndpoints.h"
#include "workbook/WorkbookFiles.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace ordalis {

namespace {

// Names under the bars stand upright from this many students on.
constexpr qsizetype UprightNamesFrom = 10;
constexpr qint64 MostDayLabels = 8; // under the scores, so that dates never run together

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A cell that sorts by its number, not by its text.
QTableWidgetItem* numberCell(double value) {
    auto* item = new QTableWidgetItem;
    item->setData(Qt::DisplayRole, value);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

} // namespace

HistoryWindow::HistoryWindow(ServiceEndpoints& service, Sources sources, const QString& settingsIni,
                             QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_service(service)
    , m_sources(std::move(sources))
    , m_settingsIni(settingsIni)
    , m_period(named(new QComboBox(this), "cboPeriod"))
    , m_termStart(named(new QDateEdit(this), "dtpTermStart"))
    , m_from(named(new QDateEdit(this), "dtpFrom"))
    , m_to(named(new QDateEdit(this), "dtpTo"))
    , m_search(named(new QLineEdit(this), "txtSearch"))
    , m_refresh(named(new QPushButton(QStringLiteral("刷新"), this), "cmdRefresh"))
    , m_absentButton(named(new QPushButton(QStringLiteral("缺席"), this), "cmdAbsent"))
    , m_export(named(new QPushButton(QStringLiteral("导出"), this), "cmdExport"))
    , m_offline(named(new QLabel(QStringLiteral("未连接成绩服务，只显示本机待上传的记录"), this),
                      "lblOffline"))
    , m_table(named(new QTableWidget(this), "tblHistory"))
    , m_fairness(named(new QLabel(this), "lblFairness"))
    , m_spread(named(new QLabel(this), "lblCallSpread"))
    , m_student(named(new QComboBox(this), "cboStudent")) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("课堂记录"));
    resize(1000, 680);

    for (const HistoryPeriod period :
         {HistoryPeriod::Lesson, HistoryPeriod::Week, HistoryPeriod::Month, HistoryPeriod::Term,
          HistoryPeriod::Dates})
        m_period->addItem(periodName(period), int(period));
    m_period->setCurrentIndex(3);
    // Every period's name in full, in the box and in its list.
    m_period->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_period->view()->setTextElideMode(Qt::ElideNone);
    const QDate today = QDate::currentDate();
    m_termStart->setDate(readTermStart(m_settingsIni, today));
    for (QDateEdit* edit : {m_termStart, m_from, m_to}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    m_from->setDate(today.addDays(-7));
    m_to->setDate(today);
    m_search->setPlaceholderText(QStringLiteral("姓名或拼音首字母"));
    m_search->setClearButtonEnabled(true);

    m_table->setColumnCount(StudentColumns::Count);
    for (int column = 0; column < StudentColumns::Count; ++column)
        m_table->setHorizontalHeaderItem(column,
                                         new QTableWidgetItem(StudentColumns::header(column)));
    m_absentButton->setToolTip(
        QStringLiteral("选中的学生今天缺席：不参加抽取、拼音点名和手动点名；再点一次取消"));
    m_export->setToolTip(
        QStringLiteral("把这个时段的学生汇总和全部计分保存为Excel工作簿或CSV文件"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setSortingEnabled(true);
    m_fairness->setWordWrap(true);
    QFont sentence = m_fairness->font();
    sentence.setPointSizeF(sentence.pointSizeF() * 1.3);
    m_fairness->setFont(sentence);
    buildCharts();

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("时段："), this));
    controls->addWidget(m_period);
    controls->addWidget(new QLabel(QStringLiteral("学期开始："), this));
    controls->addWidget(m_termStart);
    controls->addWidget(new QLabel(QStringLiteral("从"), this));
    controls->addWidget(m_from);
    controls->addWidget(new QLabel(QStringLiteral("到"), this));
    controls->addWidget(m_to);
    controls->addStretch();
    controls->addWidget(m_search);
    controls->addWidget(m_absentButton);
    controls->addWidget(m_export);
    controls->addWidget(m_refresh);

    auto* fairnessColumn = new QVBoxLayout;
    fairnessColumn->addWidget(m_fairnessChart, 1);
    fairnessColumn->addWidget(m_fairness);
    auto* scoresColumn = new QVBoxLayout;
    auto* studentRow = new QHBoxLayout;
    studentRow->addWidget(new QLabel(QStringLiteral("成绩变化："), this));
    studentRow->addWidget(m_student, 1);
    scoresColumn->addLayout(studentRow);
    scoresColumn->addWidget(m_scoresChart, 1);
    auto* charts = new QHBoxLayout;
    charts->addLayout(fairnessColumn, 3);
    charts->addLayout(scoresColumn, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_offline);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_spread);
    layout->addLayout(charts, 1);

    m_gate.guard({m_refresh, m_period, m_termStart, m_from, m_to});
    const auto datesShown = [this] {
        const bool dates = m_period->currentData().toInt() == int(HistoryPeriod::Dates);
        m_from->setEnabled(dates);
        m_to->setEnabled(dates);
    };
    datesShown();
    connect(m_period, &QComboBox::currentIndexChanged, this, [this, datesShown] {
        datesShown();
        reload();
    });
    connect(m_termStart, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        QSettings settings(m_settingsIni, QSettings::IniFormat);
        settings.setValue(TermStartKey, date);
        UnsavedWork::tellIfFailed(this, QStringLiteral("学期开始日期"), syncSettings(settings),
                                  QStringLiteral("本次仍按这个日期统计。"));
    });
    connect(m_termStart, &QDateEdit::editingFinished, this, &HistoryWindow::reload);
    connect(m_from, &QDateEdit::editingFinished, this, &HistoryWindow::reload);
    connect(m_to, &QDateEdit::editingFinished, this, &HistoryWindow::reload);
    connect(m_refresh, &QPushButton::clicked, this, &HistoryWindow::reload);
    connect(m_absentButton, &QPushButton::clicked, this, &HistoryWindow::toggleAbsent);
    connect(m_export, &QPushButton::clicked, this, &HistoryWindow::exportWorkbook);
    connect(m_search, &QLineEdit::textChanged, this, &HistoryWindow::fillTable);
    connect(m_student, &QComboBox::currentIndexChanged, this, &HistoryWindow::fillScores);
    onEscape(this, [this] { close(); });
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::buildCharts() {
    for (QChartView** view : {&m_fairnessChart, &m_scoresChart}) {
        auto* chart = new QChart;
        chart->legend()->setAlignment(Qt::AlignBottom);
        chart->setMargins(QMargins(4, 4, 4, 4));
        *view = new QChartView(chart, this);
        (*view)->setRenderHint(QPainter::Antialiasing);
        (*view)->setMinimumHeight(220);
    }
    m_fairnessChart->setObjectName(QStringLiteral("chartFairness"));
    m_scoresChart->setObjectName(QStringLiteral("chartScores"));
}

void HistoryWindow::showClass(const QString& className) {
    m_className = className;
    setWindowTitle(className.isEmpty() ? QStringLiteral("课堂记录")
                                       : QStringLiteral("课堂记录 - ") + className);
    reload();
}

void HistoryWindow::reload() {
    const auto period = HistoryPeriod(m_period->currentData().toInt());
    const DateRange range = periodRange(period, QDate::currentDate(), m_termStart->date(),
                                        m_from->date(), m_to->date());
    auto history = std::make_unique<ClassHistory>(
        m_className, m_className.isEmpty() ? QStringList() : m_sources.roster(m_className), range);
    const bool online = m_sources.online && m_sources.online();
    m_offline->setVisible(!online);
    if (!m_className.isEmpty() && online) {
        QString calls;
        QString scores;
        if (!m_gate.run([&] {
                // Read as before: a period the service does not answer for shows no calls.
                calls = m_service.getCalls(m_className, range.from, range.to).valueOr(QString());
                scores = m_service.getScores(m_className);
            }))
            return; // a reading is under way: its answer fills the window
        history->addServiceCalls(calls);
        history->addServiceScores(scores);
    }
    history->addPendingCalls(m_sources.pendingCalls());
    history->addPendingScores(m_sources.pendingScores(),
                              m_sources.pendingTopic ? m_sources.pendingTopic() : QString());
    m_history = std::move(history);

    const QString chosen = m_student->currentText();
    {
        const QSignalBlocker quiet(m_student);
        m_student->clear();
        m_student->addItem(QStringLiteral("全班"));
        for (const StudentHistory& student : m_history->students())
            m_student->addItem(student.name);
        m_student->setCurrentIndex(std::max(0, m_student->findText(chosen)));
    }
    fillTable();
    fillFairness();
    fillScores();
    m_spread->setText(callSpreadSentence(m_history->students(), m_period->currentText()));
}

void HistoryWindow::fillTable() {
    if (!m_history)
        return;
    const QStringList absent =
        m_sources.absent ? m_sources.absent(m_className, QDate::currentDate()) : QStringList();
    m_table->setSortingEnabled(false);
    m_table->setRowCount(0);
    for (const StudentHistory& student : m_history->students()) {
        if (!matchesSearch(student.name, m_search->text()))
            continue;
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        using enum StudentColumns::Column;
        m_table->setItem(row, Name, new QTableWidgetItem(student.name));
        m_table->setItem(row, Calls, numberCell(student.calls));
        m_table->setItem(row, Scores, numberCell(student.scores));
        m_table->setItem(row, Total, numberCell(student.total));
        m_table->setItem(row, Mean, numberCell(std::round(student.mean() * 100) / 100));
        m_table->setItem(row, LastCalled, new QTableWidgetItem(student.lastCalled));
        m_table->setItem(row, Today,
                         new QTableWidgetItem(absent.contains(student.name) ? QStringLiteral("缺席")
                                                                            : QString()));
    }
    m_table->setSortingEnabled(true);
}

void HistoryWindow::toggleAbsent() {
    const int row = m_table->currentRow();
    if (row < 0 || m_className.isEmpty() || !m_sources.setAbsent)
        return;
    const QString name = m_table->item(row, StudentColumns::Name)->text();
    QTableWidgetItem* today = m_table->item(row, StudentColumns::Today);
    const bool absent = today->text().isEmpty();
    m_sources.setAbsent(m_className, name, absent);
    today->setText(absent ? QStringLiteral("缺席") : QString());
    fillFairness(); // today's draws are judged among those present
}

void HistoryWindow::exportWorkbook() {
    if (!m_history || m_className.isEmpty())
        return;
    const workbook::ClassWorkbook book = m_history->workbook();
    QString path =
        dialogs::saveFileName(this, QStringLiteral("导出课堂记录"),
                              QStringLiteral("Excel 工作簿(*.xlsx)|*.xlsx|CSV 文件(*.csv)|*.csv"),
                              workbook::fileName(book, QStringLiteral("xlsx")));
    if (path.isEmpty())
        return;
    const bool csv = QFileInfo(path).suffix().compare(u"csv", Qt::CaseInsensitive) == 0;
    if (!csv && QFileInfo(path).suffix().compare(u"xlsx", Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".xlsx");
    const Expected<QByteArray> bytes =
        csv ? Expected<QByteArray>(workbook::toCsv(book)) : workbook::toXlsx(book);
    // Written whole or not at all: a file that was there stays as it was on a failure.
    QSaveFile file(path);
    if (!bytes || !file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() ||
        !file.commit()) {
        dialogs::showMessage(
            this, QStringLiteral("错误"),
            QStringLiteral("无法保存“%1”：%2").arg(path, bytes ? file.errorString() : bytes.why()),
            dialogs::Icon::Warning);
        return;
    }
    dialogs::showMessage(this, QStringLiteral("完成"),
                         QStringLiteral("已导出%1名学生和%2条计分：%3")
                             .arg(book.students.size())
                             .arg(book.scores.size())
                             .arg(path),
                         dialogs::Icon::Information);
}

void HistoryWindow::fillFairness() {
    if (!m_history)
        return;
    const QList<StudentHistory> students = m_history->students();
    const ClassHistory::DrawCounts counts = m_history->drawCounts([this](const QDate& day) {
        return m_sources.absent ? m_sources.absent(m_className, day) : QStringList();
    });
    QStringList names;
    for (const StudentHistory& student : students)
        names << student.name;
    const FairnessTest test = testFairness(counts.calls, counts.expected);
    m_fairness->setText(fairnessSentence(test, m_period->currentText(), names) +
                        QStringLiteral("（只计“所有”中的抽取：“未点”等类别和手动点名本来就不均匀；"
                                       "缺席的学生当天不计）"));

    QChart* chart = m_fairnessChart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    // Many names stand upright under their bars, in full: a name cut to "…" tells nobody who
    // it is. Qt Charts hides an upright label at either end of the axis, so an empty place
    // stands at each end.
    const bool upright = names.size() > UprightNamesFrom;
    const qsizetype first = upright ? 1 : 0;
    auto* drawn = new QBarSet(QStringLiteral("被抽中次数"));
    // The expected count of each student as a step over its bar.
    auto* expected = new QLineSeries;
    expected->setName(QStringLiteral("均匀抽取应有的次数"));
    double highest = 1;
    if (upright)
        *drawn << 0;
    for (qsizetype i = 0; i < students.size(); ++i) {
        const int calls = counts.calls.value(i);
        const double fair = counts.expected.value(i);
        const auto at = double(first + i);
        *drawn << calls;
        *expected << QPointF(at - 0.5, fair) << QPointF(at + 0.5, fair);
        highest = std::max({highest, double(calls), fair});
    }
    connect(drawn, &QBarSet::hovered, m_fairnessChart,
            [this, names, counts, first](bool on, int place) {
                const qsizetype i = place - first;
                if (on && i >= 0 && i < names.size())
                    QToolTip::showText(
                        QCursor::pos(),
                        drawCountText(names[i], counts.calls.value(i), counts.expected.value(i)),
                        m_fairnessChart);
                else
                    QToolTip::hideText();
            });
    auto* bars = new QBarSeries;
    bars->append(drawn);
    chart->addSeries(bars);
    chart->addSeries(expected);
    auto* categories = new QBarCategoryAxis;
    if (upright) {
        *drawn << 0;
        // Categories are unique: the two empty places differ in their spaces.
        categories->append(QStringList{QStringLiteral(" ")} + names +
                           QStringList{QStringLiteral("  ")});
    } else {
        categories->append(names);
    }
    categories->setLabelsAngle(upright ? -90 : 0);
    categories->setTruncateLabels(!upright);
    if (upright) {
        // An upright name is a line of text across its place: the type is made no taller than
        // a place is wide, so that neighbours do not run into each other.
        const QFont designed = categories->labelsFont();
        const auto fit = [categories, designed](const QRectF& plot) {
            QFont font = designed;
            const double place = plot.width() / std::max<qsizetype>(1, categories->count());
            const int designedPixels = QFontMetrics(designed).height();
            font.setPixelSize(std::clamp(int(place * 0.9), 6, std::max(6, designedPixels)));
            if (font != categories->labelsFont())
                categories->setLabelsFont(font);
        };
        connect(chart, &QChart::plotAreaChanged, categories, fit);
        fit(chart->plotArea());
    }
    chart->addAxis(categories, Qt::AlignBottom);
    bars->attachAxis(categories);
    auto* hidden = new QValueAxis;
    hidden->setRange(-0.5, double(categories->count()) - 0.5);
    hidden->setVisible(false);
    chart->addAxis(hidden, Qt::AlignTop);
    expected->attachAxis(hidden);
    auto* value = new QValueAxis;
    const double top = highest * 1.15;
    value->setRange(0, top);
    // Whole counts only: one tick per draw for a few, fewer for many.
    value->setTickType(QValueAxis::TicksDynamic);
    value->setTickAnchor(0);
    value->setTickInterval(std::max(1.0, std::ceil(top / 6)));
    value->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(value, Qt::AlignLeft);
    bars->attachAxis(value);
    expected->attachAxis(value);
}

void HistoryWindow::fillScores() {
    if (!m_history)
        return;
    QChart* chart = m_scoresChart->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    const QString student = m_student->currentIndex() > 0 ? m_student->currentText() : QString();
    QList<std::pair<QString, QMap<QDate, double>>> lines;
    if (!student.isEmpty())
        lines.append({student, m_history->meanByDate(student)});
    lines.append({QStringLiteral("全班平均"), m_history->meanByDate()});
    QDate first;
    QDate last;
    for (const auto& line : std::as_const(lines))
        if (!line.second.isEmpty()) {
            first =
                first.isValid() ? std::min(first, line.second.firstKey()) : line.second.firstKey();
            last = last.isValid() ? std::max(last, line.second.lastKey()) : line.second.lastKey();
        }
    if (!first.isValid())
        first = last = QDate::currentDate();
    // Days are counted from the first: each point stands on its day's label, whatever the
    // time zone.
    const qint64 days = first.daysTo(last);
    auto* time = new QCategoryAxis;
    time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    time->setStartValue(-1);
    const qint64 every = days / MostDayLabels + 1;
    for (qint64 day = 0; day <= days; day += every)
        time->append(first.addDays(day).toString(QStringLiteral("MM-dd")), double(day));
    time->setRange(-1, double(days) + 1);
    auto* value = new QValueAxis;
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(value, Qt::AlignLeft);
    double lowest = 0;
    double highest = 5;
    for (const auto& [name, means] : lines) {
        auto* series = new QLineSeries;
        series->setName(name);
        series->setPointsVisible(true);
        for (auto it = means.cbegin(); it != means.cend(); ++it) {
            series->append(double(first.daysTo(it.key())), *it);
            lowest = std::min(lowest, *it);
            highest = std::max(highest, *it);
        }
        chart->addSeries(series);
        series->attachAxis(time);
        series->attachAxis(value);
    }
    // Room above the highest mean, so that its point is not cut at the chart's edge, and ticks
    // on round numbers.
    value->setRange(lowest, highest + (highest - lowest) * 0.1);
    value->applyNiceNumbers();
}

} // namespace ordalis
