// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout: the standards list beside the name board, the splitter bar, the
// compact form and the fitting of the name display.

#include "Form1.h"
#include "draw/DrawPanel.h"
#include "layout/MainLayout.h"
#include "layout/Splitter.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>

namespace ordalis {

void Form1::showTopicStandards() {
    QListWidget* list = m_draw->List1;
    list->clear();
    if (const std::optional<Topic> topic = m_record.findTopic(m_draw->Combo3->currentText())) {
        for (const ScaleStandard& standard : topic->standards)
            list->addItem(QStringLiteral("[%1分]\t%2").arg(standard.score, standard.text));
    }
    const bool split = list->count() > 0;
    layOut(split);
    list->setVisible(split && !m_compact);
    m_draw->Splitter1->setVisible(split && !m_compact);
}

QSize Form1::fullWindowPixels() const {
    const QSize twips = layout::fullWindowSize(DrawPanel::DesignSize);
    return QSize(m_placer.pixels(twips.width()), m_placer.pixels(twips.height()));
}

void Form1::layOut(bool split) {
    DrawPanel* d = m_draw;
    const QSize window = layout::fullWindowSize(DrawPanel::DesignSize);
    layout::SplitGeometry g;
    if (split) {
        const int bar = int(d->Splitter1->position());
        g = layout::splitLayout(d->leftPane(), bar, DrawPanel::BarWidth, window.width());
        d->List1->setGeometry(m_placer.pixels(g.listLeft), d->List1->y(),
                              m_placer.pixels(g.listWidth), d->List1->height());
    } else {
        g = layout::singlePaneLayout(window.width());
    }
    d->Text13->resize(m_placer.pixels(g.boardWidth), d->Text13->height());
    d->Combo3->resize(m_placer.pixels(g.topicWidth), d->Combo3->height());
    m_nameWidth = g.nameWidth;
    d->Text2->resize(m_placer.pixels(m_nameWidth), d->Text2->height());
    centreName();
}

void Form1::centreName() {
    QLineEdit* name = m_draw->Text2;
    const QRect board = DrawPanel::BoardRect;
    const int height = name->sizeHint().height();
    const int top =
        layout::centredNameTop(board.y(), board.height(), int(m_placer.twipsOf(height)));
    name->setGeometry(name->x(), m_placer.pixels(top), name->width(), height);
}

void Form1::onBarBeforeMove(bool& cancel, double& position) {
    // The full window's inner width: the bar's limits do not change while compact.
    const int inner = layout::fullWindowSize(DrawPanel::DesignSize).width();
    cancel = !layout::acceptBarPosition(position, inner);
}

void Form1::onBarMoved() {
    layOut(true);
    const int points =
        layout::fitNameFont(m_nameWidth, int(m_draw->Text2->text().size()), m_namePoints);
    if (points > 0 && points != m_namePoints) {
        m_namePoints = points;
        QFont font = m_draw->Text2->font();
        font.setPointSize(points);
        m_draw->Text2->setFont(font);
    }
    centreName();
}

void Form1::setCompact(bool compact) {
    if (compact == m_compact)
        return;
    m_compact = compact;
    m_draw->Text2->setVisible(!compact);
    m_draw->Text13->setVisible(!compact);
    statusBar()->setVisible(!compact);
    if (compact) {
        m_draw->List2->hide();
        setMinimumSize(0, 0);
        const QSize small = layout::CompactWindow;
        resize(m_placer.pixels(small.width()), m_placer.pixels(small.height()));
    } else {
        resize(fullWindowPixels());
        showTopicStandards();
    }
}

} // namespace ordalis
