// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps a window that stays on top above another program's full-screen window too. Window
// managers such as openbox stack a focused full-screen window in a layer over the windows that
// stay on top; the windows that belong to it (transient for it) share its layer, above it. So
// while the active window is a full-screen one (another program's slideshow, or this program's
// own projector mode), the window is made its transient; once it is not, the window is nobody's
// again. Under X11 only; elsewhere nothing.

#include <QObject>
#include <QTimer>

class QWidget;

namespace ordalis {

class AboveFullScreen : public QObject {
public:
    // Watches while `window` is shown.
    explicit AboveFullScreen(QWidget* window);

private:
    void follow();

    QWidget* m_window;
    QTimer m_watch;
    unsigned m_owner = 0; // the full-screen window it belongs to now, 0 for none
};

} // namespace ordalis
