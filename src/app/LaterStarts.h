// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's side of SingleProgram: a start on a data folder that a running program holds
// hands its request over and ends, and the running program answers such starts. A plain start
// asks for the window; `--draw [CATEGORY]` and `--stop` drive a draw of the running program.

#include <QString>
#include <optional>

namespace ordalis {

class ProgramWindows;
class SingleProgram;

// What this start asks of the running program.
struct LaterStartRequest {
    enum class Kind { Show, Draw, Stop };
    Kind kind = Kind::Show;
    QString category; // of a draw: a category's caption
};

// Before anything of the program starts. Nothing when this start holds the folder and is to
// run the program; otherwise the exit code this start ends with: 0 once the running program
// did what was asked (what it answered on standard output), 1 when it refused (the reason on
// standard error), when no program runs to draw in, or when it does not answer, after telling
// the teacher so.
std::optional<int> handOverToRunningProgram(SingleProgram& single,
                                            const LaterStartRequest& request);

// Once the windows exist: a later start brings them to the front, or draws.
void answerLaterStarts(SingleProgram& single, ProgramWindows& windows);

} // namespace ordalis
