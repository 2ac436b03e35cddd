// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "common/UnsavedWork.h"
#include "draw/DrawController.h"
#include "draw/DrawEngine.h"
#include "draw/DrawPanel.h"
#include "draw/LayoutController.h"
#include "draw/TurnsController.h"
#include "layout/MainLayout.h"
#include "pinyin/GroupsController.h"
#include "pinyin/ManualPanel.h"
#include "pinyin/ManualPanelTabs.h"
#include "pinyin/QuickPickController.h"
#include "scoring/ScoringController.h"
#include "scoring/UploadPanel.h"
#include "session/MainWindowKeyHandler.h"
#include "wire/CallLine.h"
#include "wire/ScoreLine.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QShortcut>
#include <QStatusBar>

namespace ordalis {

namespace {
constexpr QPoint ManualPanelAt{100, 100};
constexpr int StandardHintMs = 5000;
constexpr int TakenBackMs = 10000;
} // namespace

MainWindow::MainWindow(const DataFolder& folder, Session& session, QWidget* parent)
    : QMainWindow(parent)
    , m_folder(folder)
    , m_session(session)
    , m_record(folder.recordFile())
    , m_absent(folder.filePath(QStringLiteral("absent.ini"))) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ordalis"));
    buildWindow();
    connectControllers();
    startUp();
}

void MainWindow::setRecordDownloader(std::function<void()> downloader) {
    m_downloader = std::move(downloader);
}

void MainWindow::setClock(std::function<QDateTime()> clock) {
    m_scoring->setClock(std::move(clock));
}

void MainWindow::setCloseCheck(std::function<bool()> mayClose) {
    m_mayClose = std::move(mayClose);
}

void MainWindow::showPendingCalls(qsizetype count) {
    m_pendingCalls->setText(QStringLiteral("点名待上传：%1次").arg(count));
    m_pendingCalls->setVisible(count > 0);
}

void MainWindow::showScoreTakenBack(const QString& scoreLine) {
    const ScoreLine score = ScoreLine::fromText(scoreLine);
    statusBar()->showMessage(QStringLiteral("已撤销：%1 %2 %3")
                                 .arg(score.student, score.score, score.time.section(u' ', 1)),
                             TakenBackMs);
    m_scoring->scoreTakenBack(scoreLine);
}

QStringList MainWindow::studentsOf(const QString& className) const {
    QStringList names;
    for (const StudentEntry& student : m_record.readClassRoster(className).students)
        names << student.name;
    return names;
}

MainWindow::ClassToday MainWindow::classToday(const QString& className) const {
    ClassToday today{.present = m_record.readClassRoster(className)};
    for (const StudentEntry& student : today.present.students)
        today.everyone << student.name;
    for (const QString& name : absentToday(className))
        if (today.everyone.contains(name))
            today.absent << name;
    today.present.students.removeIf(
        [&today](const StudentEntry& student) { return today.absent.contains(student.name); });
    return today;
}

QStringList MainWindow::absentToday(const QString& className) const {
    return absentOn(className, QDate::currentDate());
}

QStringList MainWindow::absentOn(const QString& className, const QDate& day) const {
    return m_absent.names(m_session.userName, className, day);
}

void MainWindow::markAbsent(const QString& className, const QString& name, bool absent) {
    UnsavedWork::tellIfFailed(
        this, QStringLiteral("缺席标记"),
        m_absent.set(m_session.userName, className, name, absent, QDate::currentDate()),
        QStringLiteral("程序重新启动后，这个标记可能不会保留。"));
    if (className != m_chosenClass)
        return;
    // A rolling draw keeps its names until it stops; the lists follow then.
    if (m_draw->isRolling())
        m_absenceChangedWhileRolling = true;
    else
        refreshPresentStudents();
}

void MainWindow::refreshPresentStudents() {
    m_absenceChangedWhileRolling = false;
    const ClassToday today = classToday(m_chosenClass);
    const ClassSorting sorting = sortClass(today.present);
    m_draw->refreshKinds(sorting.kinds);
    m_turns->showStanding();
    // A class without students has nothing to draw: the board says where they are added.
    m_drawPanel->setBoardHint(!m_chosenClass.isEmpty() && today.everyone.isEmpty()
                                  ? QStringLiteral("本班还没有学生，请在后台添加")
                                  : QString());
    m_quickPick->setClass(m_chosenClass, sorting.kinds[AllStudents], today.absent);
    if (!m_groups->hasUnsentArrangement()) // a mark of absence keeps what was arranged
        m_groups->setGroups(sorting.groups);
    if (m_manualPanel->isVisible())
        showManualTab(m_manualPanel->currentTab());
}

QString MainWindow::chosenClass() const {
    return m_scoring->className();
}

const GroupLists& MainWindow::groups() const {
    return m_groups->groups();
}

bool MainWindow::hasUnsentGroups() const {
    return m_groups->hasUnsentArrangement();
}

void MainWindow::groupsSent() {
    m_groups->arrangementSent();
}

void MainWindow::buildWindow() {
    const TwipsPlacer placer = TwipsPlacer::forWidget(this);
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("clientArea"));
    area->setMinimumSize(0, 0);
    setCentralWidget(area);
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);
    auto* pendingCount = new QLabel(bar);
    pendingCount->setObjectName(QStringLiteral("PendingCount"));
    pendingCount->setToolTip(QStringLiteral("等待上传的成绩"));
    bar->addPermanentWidget(pendingCount);
    m_pendingCalls = new QLabel(bar);
    m_pendingCalls->setObjectName(QStringLiteral("PendingCalls"));
    m_pendingCalls->setToolTip(QStringLiteral("等待上传的点名记录"));
    m_pendingCalls->hide();
    bar->addPermanentWidget(m_pendingCalls);
    auto* unsavedMark = new QLabel(bar);
    unsavedMark->setObjectName(QStringLiteral("UnsavedMark"));
    bar->addPermanentWidget(unsavedMark);
    m_unsaved = new UnsavedWork(this, unsavedMark);

    m_drawPanel = new DrawPanel(area);
    m_drawPanel->placeDesigned(placer);

    const QSize window = layout::fullWindowSize(DrawPanel::DesignSize);
    const QSize manual(window.width() - 2 * ManualPanelAt.x(),
                       DrawPanel::DesignSize.height() - ManualPanelAt.y());
    m_manualPanel = new ManualPanel(area);
    m_manualPanel->placeDesigned(placer, manual);
    m_manualPanel->hide();
    m_uploadPanel = new UploadPanel(area);
    m_uploadPanel->placeDesigned(placer, QSize(window.width(), DrawPanel::DesignSize.height()));
    m_uploadPanel->hide();
    const auto showPendingCount = [this, pendingCount] {
        pendingCount->setText(
            QStringLiteral("待上传：%1").arg(m_uploadPanel->pendingLines().size()));
    };
    connect(m_uploadPanel, &UploadPanel::pendingChanged, pendingCount, showPendingCount);
    showPendingCount();

    // The controls of this window that send or change data, held while a request waits.
    for (QWidget* control : m_uploadPanel->dataControls())
        m_requestGate.guard(control);
    m_requestGate.guard(m_manualPanel->groupUploadButton());

    m_draw = new DrawController(m_drawPanel, this);
    m_scoring = new ScoringController(m_drawPanel, m_record, m_folder, m_session, *m_unsaved, this);
    m_quickPick = new QuickPickController(m_drawPanel->quickPickBox(), m_drawPanel->quickPickList(),
                                          m_record, m_drawPanel->placer(), this);
    m_groups = new GroupsController(m_manualPanel, this);
    m_layout = new LayoutController(this, m_drawPanel, this);
    m_turns = new TurnsController(m_drawPanel, m_draw, m_requestGate, m_session,
                                  m_folder.filePath(QStringLiteral("history.ini")),
                                  m_folder.filePath(QStringLiteral("turns.ini")), this);
    new MainWindowKeyHandler(this, m_drawPanel, m_draw, m_layout, this);
}

void MainWindow::connectControllers() {
    DrawPanel* d = m_drawPanel;
    connect(d, &DrawPanel::categoryClicked, this, [this](int button) {
        if (button == ManualButton)
            showManualPanel();
    });
    connect(d, &DrawPanel::classChosen, this, &MainWindow::chooseClass);
    connect(d, &DrawPanel::topicChanged, this, [this](const QString& topic) {
        m_uploadPanel->setTopic(topic);
        showTopicStandards();
    });
    connect(d, &DrawPanel::nameShown, m_layout, &LayoutController::fitName);
    connect(d, &DrawPanel::uploadRequested, this, &MainWindow::showUploadPanel);
    connect(d, &DrawPanel::userRequested, this, &MainWindow::userRequested);
    connect(d, &DrawPanel::manageRequested, this, &MainWindow::manageRequested);
    connect(d, &DrawPanel::historyRequested, this, &MainWindow::historyRequested);
    // A text box keeps Ctrl+Z for its own text.
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this,
            &MainWindow::undoRequested);

    connect(m_draw, &DrawController::rollStarted, this, [this](int category) {
        m_drawnCategory = category;
        showTopicStandards();
        m_scoring->drawStarted();
    });
    connect(m_draw, &DrawController::rollStopped, m_scoring, &ScoringController::drawStopped);
    connect(m_draw, &DrawController::rollStopped, this, [this] {
        if (m_absenceChangedWhileRolling)
            refreshPresentStudents();
    });
    connect(m_draw, &DrawController::called, m_scoring, &ScoringController::call);
    connect(m_draw, &DrawController::called, this, &MainWindow::calledByDraw);
    connect(m_draw, &DrawController::called, this,
            [this](const QString& name) { recordCall(name, drawButtonCaption(m_drawnCategory)); });
    connect(m_draw, &DrawController::calledSeveral, this, &MainWindow::callSeveralFromDraw);
    // One of several drawn students is chosen to score, as after a draw of one.
    connect(d, &DrawPanel::drawnNameChosen, this, [this](const QString& name) {
        m_scoring->call(name);
        showTopicStandards();
        m_drawPanel->focusScoreBox();
    });
    connect(m_scoring, &ScoringController::scoreRecorded, this, [this](const QString& line) {
        m_uploadPanel->addPendingLine(line);
        Q_EMIT scoreRecorded(line);
    });
    connect(m_quickPick, &QuickPickController::picked, this, &MainWindow::callFromQuickPick);
    connect(m_layout, &LayoutController::expanded, this, &MainWindow::showTopicStandards);
    connect(d, &DrawPanel::standardClicked, this, [this] {
        statusBar()->showMessage(QStringLiteral("双击评分标准给分"), StandardHintMs);
    });

    ManualPanel* m = m_manualPanel;
    connect(m, &ManualPanel::tabChosen, this, &MainWindow::showManualTab);
    connect(m, &ManualPanel::studentChosen, this, &MainWindow::callFromManualPanel);
    // One password in two places: what is typed here is the upload panel's password too.
    connect(m, &ManualPanel::operationPasswordEdited, m_uploadPanel,
            &UploadPanel::setOperationPassword);
    connect(m, &ManualPanel::groupUploadRequested, this, &MainWindow::groupUploadRequested);
    connect(m, &ManualPanel::back, this, &MainWindow::showDrawPanel);
    connect(m_uploadPanel, &UploadPanel::back, this, &MainWindow::showDrawPanel);
}

void MainWindow::startUp() {
    resize(m_layout->fullWindowPixels());
    m_drawPanel->setClassBoxEnabled(false);
    clearClass();
    showTopicStandards();
}

void MainWindow::applyTeacherRecord(SessionMode mode) {
    setWindowTitle(QStringLiteral("Ordalis [%1]").arg(m_session.userName));
    // Through the window's gate like its uploads. None of them waits now: the upload and
    // manual panels, where they start, hide the 用户 button that leads to a login.
    if (mode == SessionMode::Online && m_downloader)
        m_requestGate.run(m_downloader);

    m_drawPanel->setClasses(m_record.readClassList());
    QStringList topics;
    for (const Topic& topic : m_record.readTopics()) {
        if (!topic.name.isEmpty()) // a topic line without a name has nothing to choose
            topics << topic.name;
    }
    m_drawPanel->setTopics(topics);
    m_uploadPanel->setTopic(m_drawPanel->topic());
    showTopicStandards();
    clearClass();
}

void MainWindow::clearClass() {
    m_chosenClass.clear();
    m_draw->clear();
    m_turns->clear();
    m_quickPick->setClass(QString(), {}, {});
    m_scoring->recordApplied();
    m_drawPanel->setCategoryEnabled(ManualButton, false);
}

void MainWindow::chooseClass(const QString& className) {
    if (m_draw->isRolling())
        return; // the class box is locked while a draw rolls
    if (className != m_chosenClass)
        m_scoring->clearCalled(); // the last class's student is nobody of this one
    m_chosenClass = className;
    m_scoring->setClass(className);
    const ClassToday today = classToday(className);
    const ClassSorting sorting = sortClass(today.present);
    m_draw->setKinds(sorting.kinds);
    m_quickPick->setClass(className, sorting.kinds[AllStudents], today.absent);
    m_groups->setGroups(sorting.groups);
    // Last: the service's calls are read while the class is ready to draw from.
    m_turns->chooseClass(className, today.everyone);
}

void MainWindow::clearCalledStudent() {
    m_scoring->clearCalled();
}

void MainWindow::refreshFigures() {
    if (m_session.canChangeService() && m_downloader)
        m_downloader();
    if (!m_chosenClass.isEmpty()) {
        const ClassToday today = classToday(m_chosenClass);
        m_draw->refreshKinds(sortClass(today.present).kinds);
        m_turns->rosterChanged(today.everyone);
    }
    m_scoring->refreshFigures();
}

void MainWindow::showTopicStandards() {
    const int count = m_scoring->showStandards(m_drawPanel->topic());
    m_layout->showStandards(count > 0);
}

void MainWindow::recordCall(const QString& name, const QString& how) {
    const CallLine call{chosenClass(), name, ScoreLine::timeText(QDateTime::currentDateTime()),
                        how};
    m_turns->callRecorded(call);
    Q_EMIT callRecorded(call.toText());
}

void MainWindow::callSeveralFromDraw(const QStringList& names) {
    for (const QString& name : names)
        recordCall(name, drawButtonCaption(m_drawnCategory));
    m_scoring->call(names.first());
    Q_EMIT calledSeveralByDraw(names);
}

void MainWindow::callFromQuickPick(const QString& name) {
    m_drawPanel->clearDrawnNames();
    recordCall(name, CallLine::ByInitials);
    m_scoring->call(name);
    m_draw->callByHand(name);
    showTopicStandards();
    m_drawPanel->focusScoreBox();
}

void MainWindow::callFromManualPanel(const QString& name) {
    m_drawPanel->clearDrawnNames();
    recordCall(name, CallLine::ByHand);
    m_scoring->call(name);
    showDrawPanel();
    showTopicStandards();
}

void MainWindow::showDrawPanel() {
    m_manualPanel->hide();
    m_uploadPanel->hide();
    m_drawPanel->show();
    statusBar()->show();
}

void MainWindow::showManualPanel() {
    const TwipsPlacer& placer = m_drawPanel->placer();
    m_manualPanel->move(placer.pixels(ManualPanelAt.x()), placer.pixels(ManualPanelAt.y()));
    m_manualPanel->show();
    m_manualPanel->raise();
    m_drawPanel->hide();
    statusBar()->hide();
    showManualTab(m_manualPanel->currentTab());
}

void MainWindow::showManualTab(int tab) {
    m_manualPanel->setOperationPassword(m_uploadPanel->operationPassword());
    m_draw->pause();
    if (tab == GroupsTab)
        m_manualPanel->showGroups(m_groups->hasUnsentArrangement());
    else
        m_manualPanel->showCategories(manualTab(tab, m_draw->engine().kinds()));
}

void MainWindow::showUploadPanel() {
    m_drawPanel->hide();
    statusBar()->hide();
    m_uploadPanel->show();
    m_uploadPanel->raise();
    Q_EMIT uploadPanelShown();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (m_layout != nullptr)
        m_layout->windowResized();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (m_mayClose && !m_mayClose()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program, whatever other windows are open.
    event->accept();
    QCoreApplication::quit();
}

} // namespace ordalis
