// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The teacher's account data as getteacher.php sends it: name, account and e-mail, each a
// line of its own, CR LF between them and none after the last.

#include <QString>
#include <optional>

namespace ordalis {

struct TeacherData {
    QString name;
    QString account;
    QString email;

    QString toText() const;
    // Exactly three lines; any other shape, a trailing CR LF included, gives nothing.
    static std::optional<TeacherData> fromText(const QString& reply);
};

} // namespace ordalis
