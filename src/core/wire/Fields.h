// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys of the protocol's fields, each spelled here and nowhere else: the program writes
// its bodies and queries with them, the service checks and reads its fields with them. Keys are
// ASCII, so the same bytes stand in a body, a query and the service's lookup.

#include <QByteArrayView>
#include <QString>

namespace ordalis::wire {

// A field's key or an endpoint's path.
class Ascii {
public:
    template <qsizetype N>
    constexpr Ascii(const char (&text)[N])
        : m_text(text, N - 1) {}

    constexpr QLatin1StringView text() const { return m_text; }
    constexpr QByteArrayView bytes() const { return {m_text.data(), m_text.size()}; }
    bool operator==(const Ascii& other) const { return m_text == other.m_text; }

private:
    QLatin1StringView m_text;
};
using Key = Ascii;

namespace field {

// Who a request speaks for.
inline constexpr Key UserName{"username"};
inline constexpr Key Password{"password"}; // the login password, or a change's operation one
inline constexpr Key Reader{"t"};          // the account a read is for
inline constexpr Key ReaderMp{"mp"};       // its login password's md5
// The same key as Reader, where it holds a fresh number so that no cache answers.
inline constexpr Key Fresh = Reader;

// Accounts.
inline constexpr Key TeacherName{"teachername"};
inline constexpr Key OperationPassword{"superpassword"};
inline constexpr Key Email{"email"};
inline constexpr Key Mobile{"mb"};
inline constexpr Key Telephone{"tel"};
inline constexpr Key Qq{"qq"};
inline constexpr Key CheckCode{"checkcode"};
inline constexpr Key ResetLoginPassword{"newpswd"};
inline constexpr Key ResetOperationPassword{"newsuperpswd"};
inline constexpr Key OldOperationPassword{"oldsuperpassword"};
inline constexpr Key NewLoginPassword{"newlogpassword"};
inline constexpr Key NewOperationPassword{"newsuperpassword"};
inline constexpr Key NameToCheck{"u"};

// A teacher's data.
inline constexpr Key Class{"class"}; // a class's name, or the "|" list of them
inline constexpr Key OldClassName{"oldclassname"};
inline constexpr Key NewClassName{"newclassname"};
inline constexpr Key Students{"student"};
inline constexpr Key OldStudentName{"oldstuname"};
inline constexpr Key NewStudentName{"newstuname"};
inline constexpr Key Group{"group"}; // indexed: group[0] … group[15]
inline constexpr Key Topic{"keti"};  // a topic, or the "|" list of them
inline constexpr Key OldTopic{"oldketi"};
inline constexpr Key NewTopic{"newketi"};
inline constexpr Key NewStandardTexts{"newscale"};
inline constexpr Key NewStandardScores{"newscore"};
inline constexpr Key StandardId{"scaleid"};
inline constexpr Key StandardText{"scale"};
inline constexpr Key Score{"score"}; // one score, or an upload's "|" list of score lines
inline constexpr Key ScoreId{"scoreid"};
inline constexpr Key Time{"time"};
inline constexpr Key Remark{"addtion"};
inline constexpr Key DeletedIds{"delid"};
inline constexpr Key Calls{"calls"};
inline constexpr Key Batch{"batch"};

// Reads and pages.
inline constexpr Key From{"from"};
inline constexpr Key To{"to"};
inline constexpr Key Format{"format"};
inline constexpr Key LineCount{"n"};
inline constexpr Key Product{"s"};
inline constexpr Key Sort{"sort"};

} // namespace field
} // namespace ordalis::wire
