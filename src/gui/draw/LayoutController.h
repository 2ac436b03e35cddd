// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's layout: the standards list beside the name board and the splitter bar
// between them, the name display's font fitted to its box, a window made larger than designed
// (maximised), the compact form with the way back to the full window, and projector mode,
// which fills the screen and gives the designed window back exactly as it was.

#include "layout/MainLayout.h"

#include <QObject>
#include <QSize>

class QMainWindow;

namespace ordalis {

class DrawPanel;

class LayoutController : public QObject {
    Q_OBJECT

public:
    LayoutController(QMainWindow* window, DrawPanel* panel, QObject* parent = nullptr);

    // The designed full window in pixels.
    QSize fullWindowPixels() const;
    bool isCompact() const { return m_compact; }

    // Lays out for a topic with (split) or without standards.
    void showStandards(bool split);
    // The name display shows this name: its font is fitted to the box.
    void fitName(const QString& name);
    void setCompact(bool compact);

    bool isProjector() const { return m_projector; }
    void setProjector(bool on);
    // The window's size changed: projector mode follows it, and a window larger than designed
    // gives the board, the name and the standards the extra room.
    void windowResized();

Q_SIGNALS:
    // Back from the compact form: the standards are shown again.
    void expanded();

private:
    void layOut(bool split);
    void onBarBeforeMove(bool& cancel, double& position);
    void onBarMoved();
    void placeProjector();
    void followWindowSize();

    struct WindowState {
        QRect geometry;
        Qt::WindowStates states;
        bool statusBarShown = true;
        int namePoints = 0;
    };

    QMainWindow* m_window;
    DrawPanel* m_panel;
    int m_namePoints = layout::MaxNameFontPoints;
    int m_nameWidth = 0; // the name box's width in twips
    bool m_compact = false;
    bool m_split = false;
    bool m_projector = false;
    int m_projectorPoints = 0;
    double m_barShare = 0;  // the bar's left edge over the window's inner width
    WindowState m_designed; // the window as it was before projector mode
    QString m_shownName;
};

} // namespace ordalis
