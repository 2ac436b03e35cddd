// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's open and save dialogs. Where the desktop offers no dialog of its own, Qt's
// dialog shows the files' sizes and dates in the program's locale (Chinese), whatever the
// system's locale is.

#include <QFileDialog>
#include <memory>

namespace ordalis::dialogs {

// qtFilter: Qt's form, descriptions joined by ";;".
std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, const QString& title,
                                            const QString& qtFilter, QFileDialog::AcceptMode mode);

} // namespace ordalis::dialogs
