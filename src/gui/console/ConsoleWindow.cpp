// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleWindow.h"

#include "common/Browser.h"
#include "common/Look.h"
#include "common/WindowPlace.h"
#include "console/ClassesPage.h"
#include "console/ConsoleWidgets.h"
#include "console/DeletedItemsDialog.h"
#include "console/PersonalPage.h"
#include "console/ScoresPage.h"
#include "console/ShortcutsPage.h"
#include "console/StandardsPage.h"
#include "console/StudentsPage.h"
#include "console/TopicsPage.h"
#include "layout/TwipsPlacer.h"
#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "record/TeacherRecord.h"
#include "session/Session.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtMath>

namespace ordalis {

namespace {

constexpr QSize WindowTwips{10800, 5800};

// The main window's rules for its quick-pick list, name display and board (by their
// objectNames List2, Text2 and Text13) must not reach the console's widgets of those names.
const char* const ConsoleStyle = R"(
QWidget#Dialog { background: #eef2f5; }
QListWidget, QLineEdit, QPlainTextEdit { background: #ffffff; color: #1d2a33;
    border: 1px solid #b9c6d0; border-radius: 4px; }
QLineEdit:read-only { background: #f4f6f8; }
QLabel[status="true"] { color: #2e5f7a; }
QLabel[link="true"] { color: #2e86ab; text-decoration: underline; }
QGroupBox[editBox="true"] { background: #ffffff; border: 2px solid #2e86ab; margin-top: 0px;
    padding-top: 24px; }
QGroupBox[editBox="true"]::title { subcontrol-origin: padding; left: 10px; top: 6px;
    color: #2e86ab; }
)";

struct PageButton {
    int index;
    const char16_t* caption;
};
// Along the bottom edge, left to right.
constexpr std::array<PageButton, ConsoleWindow::PageCount> PageButtons{{{0, u"个人信息"},
                                                                        {1, u"班级管理"},
                                                                        {2, u"学生管理"},
                                                                        {5, u"课题管理"},
                                                                        {6, u"评分标准"},
                                                                        {3, u"计分管理"},
                                                                        {4, u"快捷方式"}}};

// The start view's picture: a five-pointed star on the program's accent colour.
QPixmap startPicture() {
    QPixmap pixmap(160, 160);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(look::AccentColor);
    p.drawEllipse(QRectF(4, 4, 152, 152));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? 62 : 26;
        const double angle = qDegreesToRadians(-90.0 + i * 36.0);
        const QPointF point(80 + radius * std::cos(angle), 82 + radius * std::sin(angle));
        if (i == 0)
            star.moveTo(point);
        else
            star.lineTo(point);
    }
    star.closeSubpath();
    p.setBrush(look::NameColor);
    p.drawPath(star);
    return pixmap;
}

} // namespace

ConsoleWindow::ConsoleWindow(Session& session, ServiceEndpoints& service, const DataFolder& folder,
                             const ServiceConfig& config, ConsoleHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_actions(this, session, service, folder, std::move(hooks)) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("点名计分器管理后台"));
    setStyleSheet(QString::fromLatin1(ConsoleStyle));

    auto* pageArea = new QGridLayout;
    pageArea->addWidget(buildStartView(), 0, 0);
    auto* personal = new PersonalPage(m_actions, this);
    auto* scores = new ScoresPage(m_actions, this);
    m_pages = {personal,
               new ClassesPage(m_actions, this),
               new StudentsPage(m_actions, this),
               scores,
               new ShortcutsPage(m_actions, this),
               new TopicsPage(m_actions, this),
               new StandardsPage(
                   m_actions, [scores] { return scores->chooser()->currentText(); }, this)};
    for (ConsolePage* page : m_pages)
        pageArea->addWidget(page, 0, 0);
    for (int index : {1, 2, 5}) {
        connect(static_cast<NameListPage*>(m_pages[index]), &NameListPage::reenterRequested, this,
                [this, index] { showPage(index); });
    }

    auto* top = new QHBoxLayout;
    top->addLayout(pageArea, 1);
    top->addWidget(buildNotes(config));

    auto* buttons = new QHBoxLayout;
    for (const PageButton& page : PageButtons) {
        QPushButton* pageButton =
            console::button(this, QStringLiteral("Cmd_manage_%1").arg(page.index),
                            QString::fromUtf16(page.caption));
        connect(pageButton, &QPushButton::clicked, this, [this, page] { showPage(page.index); });
        // A page refilled while a request waits would lose what the reply is for.
        m_actions.gate().guard(pageButton);
        buttons->addWidget(pageButton);
    }
    QPushButton* back = console::button(this, QStringLiteral("OKButton"), QStringLiteral("返回"));
    connect(back, &QPushButton::clicked, this, &ConsoleWindow::leave);
    buttons->addWidget(back);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    connect(personal, &PersonalPage::operationPasswordChanged, this,
            [this](const QString& password) {
                m_password->setText(password);
                if (m_actions.hooks().setOperationPassword)
                    m_actions.hooks().setOperationPassword(password);
            });

    // Window load: the operation password typed in the main window comes along.
    if (m_actions.hooks().operationPassword)
        m_password->setText(m_actions.hooks().operationPassword());
    // The designed size, taller when the notes need more lines in this font.
    const TwipsPlacer placer = TwipsPlacer::forWidget(this);
    QSize size = QSize(placer.pixels(WindowTwips.width()), placer.pixels(WindowTwips.height()))
                     .expandedTo(minimumSizeHint());
    size.setHeight(std::max(size.height(), layout->totalHeightForWidth(size.width())));
    resize(size);
}

QWidget* ConsoleWindow::buildStartView() {
    m_startView = new QWidget(this);
    QLabel* picture = console::label(m_startView, QStringLiteral("Picture1"), QString());
    picture->setPixmap(startPicture());
    picture->setAlignment(Qt::AlignCenter);
    QLabel* motto =
        console::label(m_startView, QStringLiteral("Label1"), QStringLiteral("赞赏是一种美德"));
    motto->setAlignment(Qt::AlignCenter);
    motto->setFont(look::font(16, true));
    auto* layout = new QVBoxLayout(m_startView);
    layout->addStretch();
    layout->addWidget(picture);
    layout->addWidget(motto);
    layout->addStretch();
    return m_startView;
}

QWidget* ConsoleWindow::buildNotes(const ServiceConfig& config) {
    auto* column = new QWidget(this);
    auto* notes = new QGroupBox(column);
    notes->setObjectName(QStringLiteral("Frame1"));
    auto* noteLayout = new QVBoxLayout(notes);
    QLabel* title =
        console::label(notes, QStringLiteral("Label17"), QStringLiteral("后台管理说明"));
    title->setFont(look::font(11, true));
    noteLayout->addWidget(title);
    const std::array<std::pair<const char*, const char16_t*>, 5> texts{{
        {"Label18", u"这里提供一些常用功能，见底部按钮。"},
        {"Label19", u"密码管理提供修改密码服务，密码重置在登录界面。"},
        {"Label20", u"班级、学生和课题管理可以添加和删除数据，双击列表中的名称可以改名。"},
        {"Label21", u"计分管理可以修改（双击一条计分）和删除计分。删除的数据在服务器上保留30天，"
                    u"可由学校的管理员恢复（方法见此处的提示），请慎重操作！"},
        {"Label22", u"你可以通过快捷方式功能管理快捷方式。"},
    }};
    for (const auto& [name, text] : texts) {
        QLabel* note = console::label(notes, QString::fromLatin1(name), QString::fromUtf16(text));
        note->setWordWrap(true);
        noteLayout->addWidget(note);
    }
    auto* deletionNote = notes->findChild<QLabel*>(QStringLiteral("Label21"));
    QPushButton* deleted = nullptr;
    if (m_actions.hooks().deletions.isSet()) {
        // The service runs on this machine: the console brings deletions back itself.
        deletionNote->setText(QStringLiteral("计分管理可以修改（双击一条计分）和删除计分。删除的"
                                             "数据保留30天，可在“已删除”中恢复，请慎重操作！"));
        deleted =
            console::button(notes, QStringLiteral("restoreDeleted"), QStringLiteral("已删除"));
        m_actions.gate().guard(deleted);
        connect(deleted, &QPushButton::clicked, this, &ConsoleWindow::openDeletedItems);
    } else {
        // The administrator's command, too long for the notes' column.
        deletionNote->setToolTip(
            QStringLiteral("恢复30天内删除的数据，在服务器上运行：\n"
                           "ordalis-service --database 数据库 --restore-deleted 帐号"));
    }
    m_webConsole = console::label(notes, QStringLiteral("Label15"),
                                  QStringLiteral("后台地址 ") + config.webConsoleAddress());
    m_webConsole->setWordWrap(true);
    m_webConsole->setCursor(Qt::PointingHandCursor);
    m_webConsole->setProperty("link", true);
    m_webConsole->installEventFilter(this);
    noteLayout->addWidget(m_webConsole);
    if (deleted != nullptr)
        noteLayout->addWidget(deleted);
    noteLayout->addStretch();

    m_password = console::passwordBox(column, QStringLiteral("txtSuperPassword"));
    m_actions.setPasswordBox(m_password);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(
        console::label(column, QStringLiteral("Label14"), QStringLiteral("操作密码：")));
    passwordRow->addWidget(m_password, 1);

    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(notes, 1);
    layout->addLayout(passwordRow);
    column->setFixedWidth(230);
    return column;
}

void ConsoleWindow::setStartViewVisible(bool visible) {
    m_startView->setVisible(visible);
}

void ConsoleWindow::open(const QWidget* over) {
    for (ConsolePage* page : m_pages)
        page->hide();
    if (over != nullptr)
        placeOver(this, over);
    show();
    raise();
    activateWindow();
}

void ConsoleWindow::showPage(int index) {
    for (ConsolePage* page : m_pages)
        page->hide();
    setStartViewVisible(false);
    m_pages[index]->show();

    const TeacherRecord record(m_actions.folder().recordFile());
    QStringList topics;
    for (const Topic& topic : record.readTopics())
        topics << topic.name;
    m_pages[index]->enter(record.readClassList(), topics);
}

void ConsoleWindow::openDeletedItems() {
    if (!m_actions.session().canChangeService()) {
        m_actions.tell(QStringLiteral("提示"), QStringLiteral("登录后才能进行此操作！"),
                       dialogs::Icon::Warning);
        return;
    }
    auto* dialog = new DeletedItemsDialog(m_actions, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The page shown is read again, as after any change of it.
    connect(dialog, &DeletedItemsDialog::restored, this, [this] {
        for (int index = 0; index < PageCount; ++index)
            if (!m_pages[index]->isHidden())
                showPage(index);
    });
    dialog->open();
    dialog->refresh();
}

void ConsoleWindow::leave() {
    setStartViewVisible(true);
    hide();
    Q_EMIT returned();
}

void ConsoleWindow::discard() {
    hide();
    m_actions.discardWindow();
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT closedByFrame();
}

bool ConsoleWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_webConsole && event->type() == QEvent::MouseButtonRelease)
        browser::open(this, m_actions.service().serviceHome());
    return QWidget::eventFilter(watched, event);
}

} // namespace ordalis
