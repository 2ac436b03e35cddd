// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawOverlay.h"

#include "common/AboveFullScreen.h"
#include "common/WindowPlace.h"
#include "draw/DrawController.h"
#include "draw/DrawPanel.h"
#include "layout/ScreenPlace.h"
#include "record/DrawCategories.h"
#include "session/SettingsStore.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace ordalis {
namespace {

const QString PlaceKey = QStringLiteral("DrawOverlay/Geometry");
constexpr int EdgeGap = 24; // from the screen's corner, where it first opens
constexpr int NamePoints = 22;

} // namespace

DrawOverlay::DrawOverlay(DrawController* draw, DrawPanel* panel, const QString& settingsIni,
                         QWidget* parent)
    // A title to drag it by and a close button: nothing to maximise or minimise.
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_draw(draw)
    , m_categoryBox(new QComboBox(this))
    , m_drawButton(new QPushButton(QStringLiteral("抽取"), this))
    , m_name(new QLabel(this))
    , m_settings(openSettingsStore(settingsIni)) {
    setObjectName(QStringLiteral("frmOverlay"));
    setWindowTitle(QStringLiteral("抽取"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_categoryBox->setObjectName(QStringLiteral("ComboOverlay"));
    m_drawButton->setObjectName(QStringLiteral("cmdOverlayDraw"));
    m_name->setObjectName(QStringLiteral("LabelOverlayName"));
    // Each entry holds its draw button: the twelve categories, then 轮流.
    for (int i = 0; i < DrawCategoryCount; ++i)
        m_categoryBox->addItem(drawButtonCaption(i), i);
    m_categoryBox->addItem(drawButtonCaption(TurnButton), TurnButton);
    // The slideshow keeps the keyboard: nothing here takes it.
    for (QWidget* control :
         {static_cast<QWidget*>(m_categoryBox), static_cast<QWidget*>(m_drawButton)})
        control->setFocusPolicy(Qt::NoFocus);
    QFont nameFont = m_name->font();
    nameFont.setPointSize(NamePoints);
    nameFont.setBold(true);
    m_name->setFont(nameFont);
    m_name->setAlignment(Qt::AlignCenter);
    m_name->setMinimumWidth(m_name->fontMetrics().horizontalAdvance(QStringLiteral("欧阳慕容")));

    auto* controls = new QHBoxLayout;
    controls->addWidget(m_categoryBox);
    controls->addWidget(m_drawButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(controls);
    layout->addWidget(m_name);

    connect(m_drawButton, &QPushButton::clicked, this, &DrawOverlay::drawOrStop);
    connect(panel, &DrawPanel::nameShown, m_name, &QLabel::setText);
    connect(m_draw, &DrawController::rollStarted, this, [this](int category) {
        m_categoryBox->setCurrentIndex(m_categoryBox->findData(category));
        showRolling(true);
    });
    connect(m_draw, &DrawController::rollStopped, this, [this] { showRolling(false); });
    // Several called at once stand two to a line.
    connect(m_draw, &DrawController::calledSeveral, this, [this](const QStringList& names) {
        QStringList lines;
        for (qsizetype i = 0; i < names.size(); i += 2)
            lines << names.mid(i, 2).join(QStringLiteral("、"));
        m_name->setText(lines.join(u'\n'));
    });
    new AboveFullScreen(this);
}

DrawOverlay::~DrawOverlay() = default;

void DrawOverlay::toggle(const QWidget* over) {
    if (isVisible())
        hide();
    else
        open(over);
}

void DrawOverlay::open(const QWidget* over) {
    adjustSize();
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QRect saved = m_settings->value(PlaceKey).toRect();
    if (const std::optional<QRect> kept = layout::keptOnScreens(saved, screens);
        saved.isValid() && kept) {
        setGeometry(*kept);
    } else {
        // The top right corner of the main window's screen, clear of its edges.
        const QRect available = over->screen()->availableGeometry();
        const QMargins frame = frameMarginsOf(this, frameMarginsOf(over->window()));
        setGeometry(QRect(available.right() - EdgeGap - frame.right() - width(),
                          available.top() + EdgeGap + frame.top(), width(), height()));
    }
    show();
}

void DrawOverlay::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible())
        m_settings->setValue(PlaceKey, geometry());
}

void DrawOverlay::drawOrStop() {
    if (m_draw->isRolling()) {
        m_draw->toggle(m_draw->engine().startedCategory());
        return;
    }
    const int category = m_categoryBox->currentData().toInt();
    if (m_draw->engine().kind(AllStudents).isEmpty())
        m_name->setText(QStringLiteral("请先在主窗口选择班级"));
    else if (!m_draw->engine().canDraw(category))
        m_name->setText(QStringLiteral("“%1”中没有学生").arg(m_categoryBox->currentText()));
    else
        m_draw->toggle(category);
}

void DrawOverlay::showRolling(bool rolling) {
    m_drawButton->setText(rolling ? QStringLiteral("暂停") : QStringLiteral("抽取"));
    m_categoryBox->setEnabled(!rolling);
}

} // namespace ordalis
