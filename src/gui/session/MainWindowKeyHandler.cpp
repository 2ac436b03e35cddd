// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowKeyHandler.h"

#include "draw/DrawController.h"
#include "draw/DrawPanel.h"
#include "draw/LayoutController.h"
#include "session/MainWindowKeys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace ordalis {
namespace {

// A control that takes typed text: keys such as Space and B are its own.
bool takesText(const QWidget* widget) {
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->isEditable() && !combo->lineEdit()->isReadOnly();
    return qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QTextEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

} // namespace

MainWindowKeyHandler::MainWindowKeyHandler(QWidget* window, DrawPanel* panel, DrawController* draw,
                                           LayoutController* layout, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_panel(panel)
    , m_draw(draw)
    , m_layout(layout) {
    qApp->installEventFilter(this);
}

bool MainWindowKeyHandler::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != m_window || !m_panel->isVisible())
        return false;
    const auto* press = static_cast<QKeyEvent*>(event);
    if ((press->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    const MainWindowKey action = mainWindowKey(
        press->key(), takesText(static_cast<QWidget*>(watched)), m_layout->isProjector());
    if (action == MainWindowKey::None)
        return false;
    if (press->isAutoRepeat())
        return true; // a held key acts once
    switch (action) {
    case MainWindowKey::DrawLastCategory:
        m_draw->toggleLastCategory();
        break;
    case MainWindowKey::DrawNotYetCalled:
        m_draw->toggleNotYetCalled();
        break;
    case MainWindowKey::BlankName:
        m_panel->setNameBlanked(!m_panel->isNameBlanked());
        break;
    case MainWindowKey::EnterProjector:
        m_layout->setProjector(true);
        break;
    case MainWindowKey::LeaveProjector:
        m_layout->setProjector(false);
        break;
    case MainWindowKey::OpenHistory:
        Q_EMIT m_panel->historyRequested();
        break;
    case MainWindowKey::ChooseDrawCount:
        m_panel->setDrawCount(drawCountOfKey(press->key()));
        break;
    case MainWindowKey::ToggleOverlay:
        Q_EMIT m_panel->overlayRequested();
        break;
    case MainWindowKey::None:
        break;
    }
    return true;
}

} // namespace ordalis
