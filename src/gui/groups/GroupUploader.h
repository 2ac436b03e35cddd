// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sending the arrangement of the sixteen groups of the current class to the score service
// (Command29 "上传分组信息" with the password in Text11).

#include "net/ServiceRequests.h"

#include <QObject>
#include <functional>

class QLineEdit;
class QPushButton;

namespace ordalis {

class ServiceEndpoints;

class GroupUploader : public QObject {
    Q_OBJECT

public:
    using ClassSource = std::function<QString()>;
    using GroupsSource = std::function<GroupLists()>;

    GroupUploader(QPushButton* command29, QLineEdit* text11, ServiceEndpoints& service,
                  ClassSource className, GroupsSource groups, QObject* parent = nullptr);

    void upload();

private:
    QPushButton* m_button;
    QLineEdit* m_password;
    ServiceEndpoints& m_service;
    ClassSource m_className;
    GroupsSource m_groups;
    bool m_sending = false;
};

} // namespace ordalis
