// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's own keys while its draw panel shows (a keyboard or a presenter remote):
// the draw on the last category or on "未点", its count, the blanked name and projector mode. They
// are caught before the focused control sees them, so Space never clicks the focused button.

#include <QObject>

namespace ordalis {

class DrawController;
class DrawPanel;
class LayoutController;

class MainWindowKeyHandler : public QObject {
    Q_OBJECT

public:
    MainWindowKeyHandler(QWidget* window, DrawPanel* panel, DrawController* draw,
                         LayoutController* layout, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    DrawPanel* m_panel;
    DrawController* m_draw;
    LayoutController* m_layout;
};

} // namespace ordalis
