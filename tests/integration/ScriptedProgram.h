// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows under test: message boxes and file dialogs answered as the test
// scripts them, web pages recorded instead of opened. Header-only.

#include "common/Browser.h"
#include "common/Dialogs.h"
#include "common/Look.h"

#include <QApplication>

namespace ordalis::test {

// Once per test program: the program's look, message boxes answered as the test scripts them
// and web pages recorded instead of opened.
inline void scriptTheProgram() {
    look::apply(*qApp);
    dialogs::setScripted(true);
    browser::setRecording(true);
}

// Before each case: forgets the messages, file dialogs and web pages an earlier case left.
inline void forgetWhatWasShown() {
    dialogs::takeShownMessages();
    dialogs::takeFileDialogTitles();
    browser::takeOpenedUrls();
}

} // namespace ordalis::test
