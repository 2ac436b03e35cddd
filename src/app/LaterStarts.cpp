// SPDX-License-Identifier: GPL-3.0-or-later
#include "LaterStarts.h"

#include "common/Dialogs.h"
#include "session/ProgramWindows.h"
#include "session/SingleProgram.h"

#include <cstdio>

namespace ordalis {

namespace {

const QString DrawCommand = QStringLiteral("draw");
const QString StopCommand = QStringLiteral("stop");

QString requestLine(const LaterStartRequest& request) {
    switch (request.kind) {
    case LaterStartRequest::Kind::Draw:
        return DrawCommand + u' ' + request.category;
    case LaterStartRequest::Kind::Stop:
        return StopCommand;
    case LaterStartRequest::Kind::Show:
        break;
    }
    return SingleProgram::ShowRequest;
}

void print(std::FILE* stream, const QString& text) {
    if (!text.isEmpty()) {
        std::fprintf(stream, "%s\n", text.toLocal8Bit().constData());
        std::fflush(stream);
    }
}

} // namespace

std::optional<int> handOverToRunningProgram(SingleProgram& single,
                                            const LaterStartRequest& request) {
    switch (single.start(requestLine(request))) {
    case SingleProgram::Start::First:
        if (request.kind == LaterStartRequest::Kind::Show)
            return std::nullopt;
        print(stderr, QStringLiteral("ordalis: Ordalis 没有在运行，请先打开 Ordalis 并登录"));
        return 1;
    case SingleProgram::Start::HandedOver: {
        const ChannelAnswer& answer = single.answer();
        print(answer ? stdout : stderr, answer ? *answer : answer.why());
        return answer ? 0 : 1;
    }
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
    CommandChannel& channel = single.channel();
    channel.addCommand(SingleProgram::ShowRequest, [&windows](const QString&) {
        windows.bringToFront();
        return ChannelAnswer(QString());
    });
    channel.addCommand(DrawCommand, [&windows](const QString& category) {
        return windows.drawFromOutside(category);
    });
    channel.addCommand(StopCommand,
                       [&windows](const QString&) { return windows.stopFromOutside(); });
}

} // namespace ordalis
