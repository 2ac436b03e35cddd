// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupUploader.h"

#include "common/Dialogs.h"
#include "net/ServiceEndpoints.h"

#include <QLineEdit>
#include <QPushButton>

namespace ordalis {

GroupUploader::GroupUploader(QPushButton* command29, QLineEdit* text11, ServiceEndpoints& service,
                             ClassSource className, GroupsSource groups, QObject* parent)
    : QObject(parent)
    , m_button(command29)
    , m_password(text11)
    , m_service(service)
    , m_className(std::move(className))
    , m_groups(std::move(groups)) {}

void GroupUploader::upload() {
    QWidget* window = m_button->window();
    if (m_password->text().isEmpty()) {
        dialogs::showMessage(window, QStringLiteral("提示"), QStringLiteral("请输入操作密码！"),
                             dialogs::Icon::Warning);
        return;
    }
    if (m_sending)
        return;

    // The button stays disabled while the request is in flight, so one click sends once.
    m_sending = true;
    m_button->setEnabled(false);
    const PostOutcome outcome =
        m_service.uploadGroups(m_className(), m_password->text(), m_groups());
    m_button->setEnabled(true);
    m_sending = false;

    if (outcome.isSuccess()) {
        dialogs::showMessage(window, QStringLiteral("完成"), QStringLiteral("上传成功！"),
                             dialogs::Icon::Information);
    } else if (outcome.isRefused()) {
        dialogs::showMessage(window, QStringLiteral("错误"),
                             outcome.replyText + QStringLiteral("\r\n上传错误！"),
                             dialogs::Icon::Warning);
    } else {
        dialogs::showMessage(window, QStringLiteral("错误"),
                             QStringLiteral("网络异常！请检查网络，然后重新上传！"),
                             dialogs::Icon::Warning);
    }
}

} // namespace ordalis
