// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One group list of the groups page. A left press remembers the pressed entry and a drag
// carries it to another group list (or to another place in this one). Drops that did not
// start from a group list are refused, so nothing dragged in from elsewhere moves a name.

#include <QListWidget>

namespace ordalis {

class GroupList : public QListWidget {
    Q_OBJECT
public:
    static const QString MimeType;

    GroupList(int group, QWidget* parent = nullptr);
    int group() const { return m_group; }

Q_SIGNALS:
    void pressed(int group, int row);
    // A drop on this list before `row`, or below the last entry when row is -1.
    void dropped(int group, int row);
    // The drag that started here has ended, dropped or not.
    void dragEnded(int group);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int m_group;
    QPoint m_pressAt;
    bool m_armed = false;
};

} // namespace ordalis
