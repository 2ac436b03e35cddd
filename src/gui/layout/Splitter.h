// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A thin bar that the user drags with the left mouse button across its parent. It resizes
// nothing itself: before every step it asks its owner (BeforeMove, which may cancel or change
// the position), moves, then reports Moved so the owner can lay out around it. Positions and
// mouse coordinates are in the parent's units (unitsPerPixel, 1 by default).

#include <QColor>
#include <QPixmap>
#include <QWidget>

class QSettings;

namespace ordalis {

class Splitter : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QPixmap Picture READ picture WRITE setPicture)
    Q_PROPERTY(bool Enabled READ isBarEnabled WRITE setBarEnabled)

public:
    static constexpr int Horizontal = 1; // lying bar, moves up and down
    static constexpr int Vertical = 2;   // upright bar, moves left and right

    // Mouse button values of the events: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
    explicit Splitter(QWidget* parent = nullptr);

    int orientation() const { return m_orientation; }
    void setOrientation(int orientation);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);
    QPixmap picture() const { return m_picture; }
    void setPicture(const QPixmap& picture);
    bool isBarEnabled() const { return isEnabled(); }
    void setBarEnabled(bool enabled);
    // The bar's own window.
    QWidget* hWnd() { return this; }

    double unitsPerPixel() const { return m_unitsPerPixel; }
    void setUnitsPerPixel(double units);
    // The moving edge (left for an upright bar, top for a lying one) in parent units.
    double position() const;

    // The four stored properties, under "Orientation", "BackColor", "Picture", "Enabled" of
    // the store's current group; missing keys give the defaults.
    void writeLayout(QSettings& store) const;
    void readLayout(const QSettings& store);

    static QColor defaultBackColor();

Q_SIGNALS:
    void moved();
    void beforeMove(bool& cancel, double& position);
    void clicked();
    void doubleClicked();
    void mousePressed(int button, int shift, double x, double y);
    void mouseMoved(int button, int shift, double x, double y);
    void mouseReleased(int button, int shift, double x, double y);
    void propertyChanged(const QString& name);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    double along(const QPointF& point) const; // the coordinate that follows the drag

    int m_orientation = Vertical;
    QColor m_backColor = defaultBackColor();
    QPixmap m_picture;
    double m_unitsPerPixel = 1.0;
    bool m_dragging = false;
    bool m_pressed = false;
    double m_grabOffset = 0;
};

} // namespace ordalis
