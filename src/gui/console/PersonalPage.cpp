// SPDX-License-Identifier: GPL-3.0-or-later
#include "PersonalPage.h"

#include "console/ConsoleActions.h"
#include "console/ConsoleWidgets.h"
#include "net/ServiceEndpoints.h"
#include "session/Blanks.h"
#include "session/Session.h"
#include "text/WireText.h"
#include "wire/TeacherData.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ordalis {

PersonalPage::PersonalPage(ConsoleActions& actions, QWidget* parent)
    : ConsolePage(0, QStringLiteral("个人信息维护"), actions, parent)
    , m_name(console::readOnlyLineEdit(this, QStringLiteral("Text6")))
    , m_account(console::readOnlyLineEdit(this, QStringLiteral("Text7")))
    , m_email(console::lineEdit(this, QStringLiteral("Text11")))
    , m_operationPassword(console::passwordBox(this, QStringLiteral("Text8")))
    , m_newLoginPassword(console::passwordBox(this, QStringLiteral("Text9")))
    , m_newOperationPassword(console::passwordBox(this, QStringLiteral("Text10"))) {
    struct Row {
        const char* label;
        const char16_t* caption;
        QLineEdit* box;
        const char* noteName;
        const char16_t* note;
    };
    const Row rows[] = {
        {"Label8", u"教师姓名：", m_name, nullptr, nullptr},
        {"Label7", u"登录帐号：", m_account, nullptr, nullptr},
        {"Label23", u"邮箱：", m_email, "Label24", u"可修改"},
        {"Label10", u"原操作密码：", m_operationPassword, nullptr, nullptr},
        {"Label11", u"新登录密码：", m_newLoginPassword, "Label13", u"如不修改请留空"},
        {"Label12", u"新操作密码：", m_newOperationPassword, "Label9", u"如不修改请留空"},
    };
    auto* grid = new QGridLayout;
    for (int row = 0; row < int(std::size(rows)); ++row) {
        const Row& r = rows[row];
        grid->addWidget(
            console::label(this, QString::fromLatin1(r.label), QString::fromUtf16(r.caption)), row,
            0);
        grid->addWidget(r.box, row, 1);
        if (r.noteName)
            grid->addWidget(
                console::label(this, QString::fromLatin1(r.noteName), QString::fromUtf16(r.note)),
                row, 2);
    }
    grid->setColumnStretch(1, 1);

    QPushButton* change =
        console::button(this, QStringLiteral("Command13"), QStringLiteral("修改"));
    QPushButton* reset = console::button(this, QStringLiteral("Command14"), QStringLiteral("重置"));
    actions.gate().guard(change);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(change);
    buttons->addWidget(reset);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(change, &QPushButton::clicked, this, &PersonalPage::change);
    connect(reset, &QPushButton::clicked, this, [this] {
        for (QLineEdit* box : {m_operationPassword, m_newLoginPassword, m_newOperationPassword})
            box->clear();
    });
}

void PersonalPage::enter(const QStringList&, const QStringList&) {
    // An offline session has no account on the service to show; asking would only wait.
    if (!m_actions.session().canChangeService())
        return;
    const QString reply = m_actions.read([this] { return m_actions.service().getTeacher(); });
    if (const auto teacher = TeacherData::fromText(reply)) {
        m_name->setText(teacher->name);
        m_account->setText(teacher->account);
        m_email->setText(teacher->email);
    }
}

void PersonalPage::change() {
    if (m_name->text().isEmpty() || m_account->text().isEmpty()) {
        m_actions.tell(QStringLiteral("错误"),
                       QStringLiteral("无法获取教师信息，暂时无法修改密码！"),
                       dialogs::Icon::Critical);
        return;
    }
    const QString operationPassword = trimSpaces(m_operationPassword->text());
    if (operationPassword.isEmpty()) {
        m_actions.tell(QStringLiteral("警告"), QStringLiteral("原操作密码必须填写！"),
                       dialogs::Icon::Warning);
        return;
    }
    const QString account = m_account->text();
    const QString email = trimSpaces(m_email->text());
    const QString newLogin = trimSpaces(m_newLoginPassword->text());
    const QString newOperation = trimSpaces(m_newOperationPassword->text());
    m_actions.requestShowingNetworkReply(
        [&] {
            return m_actions.service().setTeacher(account, email, operationPassword, newLogin,
                                                  newOperation);
        },
        {.successText = QStringLiteral("操作成功！"),
         .refusalText = QStringLiteral("操作失败！"),
         .beforeMessage = [&] {
             // The session reads with the new credential from now on.
             if (!newLogin.isEmpty())
                 m_actions.session().mp = md5Hex(newLogin);
             if (!newOperation.isEmpty())
                 Q_EMIT operationPasswordChanged(newOperation);
         }});
}

} // namespace ordalis
