// SPDX-License-Identifier: GPL-3.0-or-later
#include "EscapeKey.h"

#include <QKeyEvent>

namespace ordalis {
namespace {

class EscapeFilter : public QObject {
public:
    EscapeFilter(QWidget* widget, std::function<void()> action)
        : QObject(widget)
        , m_widget(widget)
        , m_action(std::move(action)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A key the focused control ignored travels up to the widget itself.
        if (watched == m_widget && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            m_action();
            return true;
        }
        return false;
    }

private:
    QWidget* m_widget;
    std::function<void()> m_action;
};

} // namespace

void onEscape(QWidget* widget, std::function<void()> action) {
    new EscapeFilter(widget, std::move(action));
}

} // namespace ordalis
