// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawnNamesBoard.h"

#include "common/Look.h"
#include "layout/DrawnNamesGrid.h"
#include "layout/TwipsPlacer.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QPushButton>
#include <algorithm>

namespace ordalis {

DrawnNamesBoard::DrawnNamesBoard(QFrame* board, const TwipsPlacer* placer, QObject* parent)
    : QObject(parent)
    , m_board(board)
    , m_placer(placer)
    , m_group(new QButtonGroup(this)) {
    for (int i = 0; i < MaxNames; ++i) {
        auto* button = new QPushButton(board);
        button->setObjectName(QStringLiteral("lblDrawn_%1").arg(i));
        button->setProperty("drawn", true);
        button->setCheckable(true);
        // The presenter's keys stay the window's; the score box takes the focus after a choice.
        button->setFocusPolicy(Qt::NoFocus);
        button->hide();
        m_group->addButton(button, i);
        m_buttons[i] = button;
    }
    connect(m_group, &QButtonGroup::idClicked, this,
            [this](int i) { Q_EMIT chosen(m_names.value(i)); });
    board->installEventFilter(this);
}

void DrawnNamesBoard::show(const QStringList& names) {
    m_names = names.mid(0, MaxNames);
    for (int i = 0; i < MaxNames; ++i) {
        // A name's "&" is a letter of the name, not a shortcut's mark.
        m_buttons[i]->setText(QString(m_names.value(i)).replace(u'&', QStringLiteral("&&")));
        m_buttons[i]->setVisible(i < m_names.size() && !m_blanked);
    }
    if (isShown())
        m_buttons[0]->setChecked(true);
    place();
}

void DrawnNamesBoard::clear() {
    show({});
}

void DrawnNamesBoard::setBlanked(bool blanked) {
    m_blanked = blanked;
    for (int i = 0; i < m_names.size(); ++i)
        m_buttons[i]->setVisible(!blanked);
}

void DrawnNamesBoard::place() {
    if (!isShown())
        return;
    qsizetype longest = 0;
    for (const QString& name : std::as_const(m_names))
        longest = std::max(longest, name.size());
    const QSize board(int(m_placer->twipsOf(m_board->width())),
                      int(m_placer->twipsOf(m_board->height())));
    const layout::DrawnNamesGrid grid =
        layout::drawnNamesGrid(board, int(m_names.size()), int(longest));
    const QFont font = look::font(std::max(1, grid.points), true);
    for (int i = 0; i < m_names.size(); ++i) {
        m_placer->place(m_buttons[i], grid.cells[i]);
        m_buttons[i]->setFont(font);
    }
}

bool DrawnNamesBoard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_board && event->type() == QEvent::Resize)
        place();
    return QObject::eventFilter(watched, event);
}

} // namespace ordalis
