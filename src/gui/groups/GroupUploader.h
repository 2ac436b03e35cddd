// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sending the arrangement of the sixteen groups of the current class to the score service
// ("上传分组信息" with the operation password of the groups page).

#include "common/RequestGate.h"
#include "net/ServiceRequests.h"

#include <QObject>
#include <functional>

class QWidget;

namespace ordalis {

class ServiceEndpoints;

class GroupUploader : public QObject {
    Q_OBJECT

public:
    using TextSource = std::function<QString()>;
    using GroupsSource = std::function<GroupLists()>;

    // window: where the messages are shown; gate: the window's request gate, which holds the
    // upload button while the request waits.
    GroupUploader(QWidget* window, RequestGate gate, ServiceEndpoints& service,
                  TextSource operationPassword, TextSource className, GroupsSource groups,
                  QObject* parent = nullptr);

    void upload();

Q_SIGNALS:
    // The service took the arrangement; the record it gives from now on holds it.
    void uploaded();

private:
    QWidget* m_window;
    RequestGate m_gate;
    ServiceEndpoints& m_service;
    TextSource m_password;
    TextSource m_className;
    GroupsSource m_groups;
};

} // namespace ordalis
