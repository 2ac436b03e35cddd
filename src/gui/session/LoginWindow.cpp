// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoginWindow.h"

#include "common/Dialogs.h"
#include "common/EscapeKey.h"
#include "common/StarEcho.h"
#include "common/UnsavedWork.h"
#include "net/ReplyProblems.h"
#include "net/ServiceEndpoints.h"
#include "session/DataFolder.h"
#include "session/RememberedUsers.h"
#include "session/Session.h"
#include "text/SecretText.h"
#include "text/WireText.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ordalis {
namespace {

// Classes and scores are at hand without the service too.
const QString OfflineHint = QStringLiteral("\r\n连不上成绩服务时，可以点“离线登录”继续上课。");

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(QLatin1String(name));
    result->setMinimumSize(96, 34);
    return result;
}

} // namespace

LoginWindow::LoginWindow(Session& session, ServiceEndpoints& service, const DataFolder& folder,
                         RememberedUsers& users, std::function<bool()> connected, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_service(service)
    , m_folder(folder)
    , m_users(users)
    , m_connected(std::move(connected))
    , m_userBox(new QComboBox(this))
    , m_passwordBox(new QLineEdit(this))
    , m_loginButton(button(this, "cmdOK", QStringLiteral("确定")))
    , m_cancelButton(button(this, "cmdCancel", QStringLiteral("取消")))
    , m_offlineButton(button(this, "Command1", QStringLiteral("离线登录")))
    , m_registerButton(button(this, "Command2", QStringLiteral("注册帐号")))
    , m_resetButton(button(this, "Command3", QStringLiteral("忘记密码")))
    , m_forgetButton(button(this, "Command4", QStringLiteral("清除记录")))
    , m_backupButton(button(this, "btnBackup", QStringLiteral("数据备份")))
    , m_probeTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("登录"));

    auto* userLabel = new QLabel(QStringLiteral("登录帐号:"), this);
    userLabel->setObjectName(QStringLiteral("lblLabels_0"));
    auto* passwordLabel = new QLabel(QStringLiteral("登录密码:"), this);
    passwordLabel->setObjectName(QStringLiteral("lblLabels_1"));
    m_userBox->setObjectName(QStringLiteral("ComboUser"));
    m_userBox->setEditable(true);
    m_userBox->setInsertPolicy(QComboBox::NoInsert);
    m_userBox->setMinimumWidth(260);
    m_userBox->setMinimumHeight(32);
    m_passwordBox->setMinimumHeight(32);
    m_passwordBox->setObjectName(QStringLiteral("txtPassword"));
    echoStars(m_passwordBox);
    m_loginButton->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(userLabel, 0, 0);
    fields->addWidget(m_userBox, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(m_passwordBox, 1, 1);
    auto* main = new QHBoxLayout;
    main->addStretch();
    main->addWidget(m_loginButton);
    main->addWidget(m_cancelButton);
    main->addWidget(m_offlineButton);
    auto* extra = new QHBoxLayout;
    extra->addStretch();
    extra->addWidget(m_registerButton);
    extra->addWidget(m_resetButton);
    extra->addWidget(m_forgetButton);
    extra->addWidget(m_backupButton);
    m_backupButton->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(12);
    layout->addLayout(fields);
    layout->addLayout(main);
    layout->addLayout(extra);

    m_probeTimer->setObjectName(QStringLiteral("Timer1"));
    m_probeTimer->setInterval(500);
    connect(m_probeTimer, &QTimer::timeout, this, &LoginWindow::probe);
    m_probeTimer->start();

    // Enter in the password box is 确定 (click() does nothing while the button is disabled);
    // without a password it says what is missing. Enter in the account box moves on to it.
    connect(m_passwordBox, &QLineEdit::returnPressed, this, [this] {
        if (m_passwordBox->text().isEmpty())
            showMissingCredentials();
        else
            m_loginButton->click();
    });
    connect(m_userBox->lineEdit(), &QLineEdit::returnPressed, m_passwordBox,
            qOverload<>(&QWidget::setFocus));
    // The prompt is selected whenever the box gets the focus, so typing replaces it.
    m_userBox->installEventFilter(this);
    onEscape(this, [this] { m_cancelButton->click(); }); // Escape is 取消
    connect(m_loginButton, &QPushButton::clicked, this, &LoginWindow::loginOnline);
    connect(m_offlineButton, &QPushButton::clicked, this, &LoginWindow::loginOffline);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT returned();
    });
    connect(m_registerButton, &QPushButton::clicked, this, &LoginWindow::registrationRequested);
    connect(m_resetButton, &QPushButton::clicked, this, &LoginWindow::passwordResetRequested);
    connect(m_forgetButton, &QPushButton::clicked, this, &LoginWindow::forgetUsers);
    connect(m_backupButton, &QPushButton::clicked, this, &LoginWindow::backupsRequested);

    // While a login waits for its reply it cannot be sent again, nor the session changed.
    m_gate.guard({m_loginButton, m_offlineButton, m_forgetButton, m_backupButton});

    fillUserBox();
    probe();
}

void LoginWindow::fillUserBox() {
    m_passwordBox->clear();
    m_userBox->setEditText(Prompt);
    if (!m_users.storedNames().isEmpty()) {
        m_userBox->addItems(m_users.names());
        m_userBox->setEditText(m_users.lastLoginName());
    }
}

void LoginWindow::setUserName(const QString& name) {
    m_userBox->setEditText(name);
}

void LoginWindow::offerBackups() {
    m_backupButton->show();
}

void LoginWindow::probe() {
    if (m_gate.isWaiting())
        return; // the gate gives the buttons back when the reply is in; probed again then
    m_offlineButton->setEnabled(QFile::exists(m_folder.recordFile()));
    const bool connected = m_connected && m_connected();
    m_loginButton->setEnabled(connected);
    m_registerButton->setEnabled(connected);
}

void LoginWindow::loginOnline() {
    const QString userName = m_userBox->currentText();
    const QString typedPassword = m_passwordBox->text();
    if (userName.isEmpty() || typedPassword.isEmpty()) {
        showMissingCredentials();
        return;
    }

    Expected<> outcome = Refusal{{}, 0, Refusal::Kind::NoAnswer};
    if (!m_gate.run(
            [&] { outcome = m_service.checkPassword(userName, trimSecret(typedPassword)); }))
        return;
    probe();

    if (outcome) {
        m_session.userName = userName;
        // From the password as the service verified it, so the reads it opens match.
        m_session.mp = md5Hex(trimSecret(typedPassword));
        Q_EMIT onlineLogin();
        hide();
        UnsavedWork::tellIfFailed(nullptr, QStringLiteral("登录名"), m_users.remember(userName),
                                  QStringLiteral("下次登录时需要重新输入用户名。"));
        return;
    }
    if (!outcome.refusal().isNoAnswer()) {
        dialogs::showMessage(this, QStringLiteral("登录"), QStringLiteral("无效的密码，请重试!"),
                             dialogs::Icon::Warning);
        m_passwordBox->setFocus();
        m_passwordBox->selectAll();
        return;
    }
    dialogs::showMessage(
        this, QStringLiteral("错误"),
        noAnswerTextWithReply(outcome.refusal(), QStringLiteral("网络异常！") + OfflineHint),
        dialogs::Icon::None);
}

void LoginWindow::loginOffline() {
    m_session.userName = Session::OfflineUserName;
    Q_EMIT offlineLogin();
    hide();
}

void LoginWindow::forgetUsers() {
    m_userBox->clear();
    m_userBox->setEditText(QString());
    m_users.clear();
}

bool LoginWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && watched == m_userBox &&
        m_userBox->currentText() == Prompt) {
        // After the click that brought the focus has placed the cursor.
        QTimer::singleShot(0, m_userBox->lineEdit(), &QLineEdit::selectAll);
    }
    return QWidget::eventFilter(watched, event);
}

void LoginWindow::showMissingCredentials() {
    dialogs::showMessage(this, QStringLiteral("错误"), QStringLiteral("请输入用户名和密码！"),
                         dialogs::Icon::Critical);
}

void LoginWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    const QString account = m_userBox->currentText();
    if (!account.isEmpty() && account != Prompt)
        m_passwordBox->setFocus();
    else
        m_userBox->setFocus();
}

void LoginWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT returned();
}

} // namespace ordalis
