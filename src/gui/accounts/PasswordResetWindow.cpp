// SPDX-License-Identifier: GPL-3.0-or-later
#include "PasswordResetWindow.h"

#include "accounts/PasswordResetForm.h"
#include "common/Browser.h"
#include "common/Dialogs.h"
#include "common/StarEcho.h"
#include "net/ReplyProblems.h"
#include "net/ServiceEndpoints.h"
#include "wire/Endpoints.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace ordalis {

namespace {

template <typename Widget, typename... Args>
Widget* named(QWidget* parent, const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* result = named<QPushButton>(parent, name, caption);
    result->setMinimumSize(110, 34);
    return result;
}

// A new password box, shown only while its check box is ticked; its place stays reserved.
QLineEdit* hiddenPasswordBox(QLineEdit* box) {
    echoStars(box);
    QSizePolicy policy = box->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    box->setSizePolicy(policy);
    box->setVisible(false);
    return box;
}

} // namespace

PasswordResetWindow::PasswordResetWindow(ServiceEndpoints& service, QWidget* parent)
    : AccountWindow(parent)
    , m_service(service)
    , m_account(newBox("Text1"))
    , m_emailLabel(named<QLabel>(this, "Label2", QStringLiteral("Email:")))
    , m_email(newBox("Text2"))
    , m_resetsLogin(named<QCheckBox>(this, "Check1", QStringLiteral("登录密码")))
    , m_newLoginPassword(hiddenPasswordBox(newBox("Text3")))
    , m_resetsOperation(named<QCheckBox>(this, "Check2", QStringLiteral("操作密码")))
    , m_newOperationPassword(hiddenPasswordBox(newBox("Text4")))
    , m_newLoginPasswordAgain(hiddenPasswordBox(newBox("txtLoginPasswordAgain")))
    , m_newOperationPasswordAgain(hiddenPasswordBox(newBox("txtOperationPasswordAgain")))
    , m_checkCode(newBox("TxtCheckCode"))
    , m_sendCode(button(this, "Command3", QStringLiteral("发送验证码")))
    , m_reset(button(this, "Command1", QStringLiteral("重置密码"))) {
    setObjectName(QStringLiteral("frmPswd"));
    setWindowTitle(QStringLiteral("重置密码"));

    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(10);
    rows->addWidget(named<QLabel>(this, "Label1", QStringLiteral("帐号:")), 0, 0);
    rows->addWidget(m_account, 0, 1);
    rows->addWidget(named<QLabel>(this, "Label6", QStringLiteral("请输入你的登陆帐号")), 0, 2);
    rows->addWidget(m_emailLabel, 1, 0);
    rows->addWidget(m_email, 1, 1);
    rows->addWidget(named<QLabel>(this, "Label5", QStringLiteral("请输入注册时填写的Email")), 1, 2);
    rows->addWidget(m_resetsLogin, 2, 0);
    rows->addWidget(m_newLoginPassword, 2, 1);
    rows->addWidget(m_resetsOperation, 3, 0);
    rows->addWidget(m_newOperationPassword, 3, 1);
    m_newLoginPasswordAgain->setPlaceholderText(QStringLiteral("再输入一次新的登录密码"));
    m_newOperationPasswordAgain->setPlaceholderText(QStringLiteral("再输入一次新的操作密码"));
    rows->addWidget(m_newLoginPasswordAgain, 2, 2);
    rows->addWidget(m_newOperationPasswordAgain, 3, 2);
    rows->addWidget(named<QLabel>(this, "Label3", QStringLiteral("验证码:")), 4, 0);
    rows->addWidget(m_checkCode, 4, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_sendCode);
    buttons->addWidget(m_reset);
    backButton()->setMinimumSize(m_reset->minimumSize());
    buttons->addWidget(backButton());
    buttons->addStretch();

    auto* top = new QHBoxLayout;
    top->addLayout(rows);
    top->addSpacing(12);
    top->addLayout(buttons);
    auto* note =
        named<QLabel>(this, "Label4",
                      QStringLiteral("注册时没有填写Email的老师，请与学校管理成绩服务的老师联系，"
                                     "由他为您重置密码。"));
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addWidget(note);

    m_gate.guard({m_sendCode, m_reset});
    for (QLineEdit* box :
         {m_account, m_email, m_newLoginPassword, m_newOperationPassword, m_checkCode})
        connect(box, &QLineEdit::textChanged, this, &PasswordResetWindow::updateButtons);
    connect(m_resetsLogin, &QCheckBox::toggled, this, [this](bool ticked) {
        m_newLoginPassword->setVisible(ticked);
        m_newLoginPasswordAgain->setVisible(ticked);
        updateButtons();
    });
    connect(m_resetsOperation, &QCheckBox::toggled, this, [this](bool ticked) {
        m_newOperationPassword->setVisible(ticked);
        m_newOperationPasswordAgain->setVisible(ticked);
        updateButtons();
    });
    connect(m_sendCode, &QPushButton::clicked, this, &PasswordResetWindow::requestCode);
    connect(m_reset, &QPushButton::clicked, this, &PasswordResetWindow::resetPasswords);
    updateButtons();
}

PasswordResetForm PasswordResetWindow::form() const {
    return PasswordResetForm{m_account->text(),
                             m_email->text(),
                             m_checkCode->text(),
                             m_resetsLogin->isChecked(),
                             m_newLoginPassword->text(),
                             m_resetsOperation->isChecked(),
                             m_newOperationPassword->text()};
}

void PasswordResetWindow::updateButtons() {
    const PasswordResetForm current = form();
    const bool free = !m_gate.isWaiting();
    m_sendCode->setEnabled(free && current.canRequestCode());
    m_reset->setEnabled(free && current.canReset());
}

void PasswordResetWindow::requestCode() {
    const QString email = m_email->text();
    const QPointer<PasswordResetWindow> self(this);
    m_gate.run([&] {
        const QString reply = m_service.requestPasswordCode(m_account->text(), email);
        if (self.isNull())
            return;
        switch (readCodeRequestReply(reply)) {
        case CodeRequestReply::Mailed:
            if (m_localMailFolder.isEmpty()) {
                dialogs::showMessage(this, QStringLiteral("请查收"),
                                     QStringLiteral("验证码已经发送到您的邮箱:") + email,
                                     dialogs::Icon::Information);
            } else if (dialogs::askYesNo(
                           this, QStringLiteral("请查收"),
                           QStringLiteral("本机的成绩服务不发送邮件，验证码写在本机的邮件文件夹"
                                          "中：\r\n%1\r\n是否打开该文件夹？")
                               .arg(QDir::toNativeSeparators(m_localMailFolder)))) {
                browser::open(this, QUrl::fromLocalFile(m_localMailFolder));
            }
            break;
        case CodeRequestReply::NoSuchAccount:
            dialogs::showMessage(this, QStringLiteral("请重试"),
                                 QStringLiteral("用户名或者Email有误，请查证后重试！"),
                                 dialogs::Icon::Warning);
            break;
        case CodeRequestReply::NoAnswer:
            dialogs::showMessage(this, QStringLiteral("错误"), QStringLiteral("无法连接到服务器"),
                                 dialogs::Icon::Critical);
            break;
        }
    });
    if (!self.isNull())
        updateButtons();
}

void PasswordResetWindow::resetPasswords() {
    const PasswordResetForm current = form();
    if ((current.resetsLogin && refusesUnconfirmed(m_newLoginPassword, m_newLoginPasswordAgain,
                                                   QStringLiteral("登录密码"))) ||
        (current.resetsOperation &&
         refusesUnconfirmed(m_newOperationPassword, m_newOperationPasswordAgain,
                            QStringLiteral("操作密码"))))
        return;
    const QPointer<PasswordResetWindow> self(this);
    m_gate.run([&] {
        const Expected<> outcome =
            m_service.setPassword(current.account, current.checkCode.trimmed(),
                                  current.sentLoginPassword(), current.sentOperationPassword());
        if (self.isNull())
            return;
        if (outcome) {
            dialogs::showMessage(this, QStringLiteral("成功"), QStringLiteral("密码修改成功！"),
                                 dialogs::Icon::Information);
        } else if (!outcome.refusal().isNoAnswer() && outcome.why() == wire::ResetFailed) {
            dialogs::showMessage(this, QStringLiteral("错误"),
                                 QStringLiteral("验证码错误，请重试！"), dialogs::Icon::Warning);
        } else if (outcome.refusal().isNoAnswer()) {
            const QString failure = noAnswerText(outcome.refusal(), QStringLiteral("网络异常！"));
            m_emailLabel->setText(failure);
            dialogs::showMessage(this, QStringLiteral("错误"), failure, dialogs::Icon::Warning);
        }
        // Any other reply shows nothing.
    });
    if (!self.isNull())
        updateButtons();
}

} // namespace ordalis
