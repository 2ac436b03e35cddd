// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's side of SingleProgram: a start on a data folder that a running program holds
// hands its request over and ends, and the running program answers such starts.

#include <optional>

namespace ordalis {

class ProgramWindows;
class SingleProgram;

// Before anything of the program starts. Nothing when this start holds the folder; otherwise
// the exit code this start ends with: 0 once the running program took the request, 1 when it
// does not answer, after telling the teacher so.
std::optional<int> handOverToRunningProgram(SingleProgram& single);

// Once the windows exist: a later start brings them to the front.
void answerLaterStarts(SingleProgram& single, ProgramWindows& windows);

} // namespace ordalis
