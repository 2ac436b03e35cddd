// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameCheck.h"

#include <QRegularExpression>

namespace ordalis {

namespace {

constexpr int MinimumNameLength = 4;

bool hasOnlyNameCharacters(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^[a-z0-9_]*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(text).hasMatch();
}

} // namespace

std::optional<NameCheck::Query> NameCheck::nameChanged(const QString& text) {
    ++m_ticket; // whatever was asked before no longer counts
    m_waiting = false;
    if (!hasOnlyNameCharacters(text)) {
        m_hint = IllegalHint;
        settle();
        return std::nullopt;
    }
    m_colour = Colour::White;
    const QString name = text.trimmed();
    if (name.size() < MinimumNameLength) {
        m_hint = LengthHint;
        settle();
        return std::nullopt;
    }
    // White and not yet registrable until the service has spoken.
    m_hint = CheckingHint;
    m_canRegister = false;
    m_waiting = true;
    return Query{m_ticket, name};
}

bool NameCheck::replyArrived(quint64 ticket, const QString& reply) {
    if (!m_waiting || ticket != m_ticket)
        return false;
    m_waiting = false;
    m_hint = reply;
    settle();
    return true;
}

void NameCheck::settle() {
    m_canRegister = m_hint == FreeReply;
    m_colour = m_canRegister ? Colour::Green : Colour::Red;
}

} // namespace ordalis
