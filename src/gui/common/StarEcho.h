// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Password boxes show one "*" per character, as teachers are used to.

class QLineEdit;

namespace ordalis {

void echoStars(QLineEdit* box);

} // namespace ordalis
