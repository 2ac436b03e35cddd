// SPDX-License-Identifier: GPL-3.0-or-later
#include "Splitter.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QSettings>
#include <cmath>

namespace ordalis {

namespace {

int buttonValue(Qt::MouseButtons buttons) {
    int value = 0;
    if (buttons & Qt::LeftButton)
        value |= 1;
    if (buttons & Qt::RightButton)
        value |= 2;
    if (buttons & Qt::MiddleButton)
        value |= 4;
    return value;
}

int shiftValue(Qt::KeyboardModifiers modifiers) {
    int value = 0;
    if (modifiers & Qt::ShiftModifier)
        value |= 1;
    if (modifiers & Qt::ControlModifier)
        value |= 2;
    if (modifiers & Qt::AltModifier)
        value |= 4;
    return value;
}

} // namespace

Splitter::Splitter(QWidget* parent)
    : QWidget(parent) {
    setOrientation(Vertical);
}

QColor Splitter::defaultBackColor() {
    return QApplication::palette().color(QPalette::Button);
}

void Splitter::setOrientation(int orientation) {
    m_orientation = orientation;
    setCursor(orientation == Horizontal ? Qt::SizeVerCursor : Qt::SizeHorCursor);
}

void Splitter::setBackColor(const QColor& color) {
    if (color == m_backColor)
        return;
    m_backColor = color;
    update();
    Q_EMIT propertyChanged(QStringLiteral("BackColor"));
}

void Splitter::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void Splitter::setBarEnabled(bool enabled) {
    if (enabled == isEnabled())
        return;
    setEnabled(enabled);
    Q_EMIT propertyChanged(QStringLiteral("Enabled"));
}

void Splitter::setUnitsPerPixel(double units) {
    m_unitsPerPixel = units > 0 ? units : 1.0;
}

double Splitter::position() const {
    return (m_orientation == Horizontal ? y() : x()) * m_unitsPerPixel;
}

void Splitter::writeLayout(QSettings& store) const {
    store.setValue(QStringLiteral("Orientation"), m_orientation);
    store.setValue(QStringLiteral("BackColor"), m_backColor);
    store.setValue(QStringLiteral("Picture"), m_picture);
    store.setValue(QStringLiteral("Enabled"), isEnabled());
}

void Splitter::readLayout(const QSettings& store) {
    setOrientation(store.value(QStringLiteral("Orientation"), Vertical).toInt());
    setBackColor(store.value(QStringLiteral("BackColor"), defaultBackColor()).value<QColor>());
    setPicture(store.value(QStringLiteral("Picture")).value<QPixmap>());
    setBarEnabled(store.value(QStringLiteral("Enabled"), true).toBool());
}

double Splitter::along(const QPointF& point) const {
    return (m_orientation == Horizontal ? point.y() : point.x()) * m_unitsPerPixel;
}

void Splitter::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position() * m_unitsPerPixel;
    Q_EMIT mousePressed(buttonValue(event->button()), shiftValue(event->modifiers()), at.x(),
                        at.y());
    m_pressed = true;
    if (event->button() == Qt::LeftButton) {
        m_grabOffset = along(event->position());
        m_dragging = true;
    }
}

void Splitter::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position() * m_unitsPerPixel;
    Q_EMIT mouseMoved(buttonValue(event->buttons()), shiftValue(event->modifiers()), at.x(),
                      at.y());
    if (!m_dragging)
        return;
    bool cancel = false;
    double proposed = position() + along(event->position()) - m_grabOffset;
    Q_EMIT beforeMove(cancel, proposed);
    if (cancel)
        return;
    const int pixels = int(std::lround(proposed / m_unitsPerPixel));
    if (m_orientation == Horizontal)
        move(x(), pixels);
    else
        move(pixels, y());
    Q_EMIT moved();
}

void Splitter::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position() * m_unitsPerPixel;
    Q_EMIT mouseReleased(buttonValue(event->button()), shiftValue(event->modifiers()), at.x(),
                         at.y());
    m_dragging = false;
    if (m_pressed && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    m_pressed = false;
}

void Splitter::mouseDoubleClickEvent(QMouseEvent* event) {
    Q_EMIT doubleClicked();
    mousePressEvent(event);
}

void Splitter::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    if (!m_picture.isNull()) {
        const QSize size = m_picture.size().scaled(this->size(), Qt::KeepAspectRatio);
        QRect target(QPoint(), size);
        target.moveCenter(rect().center());
        painter.drawPixmap(target, m_picture);
    }
}

} // namespace ordalis
