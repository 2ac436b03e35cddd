// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's look: a calm palette and the Chinese font, readable at projector distance.

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>

class QApplication;

namespace ordalis::look {

QString fontFamily();
QFont font(int points, bool bold = false);
// The program's icon at the sizes it is drawn in, carried in the program itself.
QIcon programIcon();
// Application font, style sheet and window icon; called once by main() and by the tests.
void apply(QApplication& app);

inline const QColor BoardColor{0x1f, 0x3b, 0x4d};
inline const QColor NameColor{0xff, 0xf6, 0xd5};
inline const QColor AccentColor{0x2e, 0x86, 0xab};

} // namespace ordalis::look
