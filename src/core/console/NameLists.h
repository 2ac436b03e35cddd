// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console's lists of names (classes, students, topics): names typed or imported into an
// add box, the duplicate test, the characters the service cannot store in a name, and the
// identifier text of deleted score and standard lines.

#include "text/Refusal.h"

#include <QString>
#include <QStringList>

namespace ordalis::console {

// The names of an add box: one per line (CR LF, LF or CR), every space removed; lines that
// hold nothing else are skipped.
QStringList typedNames(QStringView boxText);

struct AddedNames {
    int added = 0;
    int duplicates = 0;
};

// Appends each name that is not in the list yet, in order. A name met twice is added once and
// counted once as a duplicate.
AddedNames appendNew(QStringList& list, const QStringList& names);

// Whether all names can be sent; refused, with the "提示" text naming it, for the first name
// holding a character that would break the list or the form it travels in ("|", "&", "=",
// TAB, CR, LF) or a unit that has no bytes at all (an unpaired surrogate).
Expected<> checkNamesFit(const QStringList& names);

// The identifiers of deleted lines as the service reads them: each led by "|" ("|15|12").
QString deletionText(const QStringList& ids);

} // namespace ordalis::console
