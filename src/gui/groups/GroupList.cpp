// SPDX-License-Identifier: GPL-3.0-or-later
#include "GroupList.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>

namespace ordalis {

const QString GroupList::MimeType = QStringLiteral("application/x-ordalis-group-entry");

GroupList::GroupList(int group, QWidget* parent)
    : QListWidget(parent)
    , m_group(group) {
    setObjectName(QStringLiteral("List_group_%1").arg(group));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::NoDragDrop); // the window moves the names itself
    viewport()->setAcceptDrops(true);
}

void GroupList::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    m_armed = false;
    if (event->button() != Qt::LeftButton)
        return;
    m_armed = true;
    m_pressAt = event->position().toPoint();
    Q_EMIT pressed(m_group, currentRow());
}

void GroupList::mouseMoveEvent(QMouseEvent* event) {
    if (!m_armed || !(event->buttons() & Qt::LeftButton) ||
        (event->position().toPoint() - m_pressAt).manhattanLength() <
            QApplication::startDragDistance()) {
        QListWidget::mouseMoveEvent(event);
        return;
    }
    m_armed = false;
    auto* mime = new QMimeData;
    mime->setData(MimeType, QByteArray::number(m_group));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction);
    Q_EMIT dragEnded(m_group);
}

void GroupList::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(MimeType))
        event->acceptProposedAction();
    else
        event->ignore();
}

void GroupList::dragMoveEvent(QDragMoveEvent* event) {
    if (!event->mimeData()->hasFormat(MimeType)) {
        event->ignore();
        return;
    }
    // The entry under the pointer marks where the name will go.
    if (QListWidgetItem* under = itemAt(event->position().toPoint()))
        setCurrentItem(under);
    event->acceptProposedAction();
}

void GroupList::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(MimeType)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    QListWidgetItem* under = itemAt(event->position().toPoint());
    Q_EMIT dropped(m_group, under ? row(under) : -1);
}

} // namespace ordalis
