// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccountWindow.h"

#include "accounts/PasswordConfirmation.h"
#include "common/Dialogs.h"
#include "common/EscapeKey.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

namespace ordalis {

AccountWindow::AccountWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_back(new QPushButton(QStringLiteral("返回"), this)) {
    m_back->setObjectName(QStringLiteral("Command2"));
    connect(m_back, &QPushButton::clicked, this, &QWidget::close);
    onEscape(this, [this] { m_back->click(); });
}

QLineEdit* AccountWindow::newBox(const char* objectName) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(objectName));
    box->setMinimumSize(200, 30);
    return box;
}

void AccountWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
    Q_EMIT returned();
}

bool AccountWindow::refusesUnconfirmed(QLineEdit* password, QLineEdit* again,
                                       const QString& which) {
    const Expected<> confirmed = checkConfirmation(password->text(), again->text(), which);
    if (confirmed)
        return false;
    dialogs::showMessage(this, QStringLiteral("提示"), confirmed.why(), dialogs::Icon::Warning);
    again->setFocus();
    again->selectAll();
    return true;
}

} // namespace ordalis
