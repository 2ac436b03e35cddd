// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// First letters of the pinyin readings of Chinese characters, for the quick pick.

#include <QString>

namespace ordalis {

// Every GB2312 Chinese character becomes the upper-case first letter of its reading, and any
// other Chinese character the first letter of ICU's reading where ICU has one; every other
// character passes unchanged, so the result is as long as the input.
QString getInitials(QStringView text);

} // namespace ordalis
