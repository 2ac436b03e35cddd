// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way a step says no, in the program, its core and the service. A step that can be
// refused returns Expected<T> (Expected<> when it gives nothing back): its result, or a
// Refusal with the reason in the words its reader sees (Chinese for a teacher or a school's
// administrator, the protocol's words for a client) and, where the refusal is an HTTP reply,
// its status. Both types are [[nodiscard]]: a refusal cannot be dropped without a warning.
// No step says no with an empty text for success, a bool with the reason in an out-parameter,
// a std::optional with the reason kept elsewhere, or a struct of its own with an ok flag; a
// result that carries more than the refusal is built on Expected (FileWrite keeps the file it
// was of). A step that deliberately goes on after a refusal says so with static_cast<void>
// and a comment why.
//
// Failures that no caller can answer differently stay exceptions, caught in one place: a
// database that stops answering in the middle of a statement (DatabaseError) and every
// password hashing slot taken (HashingBusy), each answered by the protocol as a whole. This
// type is for the refusals a caller decides on.

#include <QString>
#include <optional>
#include <utility>
#include <variant>

namespace ordalis {

struct [[nodiscard]] Refusal {
    enum class Kind {
        Refused,  // the step was answered with a no
        NoAnswer, // no answer came: a network failure, a timeout, a reply that is not one
    };

    QString text;
    int httpStatus = 0; // the reply's status where there was one, 0 otherwise
    Kind kind = Kind::Refused;

    bool isNoAnswer() const { return kind == Kind::NoAnswer; }
};

inline Refusal refusal(QString text, int httpStatus = 0) {
    return Refusal{std::move(text), httpStatus, Refusal::Kind::Refused};
}

template <typename T = void> class [[nodiscard]] Expected {
public:
    Expected(T value)
        : m_state(std::in_place_index<0>, std::move(value)) {}
    Expected(Refusal refused)
        : m_state(std::in_place_index<1>, std::move(refused)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<0>(m_state); }
    T& value() & { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    T&& operator*() && { return std::move(*this).value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }
    T valueOr(T fallback) const& { return ok() ? value() : std::move(fallback); }

    const Refusal& refusal() const { return std::get<1>(m_state); }
    // The reason, or the empty text when the step was not refused.
    QString why() const { return ok() ? QString() : refusal().text; }

private:
    std::variant<T, Refusal> m_state;
};

template <> class [[nodiscard]] Expected<void> {
public:
    Expected() = default;
    Expected(Refusal refused)
        : m_refusal(std::move(refused)) {}

    bool ok() const { return !m_refusal; }
    explicit operator bool() const { return ok(); }

    const Refusal& refusal() const { return *m_refusal; }
    QString why() const { return ok() ? QString() : m_refusal->text; }

private:
    std::optional<Refusal> m_refusal;
};

} // namespace ordalis
