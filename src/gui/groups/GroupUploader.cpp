// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupUploader.h"

#include "common/Dialogs.h"
#include "net/ServiceEndpoints.h"

namespace ordalis {

GroupUploader::GroupUploader(QWidget* window, RequestGate gate, ServiceEndpoints& service,
                             TextSource operationPassword, TextSource className,
                             GroupsSource groups, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_gate(std::move(gate))
    , m_service(service)
    , m_password(std::move(operationPassword))
    , m_className(std::move(className))
    , m_groups(std::move(groups)) {}

void GroupUploader::upload() {
    const QString password = m_password();
    if (password.isEmpty()) {
        dialogs::showMessage(m_window, QStringLiteral("提示"), QStringLiteral("请输入操作密码！"),
                             dialogs::Icon::Warning);
        return;
    }
    Expected<> outcome = Refusal{{}, 0, Refusal::Kind::NoAnswer};
    // One click sends once: the button is held while the request waits.
    if (!m_gate.run([&] { outcome = m_service.uploadGroups(m_className(), password, m_groups()); }))
        return;

    if (outcome) {
        dialogs::showMessage(m_window, QStringLiteral("完成"), QStringLiteral("上传成功！"),
                             dialogs::Icon::Information);
        Q_EMIT uploaded();
    } else if (!outcome.refusal().isNoAnswer()) {
        dialogs::showMessage(m_window, QStringLiteral("错误"),
                             outcome.why() + QStringLiteral("\r\n上传错误！"),
                             dialogs::Icon::Warning);
    } else {
        dialogs::showMessage(m_window, QStringLiteral("错误"),
                             QStringLiteral("网络异常！请检查网络，然后重新上传！"),
                             dialogs::Icon::Warning);
    }
}

} // namespace ordalis
