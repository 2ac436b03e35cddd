// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening an address in the default web browser, or a folder in the file manager. When neither
// can be started, the teacher is told so with the address or folder to copy, over `parent`.
// Tests switch to recording mode, in which the addresses are kept instead of opened.

#include <QList>
#include <QUrl>

class QWidget;

namespace ordalis::browser {

void open(QWidget* parent, const QUrl& url);

// ---- recording mode, for tests ----
void setRecording(bool recording);
QList<QUrl> takeOpenedUrls();

} // namespace ordalis::browser
