// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The columns of the history window's student table, in the order shown.

#include <QString>

namespace ordalis {

struct StudentColumns {
    enum Column { Name, Calls, Scores, Total, Mean, LastCalled, Today, Count };
    static QString header(int column);
};

} // namespace ordalis
