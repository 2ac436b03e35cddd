// SPDX-License-Identifier: GPL-3.0-or-later
#include "RequestGate.h"

namespace ordalis {

void RequestGate::guard(QWidget* control) {
    if (control != nullptr && !m_state->controls.contains(control))
        m_state->controls.append(control);
}

void RequestGate::guard(std::initializer_list<QWidget*> controls) {
    for (QWidget* control : controls)
        guard(control);
}

bool RequestGate::run(const std::function<void()>& request) {
    if (m_state->waiting)
        return false;

    struct Held {
        QPointer<QWidget> control;
        bool wasEnabled; // its own setting, not the one inherited from a disabled parent
    };
    // Releases the controls when the request is over, even when its handler throws.
    struct Wait {
        std::shared_ptr<State> state;
        QList<Held> held;
        ~Wait() {
            state->waiting = false;
            for (const Held& h : std::as_const(held))
                if (!h.control.isNull())
                    h.control->setEnabled(h.wasEnabled);
        }
    } wait{m_state, {}};

    for (const QPointer<QWidget>& control : std::as_const(m_state->controls)) {
        if (control.isNull())
            continue;
        wait.held.append({control, !control->testAttribute(Qt::WA_ForceDisabled)});
        control->setEnabled(false);
    }
    m_state->waiting = true;
    request();
    return true;
}

} // namespace ordalis
