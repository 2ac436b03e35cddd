// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayoutController.h"

#include "draw/DrawPanel.h"
#include "layout/Splitter.h"

#include <QMainWindow>
#include <QStatusBar>

namespace ordalis {

LayoutController::LayoutController(QMainWindow* window, DrawPanel* panel, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_panel(panel) {
    setObjectName(QStringLiteral("layoutController"));
    connect(m_panel->bar(), &Splitter::beforeMove, this, &LayoutController::onBarBeforeMove);
    connect(m_panel->bar(), &Splitter::moved, this, &LayoutController::onBarMoved);
    connect(m_panel, &DrawPanel::compactRequested, this, &LayoutController::setCompact);
    connect(m_panel, &DrawPanel::projectorRequested, this, [this] { setProjector(!m_projector); });
    m_barShare = m_panel->bar()->position() / m_panel->innerWidth();
}

QSize LayoutController::fullWindowPixels() const {
    const QSize twips = layout::fullWindowSize(DrawPanel::DesignSize);
    const TwipsPlacer& placer = m_panel->placer();
    return QSize(placer.pixels(twips.width()), placer.pixels(twips.height()));
}

void LayoutController::showStandards(bool split) {
    m_split = split;
    if (m_projector) {
        placeProjector();
        return;
    }
    layOut(split);
    m_panel->setStandardsShown(split && !m_compact);
}

void LayoutController::layOut(bool split) {
    m_nameWidth = m_panel->layOut(split);
}

void LayoutController::fitName(const QString& name) {
    m_shownName = name;
    if (m_projector) {
        const int points = layout::fitProjectorNameFont(
            m_panel->nameBoxSize(), m_panel->placer().dpi(), int(name.size()), m_projectorPoints);
        if (points > 0 && points != m_projectorPoints) {
            m_projectorPoints = points;
            m_panel->setNameFontPoints(points);
        }
        return;
    }
    const int points = layout::fitNameFont(
        m_nameWidth, int(name.size()), m_namePoints,
        layout::nameFontCap(m_panel->boardHeight(), DrawPanel::BoardRect.height()));
    if (points > 0 && points != m_namePoints) {
        m_namePoints = points;
        m_panel->setNameFontPoints(points);
        m_panel->centreName();
    }
}

void LayoutController::onBarBeforeMove(bool& cancel, double& position) {
    // The full window's inner width: the bar's limits do not change while compact.
    cancel = !layout::acceptBarPosition(position, m_panel->innerWidth());
}

void LayoutController::onBarMoved() {
    m_barShare = m_panel->bar()->position() / m_panel->innerWidth();
    layOut(true);
    fitName(m_shownName);
    m_panel->centreName();
}

void LayoutController::setCompact(bool compact) {
    if (compact == m_compact || m_projector)
        return;
    m_compact = compact;
    m_panel->setCompactView(compact);
    m_window->statusBar()->setVisible(!compact);
    if (compact) {
        m_window->setMinimumSize(0, 0);
        const QSize small = layout::CompactWindow;
        const TwipsPlacer& placer = m_panel->placer();
        m_window->resize(placer.pixels(small.width()), placer.pixels(small.height()));
    } else {
        m_window->resize(fullWindowPixels());
        Q_EMIT expanded();
    }
}

} // namespace ordalis

namespace ordalis {

void LayoutController::setProjector(bool on) {
    if (on == m_projector)
        return;
    if (on) {
        m_designed = {m_window->geometry(), m_window->windowState(),
                      !m_window->statusBar()->isHidden(), m_namePoints};
        m_panel->saveDesignedPlaces();
        m_projector = true;
        m_projectorPoints = 0;
        m_window->statusBar()->hide();
        m_window->showFullScreen();
        placeProjector();
        return;
    }
    m_projector = false;
    m_window->setWindowState(m_designed.states);
    m_window->setGeometry(m_designed.geometry);
    m_window->statusBar()->setVisible(m_designed.statusBarShown);
    m_panel->restoreDesignedPlaces();
    m_namePoints = m_designed.namePoints;
    // A topic chosen meanwhile may have brought or taken away the standards.
    if (!m_compact) {
        layOut(m_split);
        m_panel->setStandardsShown(m_split);
        fitName(m_shownName);
    }
}

void LayoutController::windowResized() {
    if (m_projector)
        placeProjector();
    else if (!m_compact)
        followWindowSize();
}

void LayoutController::followWindowSize() {
    const TwipsPlacer& placer = m_panel->placer();
    const QSize window = m_window->size();
    const layout::Growth growth = layout::windowGrowth(
        QSize(int(placer.twipsOf(window.width())), int(placer.twipsOf(window.height()))),
        layout::fullWindowSize(DrawPanel::DesignSize));
    if (growth == m_panel->growth())
        return;
    const int inner = layout::fullWindowSize(DrawPanel::DesignSize).width() + growth.width;
    m_panel->placeGrown(growth, layout::barPositionFor(m_barShare, inner));
    layOut(m_split);
    m_panel->setStandardsShown(m_split);
    fitName(m_shownName);
    m_panel->centreName();
}

void LayoutController::placeProjector() {
    m_panel->placeProjector(layout::projectorLayout(m_panel->parentWidget()->size(), m_split),
                            m_split);
    m_projectorPoints = 0; // the box changed: fit again
    fitName(m_shownName);
}

} // namespace ordalis
