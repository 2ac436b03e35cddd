// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegistrationWindow.h"

#include "accounts/RegistrationForm.h"
#include "common/Dialogs.h"
#include "common/StarEcho.h"
#include "net/ReplyProblems.h"
#include "net/ServiceEndpoints.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace ordalis {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& caption) {
    auto* result = new QLabel(caption, parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

QString backgroundRule(NameCheck::Colour colour) {
    switch (colour) {
    case NameCheck::Colour::Green:
        return QStringLiteral("QLineEdit { background: #00FF00; }");
    case NameCheck::Colour::Red:
        return QStringLiteral("QLineEdit { background: #FF0000; }");
    case NameCheck::Colour::White:
        break;
    }
    return QStringLiteral("QLineEdit { background: #FFFFFF; }");
}

// One row of a frame: caption, box and an optional hint on the right.
void addRow(QGridLayout* grid, QLabel* caption, QLineEdit* box, QLabel* hint = nullptr) {
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0, Qt::AlignRight);
    grid->addWidget(box, row, 1);
    if (hint != nullptr)
        grid->addWidget(hint, row, 2);
}

} // namespace

RegistrationWindow::RegistrationWindow(ServiceEndpoints& service, QWidget* parent)
    : AccountWindow(parent)
    , m_service(service)
    , m_account(newBox("Text1"))
    , m_accountHint(label(this, "Label5", NameCheck::LengthHint))
    , m_teacherName(newBox("Text4"))
    , m_email(newBox("Text5"))
    , m_loginPassword(newBox("Text2"))
    , m_operationPassword(newBox("Text3"))
    , m_loginPasswordAgain(newBox("txtLoginPasswordAgain"))
    , m_operationPasswordAgain(newBox("txtOperationPasswordAgain"))
    , m_mobile(newBox("Text6"))
    , m_telephone(newBox("Text7"))
    , m_qq(newBox("Text8"))
    , m_register(new QPushButton(QStringLiteral("注册"), this)) {
    setObjectName(QStringLiteral("frmReg"));
    setWindowTitle(QStringLiteral("用户注册"));
    echoStars(m_loginPassword);
    echoStars(m_operationPassword);
    echoStars(m_loginPasswordAgain);
    echoStars(m_operationPasswordAgain);
    m_register->setObjectName(QStringLiteral("Command1"));
    for (QPushButton* button : {m_register, backButton()})
        button->setMinimumSize(96, 34);
    m_accountHint->setMinimumWidth(180);

    auto* required = new QGroupBox(QStringLiteral("必填信息"), this);
    required->setObjectName(QStringLiteral("Frame1"));
    auto* requiredRows = new QGridLayout(required);
    addRow(requiredRows, label(this, "Label1", QStringLiteral("登录帐号：")), m_account,
           m_accountHint);
    addRow(requiredRows, label(this, "Label6", QStringLiteral("教师姓名：")), m_teacherName);
    addRow(requiredRows, label(this, "Label7", QStringLiteral("电子邮箱：")), m_email);
    addRow(requiredRows, label(this, "Label2", QStringLiteral("登录密码：")), m_loginPassword,
           label(this, "Label12", QStringLiteral("读取数据使用")));
    addRow(requiredRows, label(this, "lblLoginPasswordAgain", QStringLiteral("确认登录密码：")),
           m_loginPasswordAgain);
    addRow(requiredRows, label(this, "Label3", QStringLiteral("操作密码：")), m_operationPassword,
           label(this, "Label4", QStringLiteral("上传修改数据用")));
    addRow(requiredRows, label(this, "lblOperationPasswordAgain", QStringLiteral("确认操作密码：")),
           m_operationPasswordAgain);

    auto* optional = new QGroupBox(QStringLiteral("选填信息"), this);
    optional->setObjectName(QStringLiteral("Frame2"));
    auto* optionalRows = new QGridLayout(optional);
    addRow(optionalRows, label(this, "Label8", QStringLiteral("手机：")), m_mobile);
    addRow(optionalRows, label(this, "Label9", QStringLiteral("电话：")), m_telephone);
    addRow(optionalRows, label(this, "Label10", QStringLiteral("QQ：")), m_qq);
    // Both frames' boxes in one column.
    for (QGridLayout* rows : {requiredRows, optionalRows}) {
        rows->setColumnMinimumWidth(0, 90);
        rows->setColumnMinimumWidth(2, m_accountHint->minimumWidth());
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_register);
    buttons->addWidget(backButton());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    layout->addWidget(required);
    layout->addWidget(optional);
    layout->addLayout(buttons);

    QWidget* previous = m_account;
    for (QWidget* next : std::initializer_list<QWidget*>{
             m_teacherName, m_email, m_loginPassword, m_loginPasswordAgain, m_operationPassword,
             m_operationPasswordAgain, m_mobile, m_telephone, m_qq, m_register, backButton()}) {
        setTabOrder(previous, next);
        previous = next;
    }

    m_gate.guard(m_register);
    connect(m_account, &QLineEdit::textChanged, this, &RegistrationWindow::checkName);
    connect(m_register, &QPushButton::clicked, this, &RegistrationWindow::registerTeacher);
    showNameCheck();
}

void RegistrationWindow::checkName() {
    if (const auto query = m_nameCheck.nameChanged(m_account->text())) {
        m_service.checkUserNameLater(query->name, this,
                                     [this, ticket = query->ticket](const QString& reply) {
                                         if (m_nameCheck.replyArrived(ticket, reply))
                                             showNameCheck();
                                     });
    }
    showNameCheck();
}

void RegistrationWindow::showNameCheck() {
    m_accountHint->setText(m_nameCheck.hint());
    m_account->setStyleSheet(backgroundRule(m_nameCheck.colour()));
    m_register->setEnabled(m_nameCheck.canRegister() && !m_gate.isWaiting());
}

QLineEdit* RegistrationWindow::fieldOf(RegistrationField field) const {
    switch (field) {
    case RegistrationField::TeacherName:
        return m_teacherName;
    case RegistrationField::Email:
        return m_email;
    case RegistrationField::LoginPassword:
        return m_loginPassword;
    case RegistrationField::OperationPassword:
        break;
    }
    return m_operationPassword;
}

void RegistrationWindow::registerTeacher() {
    const TeacherRegistration typed{m_account->text(),       m_teacherName->text(),
                                    m_loginPassword->text(), m_operationPassword->text(),
                                    m_email->text(),         m_mobile->text(),
                                    m_telephone->text(),     m_qq->text()};
    if (const auto problem = firstRegistrationProblem(typed)) {
        dialogs::showMessage(this, QStringLiteral("提示"), problem->message,
                             dialogs::Icon::Warning);
        fieldOf(problem->field)->setFocus();
        return;
    }
    if (refusesUnconfirmed(m_loginPassword, m_loginPasswordAgain, QStringLiteral("登录密码")) ||
        refusesUnconfirmed(m_operationPassword, m_operationPasswordAgain,
                           QStringLiteral("操作密码")))
        return;

    const QPointer<RegistrationWindow> self(this);
    m_gate.run([&] {
        const Expected<> outcome = m_service.registerTeacher(trimmedRegistration(typed));
        if (self.isNull())
            return;
        if (outcome) {
            dialogs::showMessage(this, QStringLiteral("成功"),
                                 QStringLiteral("注册成功！\r\n请用您的帐号和登录密码登录！\r\n"
                                                "请牢记您的操作密码！"),
                                 dialogs::Icon::Information);
            for (QLineEdit* box :
                 {m_account, m_loginPassword, m_loginPasswordAgain, m_operationPassword,
                  m_operationPasswordAgain, m_teacherName, m_email})
                box->clear();
            m_nameCheck.whiten();
            hide();
            Q_EMIT registered(typed.userName);
        } else if (!outcome.refusal().isNoAnswer()) {
            dialogs::showMessage(this, QStringLiteral("登录"),
                                 outcome.why() + QStringLiteral("注册失败，请重试!"),
                                 dialogs::Icon::Warning);
        } else {
            dialogs::showMessage(
                this, QStringLiteral("错误"),
                noAnswerTextWithReply(outcome.refusal(), QStringLiteral("网络异常！")),
                dialogs::Icon::None);
        }
    });
    if (!self.isNull())
        showNameCheck();
}

} // namespace ordalis
