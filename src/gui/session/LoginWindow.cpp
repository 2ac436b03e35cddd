// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoginWindow.h"

#include "common/Dialogs.h"
#include "net/ServiceEndpoints.h"
#include "session/Blanks.h"
#include "session/DataFolder.h"
#include "session/RememberedUsers.h"
#include "session/Session.h"
#include "text/WireText.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace ordalis {
namespace {

// The password box shows one "*" per character, as teachers are used to.
class StarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

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
    , m_user(new QComboBox(this))
    , m_password(new QLineEdit(this))
    , m_ok(button(this, "cmdOK", QStringLiteral("确定")))
    , m_cancel(button(this, "cmdCancel", QStringLiteral("取消")))
    , m_offline(button(this, "Command1", QStringLiteral("离线登录")))
    , m_register(button(this, "Command2", QStringLiteral("注册帐号")))
    , m_forgot(button(this, "Command3", QStringLiteral("忘记密码")))
    , m_forget(button(this, "Command4", QStringLiteral("清除记录")))
    , m_probeTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("登录"));

    auto* userLabel = new QLabel(QStringLiteral("登录帐号:"), this);
    userLabel->setObjectName(QStringLiteral("lblLabels_0"));
    auto* passwordLabel = new QLabel(QStringLiteral("登录密码:"), this);
    passwordLabel->setObjectName(QStringLiteral("lblLabels_1"));
    m_user->setObjectName(QStringLiteral("ComboUser"));
    m_user->setEditable(true);
    m_user->setInsertPolicy(QComboBox::NoInsert);
    m_user->setMinimumWidth(260);
    m_user->setMinimumHeight(32);
    m_password->setMinimumHeight(32);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    auto* starStyle = new StarPasswordStyle;
    starStyle->setParent(m_password);
    m_password->setStyle(starStyle);
    m_ok->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(userLabel, 0, 0);
    fields->addWidget(m_user, 0, 1);
    fields->addWidget(passwordLabel, 1, 0);
    fields->addWidget(m_password, 1, 1);
    auto* main = new QHBoxLayout;
    main->addStretch();
    main->addWidget(m_ok);
    main->addWidget(m_cancel);
    main->addWidget(m_offline);
    auto* extra = new QHBoxLayout;
    extra->addStretch();
    extra->addWidget(m_register);
    extra->addWidget(m_forgot);
    extra->addWidget(m_forget);
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

    connect(m_ok, &QPushButton::clicked, this, &LoginWindow::loginOnline);
    connect(m_offline, &QPushButton::clicked, this, &LoginWindow::loginOffline);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT returned();
    });
    connect(m_register, &QPushButton::clicked, this, &LoginWindow::registrationRequested);
    connect(m_forgot, &QPushButton::clicked, this, &LoginWindow::passwordResetRequested);
    connect(m_forget, &QPushButton::clicked, this, &LoginWindow::forgetUsers);

    fillUserBox();
    probe();
}

void LoginWindow::fillUserBox() {
    m_password->clear();
    m_user->setEditText(Prompt);
    if (!m_users.storedNames().isEmpty()) {
        m_user->addItems(m_users.names());
        m_user->setEditText(m_users.lastLoginName());
    }
}

void LoginWindow::probe() {
    m_offline->setEnabled(QFile::exists(m_folder.recordFile()));
    const bool connected = m_connected && m_connected();
    // While a login is in flight its button stays disabled, so it cannot be sent twice.
    m_ok->setEnabled(connected && !m_sending);
    m_register->setEnabled(connected);
}

void LoginWindow::loginOnline() {
    const QString userName = m_user->currentText();
    const QString typedPassword = m_password->text();
    if (userName.isEmpty() || typedPassword.isEmpty()) {
        dialogs::showMessage(this, QStringLiteral("错误"), QStringLiteral("请输入用户名和密码！"),
                             dialogs::Icon::Critical);
        return;
    }

    m_sending = true;
    m_ok->setEnabled(false);
    const PostOutcome outcome = m_service.checkPassword(userName, trimSpaces(typedPassword));
    m_sending = false;
    probe();

    if (outcome.isSuccess()) {
        m_session.userName = userName;
        m_session.mp = md5Hex(typedPassword);
        Q_EMIT onlineLogin();
        hide();
        m_users.remember(userName);
        return;
    }
    if (outcome.isRefused()) {
        dialogs::showMessage(this, QStringLiteral("登录"), QStringLiteral("无效的密码，请重试!"),
                             dialogs::Icon::Warning);
        m_password->setFocus();
        m_password->selectAll();
        return;
    }
    dialogs::showMessage(this, QStringLiteral("错误"),
                         outcome.replyText + QStringLiteral("\r\n网络异常！"), dialogs::Icon::None);
}

void LoginWindow::loginOffline() {
    m_session.userName = Session::OfflineUserName;
    Q_EMIT offlineLogin();
    hide();
}

void LoginWindow::forgetUsers() {
    m_user->clear();
    m_user->setEditText(QString());
    m_users.clear();
}

void LoginWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    Q_EMIT returned();
}

} // namespace ordalis
