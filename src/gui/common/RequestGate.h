// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window's request waits for its reply in a local event loop, so the window keeps taking
// clicks meanwhile. The gate of a window disables the controls that would send or change data
// while one of its requests waits, and gives each back the state it had once the reply is in
// (success, refusal, failure or timeout alike). A second request asked for meanwhile does not run.

#include <QList>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <initializer_list>
#include <memory>

namespace ordalis {

class RequestGate {
public:
    // A control that sends or changes data.
    void guard(QWidget* control);
    void guard(std::initializer_list<QWidget*> controls);

    bool isWaiting() const { return m_state->waiting; }

    // Runs `request` (which sends, waits and handles the reply) with the guarded controls
    // disabled. Returns false, running nothing, while another request of this gate waits. The
    // window may be discarded while the request waits: the gate outlives the wait by itself,
    // and `request` checks its own widgets before it touches them after the reply.
    bool run(const std::function<void()>& request);

private:
    struct State {
        QList<QPointer<QWidget>> controls;
        bool waiting = false;
    };

    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace ordalis
