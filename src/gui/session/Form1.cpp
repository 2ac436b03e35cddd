// SPDX-License-Identifier: GPL-3.0-or-later
#include "Form1.h"

#include "draw/DrawPanel.h"
#include "groups/GroupList.h"
#include "layout/MainLayout.h"
#include "layout/Splitter.h"
#include "pinyin/ManualPanel.h"
#include "scoring/UploadPanel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>

namespace ordalis {

namespace {
constexpr int RollIntervalMs = 5;
constexpr QPoint ManualPanelAt{100, 100};
} // namespace

Form1::Form1(const DataFolder& folder, Session& session, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_folder(folder)
    , m_session(session)
    , m_record(folder.recordFile())
    , m_clock([] { return QDateTime::currentDateTime(); }) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ordalis"));
    m_placer = TwipsPlacer::forWidget(this);
    buildWindow();
    connectDrawPanel();
    connectManualPanel();
    startUp();
}

QStatusBar* Form1::statusBar1() const {
    return statusBar();
}

void Form1::setRecordDownloader(std::function<void()> downloader) {
    m_downloader = std::move(downloader);
}

void Form1::setClock(std::function<QDateTime()> clock) {
    m_clock = std::move(clock);
}

void Form1::buildWindow() {
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("clientArea"));
    area->setMinimumSize(0, 0);
    setCentralWidget(area);
    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    setStatusBar(bar);

    m_draw = new DrawPanel(area);
    m_draw->placeDesigned(m_placer);
    m_draw->Splitter1->setUnitsPerPixel(m_placer.twipsOf(1));

    const QSize window = layout::fullWindowSize(DrawPanel::DesignSize);
    const QSize panel(window.width() - 2 * ManualPanelAt.x(),
                      DrawPanel::DesignSize.height() - ManualPanelAt.y());
    m_manual = new ManualPanel(area);
    m_manual->placeDesigned(m_placer, panel);
    m_manual->hide();
    m_upload = new UploadPanel(area);
    m_upload->placeDesigned(m_placer, QSize(window.width(), DrawPanel::DesignSize.height()));
    m_upload->hide();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setTimerType(Qt::PreciseTimer);
    m_timer1->setInterval(RollIntervalMs);
    connect(m_timer1, &QTimer::timeout, this, &Form1::rollStep);
}

void Form1::connectDrawPanel() {
    DrawPanel* d = m_draw;
    for (int i = 0; i < int(d->btnChou.size()); ++i)
        connect(d->btnChou[i], &QPushButton::clicked, this, [this, i] { onCategoryButton(i); });
    connect(d->Combo2, qOverload<int>(&QComboBox::activated), this, &Form1::chooseClass);
    connect(d->Combo3, &QComboBox::editTextChanged, this, [this](const QString& text) {
        m_upload->Text5->setText(text);
        showTopicStandards();
    });
    connect(d->Combo3, qOverload<int>(&QComboBox::activated), this, [this] {
        m_upload->Text5->setText(m_draw->Combo3->currentText());
        showTopicStandards();
    });
    connect(d->Text2, &QLineEdit::textChanged, this, &Form1::showCalledName);
    connect(d->Combo1, qOverload<int>(&QComboBox::activated), this, &Form1::giveFreeScore);
    connect(d->List1, &QListWidget::itemDoubleClicked, this, &Form1::applyStandard);
    connect(d->txtManual, &QLineEdit::textChanged, this, &Form1::filterQuickPick);
    connect(d->List2, &QListWidget::itemDoubleClicked, this, &Form1::callFromQuickPick);
    connect(d->Splitter1, &Splitter::beforeMove, this, &Form1::onBarBeforeMove);
    connect(d->Splitter1, &Splitter::moved, this, &Form1::onBarMoved);
    connect(d->Command1, &QPushButton::clicked, this, &Form1::userRequested);
    connect(d->btnManage, &QPushButton::clicked, this, &Form1::manageRequested);
    connect(d->Command11, &QPushButton::clicked, this, &Form1::showUploadPanel);
    connect(m_upload->Command12, &QPushButton::clicked, this, &Form1::showDrawPanel);
    for (QObject* watched :
         std::initializer_list<QObject*>{d->Combo1, d->txtManual, d->List2, d->Image1, d->Image2})
        watched->installEventFilter(this);
}

void Form1::connectManualPanel() {
    ManualPanel* m = m_manual;
    connect(m->TabStrip1, &QTabBar::tabBarClicked, this, &Form1::onTab);
    for (QListWidget* list : m->List_manual)
        connect(list, &QListWidget::itemDoubleClicked, this, &Form1::callFromPanel);
    for (GroupList* list : m->List_group) {
        connect(list, &QListWidget::itemDoubleClicked, this, &Form1::callFromPanel);
        connect(list, &GroupList::pressed, this, [this](int group, int row) {
            m_drag = {group, row};
        });
        connect(list, &GroupList::dropped, this, &Form1::onGroupDropped);
        connect(list, &GroupList::dragEnded, this, &Form1::onGroupDragEnded);
    }
    // One password in two places: what is typed here is the upload panel's password too.
    connect(m->Text11, &QLineEdit::textChanged, m_upload->Text4, &QLineEdit::setText);
    connect(m->Command29, &QPushButton::clicked, this, &Form1::groupUploadRequested);
    connect(m->Command24, &QPushButton::clicked, this, &Form1::showDrawPanel);
}

void Form1::startUp() {
    m_classNum.clear();
    resize(fullWindowPixels());
    m_draw->Combo2->setEnabled(false);
    clearCategories();
    m_draw->btnChou[ManualButton]->setEnabled(false);
    showTopicStandards();
    m_draw->Combo1->clear();
    for (int points = 5; points >= 0; --points)
        m_draw->Combo1->addItem(QStringLiteral("%1分").arg(points));
    m_draw->Combo1->setEditText(QString());
    // Nobody is called yet, so there is nobody to score.
    m_draw->Combo1->setEnabled(false);
    m_draw->List1->setEnabled(false);
    m_draw->Label4->clear();
    m_draw->Label28->clear();
}

void Form1::applyTeacherRecord(const QString& mode) {
    setWindowTitle(QStringLiteral("Ordalis [%1]").arg(m_session.userName));
    if (mode == QLatin1String("online") && m_downloader)
        m_downloader();

    QComboBox* classes = m_draw->Combo2;
    classes->clear();
    classes->addItems(m_record.readClassList());
    classes->setCurrentIndex(-1);
    classes->setEditText(QStringLiteral("班级"));
    classes->setEnabled(true);

    QComboBox* topics = m_draw->Combo3;
    topics->clear();
    const QList<Topic> all = m_record.readTopics();
    for (const Topic& topic : all) {
        if (topic.name.isEmpty())
            continue; // a topic line without a name has nothing to choose
        topics->addItem(topic.name);
    }
    topics->setEditText(topics->count() > 0 ? topics->itemText(0) : QString());
    m_upload->Text5->setText(topics->currentText());
    showTopicStandards();

    clearCategories();
    m_draw->btnChou[ManualButton]->setEnabled(false);
}

void Form1::clearCategories() {
    if (m_engine.isStarted())
        setRolling(m_engine.startedCategory(), false);
    m_timer1->stop();
    m_engine.clear();
    m_pickIndex = QuickPickIndex();
    for (int i = 0; i < DrawCategoryCount; ++i)
        m_draw->btnChou[i]->setEnabled(false);
}

void Form1::chooseClass() {
    if (m_engine.isStarted())
        return; // the class box is locked while a draw rolls
    m_classNum = m_draw->Combo2->currentText();
    const ClassSorting sorting = sortClass(m_record.readClassRoster(m_classNum));
    m_engine.setKinds(sorting.kinds);
    m_pickIndex = QuickPickIndex(sorting.kinds[AllStudents]);
    m_groups = sorting.groups;
    for (int g = 0; g < GroupCount; ++g)
        fillGroupList(g);
    m_draw->btnChou[ManualButton]->setEnabled(true);
    refreshCategoryButtons();
    m_draw->txtManual->clear();
}

void Form1::refreshCategoryButtons() {
    for (int i = 0; i < DrawCategoryCount; ++i)
        m_draw->btnChou[i]->setEnabled(m_engine.hasNames(i));
    m_draw->txtManual->setEnabled(true);
    m_draw->txtManual->setFocus();
}

void Form1::showDrawPanel() {
    m_manual->hide();
    m_upload->hide();
    m_draw->show();
    statusBar()->show();
}

void Form1::showManualPanel() {
    m_manual->move(m_placer.pixels(ManualPanelAt.x()), m_placer.pixels(ManualPanelAt.y()));
    m_manual->show();
    m_manual->raise();
    m_draw->hide();
    statusBar()->hide();
    onTab(m_manual->TabStrip1->currentIndex());
}

void Form1::showUploadPanel() {
    m_draw->hide();
    m_upload->show();
    m_upload->raise();
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, whatever other windows are open.
    event->accept();
    QCoreApplication::quit();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == m_draw->Image2 && (type == QEvent::Enter || type == QEvent::MouseMove)) {
        setCompact(true);
    } else if (watched == m_draw->Image1 && (type == QEvent::Enter || type == QEvent::MouseMove)) {
        setCompact(false);
    } else if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == m_draw->Combo1) {
            if (type == QEvent::KeyRelease && (key == Qt::Key_Return || key == Qt::Key_Enter) &&
                !m_draw->Combo1->currentText().isEmpty())
                giveFreeScore();
        } else if (type == QEvent::KeyPress && watched == m_draw->txtManual) {
            return onQuickPickKey(key);
        } else if (type == QEvent::KeyPress && watched == m_draw->List2) {
            return onResultListKey(key);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace ordalis
