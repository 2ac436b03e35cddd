// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The live check of a wished-for account name. Characters and length are judged at once; a
// name that passes both is asked about on the service, and only the reply for the name as it
// now stands counts: a reply to an older text is ignored, so typing fast over a slow service
// never leaves a stale verdict. Registering is possible only after the service's reply for
// the current name is exactly "√".

#include <QString>
#include <optional>

namespace ordalis {

class NameCheck {
public:
    static inline const QString LengthHint = QStringLiteral("4位以上字母数字_");
    static inline const QString CheckingHint = QStringLiteral("正在检查用户名是否可用...");
    static inline const QString IllegalHint = QStringLiteral("非法字符");
    static inline const QString FreeReply = QStringLiteral("√");

    enum class Colour { White, Green, Red };

    // A question for the service; its reply is handed back with the same ticket.
    struct Query {
        quint64 ticket;
        QString name; // trimmed
    };

    // The name box changed. Returns the question to send when the service has to decide.
    std::optional<Query> nameChanged(const QString& text);
    // A reply arrived; false, changing nothing, when it answers an older text.
    bool replyArrived(quint64 ticket, const QString& reply);
    // The box back to white without a new check (after a registration emptied it).
    void whiten() { m_colour = Colour::White; }

    const QString& hint() const { return m_hint; }
    Colour colour() const { return m_colour; }
    bool canRegister() const { return m_canRegister; }
    bool isWaiting() const { return m_waiting; }

private:
    void settle();

    quint64 m_ticket = 0;
    bool m_waiting = false;
    QString m_hint = LengthHint;
    Colour m_colour = Colour::White;
    bool m_canRegister = false;
};

} // namespace ordalis
