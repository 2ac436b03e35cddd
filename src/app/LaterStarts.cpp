// SPDX-License-Identifier: GPL-3.0-or-later
#include "LaterStarts.h"

#include "common/Dialogs.h"
#include "session/ProgramWindows.h"
#include "session/SingleProgram.h"

namespace ordalis {

std::optional<int> handOverToRunningProgram(SingleProgram& single) {
    switch (single.start(SingleProgram::ShowRequest)) {
    case SingleProgram::Start::First:
        return std::nullopt;
    case SingleProgram::Start::HandedOver:
        return 0;
    case SingleProgram::Start::NotAnswering:
        break;
    }
    dialogs::showMessage(nullptr, QStringLiteral("提示"),
                         QStringLiteral("Ordalis 已在运行，但没有响应。请稍等片刻再打开；"
                                        "如果一直没有响应，请先结束正在运行的 Ordalis，"
                                        "再重新打开。"),
                         dialogs::Icon::Warning);
    return 1;
}

void answerLaterStarts(SingleProgram& single, ProgramWindows& windows) {
    single.channel().addCommand(SingleProgram::ShowRequest, [&windows](const QString&) {
        windows.bringToFront();
        return ChannelAnswer{true, {}};
    });
}

} // namespace ordalis
