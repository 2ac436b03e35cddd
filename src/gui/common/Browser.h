// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening an address in the default web browser. Tests switch to recording mode, in which the
// addresses are kept instead of opened.

#include <QList>
#include <QUrl>

namespace ordalis::browser {

void open(const QUrl& url);

// ---- recording mode, for tests ----
void setRecording(bool recording);
QList<QUrl> takeOpenedUrls();

} // namespace ordalis::browser
