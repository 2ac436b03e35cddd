// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawPanel.h"

#include "common/Look.h"
#include "draw/DrawEngine.h"
#include "draw/DrawnNamesBoard.h"
#include "layout/Splitter.h"
#include "layout/TwipsPlacer.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace ordalis {

namespace {

template <typename W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// A glyph drawn by `paint` on a transparent 64-pixel square.
template <typename Paint> QPixmap glyph(Paint paint) {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return pixmap;
}

// The two hover targets: corner marks of a frame (full window) or of a small square (compact
// window).
enum class HoverTarget { FullWindow, CompactWindow };

QPixmap hoverGlyph(HoverTarget target) {
    const bool outwards = target == HoverTarget::FullWindow;
    return glyph([outwards](QPainter& p) {
        p.setBrush(look::AccentColor);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
        p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const QPointF centre(32, 32);
        for (const QPointF sign :
             {QPointF(-1, -1), QPointF(1, -1), QPointF(-1, 1), QPointF(1, 1)}) {
            const double reach = outwards ? 18 : 7;
            const double arm = outwards ? -10 : 10; // towards the centre, or away from it
            const QPointF corner = centre + sign * reach;
            p.drawPolyline(QPolygonF({corner + QPointF(sign.x() * arm, 0), corner,
                                      corner + QPointF(0, sign.y() * arm)}));
        }
    });
}

// The projector button's screen and the speech toggle's loudspeaker, drawn in the accent colour.
QIcon screenIcon() {
    return QIcon(glyph([](QPainter& p) {
        p.setPen(QPen(look::AccentColor, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawRoundedRect(QRectF(6, 10, 52, 34), 4, 4);
        p.drawLine(QPointF(32, 44), QPointF(32, 54));
        p.drawLine(QPointF(20, 56), QPointF(44, 56));
    }));
}

// The overlay button: a small window standing on a larger screen.
QIcon overlayIcon() {
    return QIcon(glyph([](QPainter& p) {
        p.setPen(QPen(look::AccentColor, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawRoundedRect(QRectF(4, 10, 56, 40), 4, 4);
        p.setPen(Qt::NoPen);
        p.setBrush(look::AccentColor);
        p.drawRoundedRect(QRectF(30, 28, 26, 18), 3, 3);
    }));
}

QIcon speakerIcon() {
    return QIcon(glyph([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(look::AccentColor);
        p.drawPolygon(QPolygonF({QPointF(6, 24), QPointF(18, 24), QPointF(32, 10), QPointF(32, 54),
                                 QPointF(18, 40), QPointF(6, 40)}));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(look::AccentColor, 5, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(28, 20, 16, 24), -50 * 16, 100 * 16);
        p.drawArc(QRectF(26, 10, 30, 44), -50 * 16, 100 * 16);
    }));
}

const QString PresenterKeysHelp =
    QStringLiteral("放映键：PageDown 或空格开始、停止上次的类别（起初为“所有”），"
                   "PageUp 开始、停止“未点”，B 或 . 遮住、显示姓名");

} // namespace

DrawPanel::DrawPanel(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Frame5"));
    setAttribute(Qt::WA_StyledBackground);

    m_board = named(new QFrame(this), QStringLiteral("Text13"));
    m_boardHint = named(new QLabel(m_board), QStringLiteral("lblBoardHint"));
    m_boardHint->setAlignment(Qt::AlignCenter);
    m_boardHint->setWordWrap(true);
    m_boardHint->setFont(look::font(16, true));
    m_boardHint->hide();
    (new QVBoxLayout(m_board))->addWidget(m_boardHint);
    m_nameDisplay = named(new QLineEdit(this), QStringLiteral("Text2"));
    m_nameDisplay->setReadOnly(true);
    m_nameDisplay->setAlignment(Qt::AlignCenter);
    m_nameDisplay->setFocusPolicy(Qt::NoFocus);
    m_nameDisplay->setFont(look::font(layout::MaxNameFontPoints, true));
    m_drawnNames = new DrawnNamesBoard(m_board, &m_placer, this);

    m_topicBox = named(new QComboBox(this), QStringLiteral("Combo3"));
    m_topicBox->setEditable(true);
    m_topicBox->setInsertPolicy(QComboBox::NoInsert);
    m_topicBox->setEditText(QStringLiteral("课题"));
    m_topicBox->setToolTip(QStringLiteral("课题"));

    m_standardsList = named(new QListWidget(this), QStringLiteral("List1"));
    m_standardsList->setFont(look::font(12));
    m_standardsList->setToolTip(QStringLiteral("双击评分标准给分"));
    m_bar = named(new Splitter(this), QStringLiteral("Splitter1"));
    m_bar->setBackColor(QColor(0xc7, 0xd2, 0xda));

    m_quickPickBox = named(new QLineEdit(this), QStringLiteral("txtManual"));
    m_quickPickBox->setPlaceholderText(QStringLiteral("拼音首字母或姓名"));
    m_quickPickBox->setEnabled(false);
    m_classBox = named(new QComboBox(this), QStringLiteral("Combo2"));
    m_classBox->setEditable(true);
    m_classBox->lineEdit()->setReadOnly(true);
    m_classBox->setInsertPolicy(QComboBox::NoInsert);
    m_classBox->setEditText(QStringLiteral("班级"));

    for (int i = 0; i < CategoryButtonCount; ++i) {
        m_categoryButtons[i] =
            named(new QPushButton(drawButtonCaption(i), this), QStringLiteral("btnChou_%1").arg(i));
        m_categoryButtons[i]->setProperty("category", true);
        m_categoryButtons[i]->setToolTip(
            i == ManualButton ? QStringLiteral("手动点名与分组")
                              : QStringLiteral("点击开始抽取，再点停止。\n") + PresenterKeysHelp);
    }

    m_drawCountCaption = new QLabel(QStringLiteral("每次抽取"), this);
    m_drawCountCaption->setAlignment(Qt::AlignCenter);
    m_drawCountBox = named(new QSpinBox(this), QStringLiteral("spnDrawCount"));
    m_drawCountBox->setRange(1, DrawnNamesBoard::MaxNames);
    m_drawCountBox->setSuffix(QStringLiteral("人"));
    m_drawCountBox->setAlignment(Qt::AlignCenter);
    m_drawCountBox->setFont(look::font(14, true));
    // Its arrows and the wheel set it; the presenter's keys stay the window's.
    m_drawCountBox->setFocusPolicy(Qt::NoFocus);
    m_drawCountBox->setToolTip(QStringLiteral("每次抽取的人数（投影模式下按数字键 1–8）"));

    m_scoreBoxCaption = new QLabel(QStringLiteral("得分"), this);
    m_scoreBox = named(new QComboBox(this), QStringLiteral("Combo1"));
    m_scoreBox->setEditable(true);
    m_scoreBox->setInsertPolicy(QComboBox::NoInsert);
    m_scoreBox->setFont(look::font(12, true));
    m_scoreCaption = new QLabel(QStringLiteral("均分"), this);
    m_averageScoreLabel = named(new QLabel(this), QStringLiteral("Label4"));
    m_countCaption = new QLabel(QStringLiteral("次数"), this);
    m_scoredCountLabel = named(new QLabel(this), QStringLiteral("Label28"));
    m_classTimerLabel = named(new QLabel(QStringLiteral("00:00"), this), QStringLiteral("Label30"));
    for (QLabel* figure : {m_averageScoreLabel, m_scoredCountLabel, m_classTimerLabel})
        figure->setProperty("figure", true);
    m_classTimerLabel->setAlignment(Qt::AlignCenter);

    m_uploadButton =
        named(new QPushButton(QStringLiteral("上传"), this), QStringLiteral("Command11"));
    m_userButton = named(new QPushButton(QStringLiteral("用户"), this), QStringLiteral("Command1"));
    m_manageButton =
        named(new QPushButton(QStringLiteral("后台"), this), QStringLiteral("btnManage"));
    m_manageButton->setEnabled(false);
    m_historyButton =
        named(new QPushButton(QStringLiteral("记录"), this), QStringLiteral("btnHistory"));
    m_historyButton->setToolTip(QStringLiteral("课堂记录：点名次数、抽取是否均匀、成绩变化（F9）"));

    m_fullWindowPicture = named(new QLabel(this), QStringLiteral("Image1"));
    m_compactWindowPicture = named(new QLabel(this), QStringLiteral("Image2"));
    m_fullWindowPicture->setPixmap(hoverGlyph(HoverTarget::FullWindow));
    m_compactWindowPicture->setPixmap(hoverGlyph(HoverTarget::CompactWindow));
    m_fullWindowPicture->setToolTip(QStringLiteral("完整窗口"));
    m_compactWindowPicture->setToolTip(QStringLiteral("小窗口"));
    for (QLabel* picture : {m_fullWindowPicture, m_compactWindowPicture}) {
        picture->setScaledContents(true);
        picture->setMouseTracking(true);
        picture->installEventFilter(this);
    }

    m_projectorButton = named(new QPushButton(this), QStringLiteral("cmdProjector"));
    m_projectorButton->setIcon(screenIcon());
    m_projectorButton->setToolTip(
        QStringLiteral("投影模式：全屏显示姓名（F11 或 F5 进入，F11 或 Esc 退出）\n") +
        PresenterKeysHelp);
    m_overlayButton = named(new QPushButton(this), QStringLiteral("cmdOverlay"));
    m_overlayButton->setIcon(overlayIcon());
    m_overlayButton->setToolTip(QStringLiteral(
        "放映抽取小窗：总在幻灯片上面，点它抽取，幻灯片不失去键盘（F12 打开、关闭）"));
    m_speechButton = named(new QPushButton(this), QStringLiteral("cmdSpeech"));
    m_speechButton->setIcon(speakerIcon());
    m_speechButton->setCheckable(true);
    for (QPushButton* button : {m_projectorButton, m_overlayButton, m_speechButton}) {
        button->setProperty("tool", true);
        button->setFocusPolicy(Qt::NoFocus);
    }
    m_nameDisplay->setToolTip(QStringLiteral("B 或 . 遮住、显示姓名"));

    // The quick-pick results lie over the board, so they come last. They are read from the
    // back of the room: the score box's font at least.
    m_quickPickList = named(new QListWidget(this), QStringLiteral("List2"));
    m_quickPickList->setFont(m_scoreBox->font());
    m_quickPickList->setFrameShape(QFrame::NoFrame);
    m_quickPickList->setUniformItemSizes(true);
    m_quickPickList->hide();

    for (int i = 0; i < CategoryButtonCount; ++i)
        connect(m_categoryButtons[i], &QPushButton::clicked, this,
                [this, i] { Q_EMIT categoryClicked(i); });
    connect(m_classBox, qOverload<int>(&QComboBox::activated), this,
            [this] { Q_EMIT classChosen(m_classBox->currentText()); });
    connect(m_topicBox, &QComboBox::editTextChanged, this, &DrawPanel::topicChanged);
    connect(m_topicBox, qOverload<int>(&QComboBox::activated), this,
            [this] { Q_EMIT topicChanged(m_topicBox->currentText()); });
    connect(m_nameDisplay, &QLineEdit::textChanged, this, &DrawPanel::nameShown);
    connect(m_drawnNames, &DrawnNamesBoard::chosen, this, &DrawPanel::drawnNameChosen);
    connect(m_scoreBox, qOverload<int>(&QComboBox::activated), this, &DrawPanel::freeScoreChosen);
    m_scoreBox->installEventFilter(this);
    connect(m_standardsList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        // A double-click beside every entry selects nothing and scores nothing.
        if (item != nullptr && item->isSelected())
            Q_EMIT standardChosen(m_standardsList->row(item));
    });
    connect(m_standardsList, &QListWidget::itemClicked, this, &DrawPanel::standardClicked);
    connect(m_projectorButton, &QPushButton::clicked, this, &DrawPanel::projectorRequested);
    connect(m_overlayButton, &QPushButton::clicked, this, &DrawPanel::overlayRequested);
    // Only a click is a choice to keep; showing the stored choice is not one.
    connect(m_speechButton, &QPushButton::clicked, this, &DrawPanel::speechToggled);
    connect(m_uploadButton, &QPushButton::clicked, this, &DrawPanel::uploadRequested);
    connect(m_userButton, &QPushButton::clicked, this, &DrawPanel::userRequested);
    connect(m_manageButton, &QPushButton::clicked, this, &DrawPanel::manageRequested);
    connect(m_historyButton, &QPushButton::clicked, this, &DrawPanel::historyRequested);
}

bool DrawPanel::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool hover = type == QEvent::Enter || type == QEvent::MouseMove;
    if (hover && watched == m_compactWindowPicture) {
        Q_EMIT compactRequested(true);
    } else if (hover && watched == m_fullWindowPicture) {
        Q_EMIT compactRequested(false);
    } else if (watched == m_scoreBox && type == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_scoreBox->currentText().isEmpty())
            Q_EMIT freeScoreChosen();
    }
    return QWidget::eventFilter(watched, event);
}

void DrawPanel::setClasses(const QStringList& classes) {
    m_classBox->clear();
    m_classBox->addItems(classes);
    m_classBox->setCurrentIndex(-1);
    m_classBox->setEditText(QStringLiteral("班级"));
    m_classBox->setEnabled(true);
}

void DrawPanel::setClassBoxEnabled(bool enabled) {
    m_classBox->setEnabled(enabled);
}

void DrawPanel::setTopics(const QStringList& topics) {
    m_topicBox->clear();
    m_topicBox->addItems(topics);
    m_topicBox->setEditText(topics.value(0));
}

QString DrawPanel::topic() const {
    return m_topicBox->currentText();
}

void DrawPanel::setCategoryEnabled(int button, bool enabled) {
    m_categoryButtons.at(button)->setEnabled(enabled);
}

void DrawPanel::setCategoryToolTip(int button, const QString& tip) {
    // Set after every call: unchanged, it costs the button no event.
    if (m_categoryButtons.at(button)->toolTip() != tip)
        m_categoryButtons.at(button)->setToolTip(tip);
}

void DrawPanel::setCategoryRolling(int button, bool rolling) {
    QPushButton* b = m_categoryButtons.at(button);
    b->setText(rolling ? PauseCaption : drawButtonCaption(button));
    b->setProperty("rolling", rolling);
    b->style()->unpolish(b);
    b->style()->polish(b);
}

void DrawPanel::focusCategory(int button) {
    if (m_categoryButtons.at(button)->isEnabled())
        m_categoryButtons.at(button)->setFocus();
}

int DrawPanel::drawCount() const {
    return m_drawCountBox->value();
}

void DrawPanel::setDrawCount(int count) {
    m_drawCountBox->setValue(count);
}

void DrawPanel::showDrawnNames(const QStringList& names) {
    m_drawnNames->show(names);
    showNameOrDrawnNames();
}

void DrawPanel::clearDrawnNames() {
    m_drawnNames->clear();
    showNameOrDrawnNames();
}

void DrawPanel::showNameOrDrawnNames() {
    m_nameDisplay->setVisible(!m_board->isHidden() && !m_drawnNames->isShown());
}

void DrawPanel::showName(const QString& name) {
    m_nameDisplay->setText(name);
}

void DrawPanel::setBoardHint(const QString& hint) {
    m_boardHint->setText(hint);
    m_boardHint->setVisible(!hint.isEmpty());
}

void DrawPanel::setNameFontPoints(int points) {
    QFont font = m_nameDisplay->font();
    font.setPointSize(points);
    m_nameDisplay->setFont(font);
}

void DrawPanel::setNameBlanked(bool blanked) {
    m_nameBlanked = blanked;
    // Polishing again gives the name the style's font: the fitted one is kept.
    const QFont fitted = m_nameDisplay->font();
    m_nameDisplay->setProperty("blanked", blanked);
    m_nameDisplay->style()->unpolish(m_nameDisplay);
    m_nameDisplay->style()->polish(m_nameDisplay);
    m_nameDisplay->setFont(fitted);
    m_drawnNames->setBlanked(blanked);
}

void DrawPanel::showFigures(const QString& averageScore, const QString& scoredCount) {
    m_averageScoreLabel->setText(averageScore);
    m_scoredCountLabel->setText(scoredCount);
}

void DrawPanel::setScoreChoices(const QStringList& scores) {
    m_scoreBox->clear();
    m_scoreBox->addItems(scores);
    m_scoreBox->setEditText(QString());
}

void DrawPanel::setScoreBoxEnabled(bool enabled) {
    m_scoreBox->setEnabled(enabled);
}

void DrawPanel::setScoreText(const QString& text) {
    m_scoreBox->setEditText(text);
}

QString DrawPanel::scoreText() const {
    return m_scoreBox->currentText();
}

void DrawPanel::focusScoreBox() {
    m_scoreBox->setFocus();
}

void DrawPanel::setStandards(const QStringList& entries) {
    m_standardsList->clear();
    m_standardsList->addItems(entries);
}

void DrawPanel::setStandardText(int row, const QString& text) {
    if (QListWidgetItem* item = m_standardsList->item(row))
        item->setText(text);
}

void DrawPanel::setStandardsEnabled(bool enabled) {
    m_standardsList->setEnabled(enabled);
}

void DrawPanel::enableQuickPick() {
    m_quickPickBox->setEnabled(true);
    m_quickPickBox->setFocus();
}

void DrawPanel::focusQuickPick() {
    m_quickPickBox->setFocus();
}

void DrawPanel::setManageEnabled(bool enabled) {
    m_manageButton->setEnabled(enabled);
}

int DrawPanel::layOut(bool split) {
    const layout::LeftPane pane{BoardRect.x(), NameLeft, TopicLeft};
    layout::SplitGeometry g;
    if (split) {
        g = layout::splitLayout(pane, int(m_bar->position()), BarWidth, innerWidth());
        m_standardsList->setGeometry(m_placer.pixels(g.listLeft), m_standardsList->y(),
                                     m_placer.pixels(g.listWidth), m_standardsList->height());
    } else {
        g = layout::singlePaneLayout(pane, innerWidth());
    }
    m_board->resize(m_placer.pixels(g.boardWidth), m_board->height());
    m_topicBox->resize(m_placer.pixels(g.topicWidth), m_topicBox->height());
    m_nameDisplay->resize(m_placer.pixels(g.nameWidth), m_nameDisplay->height());
    centreName();
    return g.nameWidth;
}

void DrawPanel::centreName() {
    const int height = m_nameDisplay->sizeHint().height();
    const int top =
        layout::centredNameTop(BoardRect.y(), boardHeight(), int(m_placer.twipsOf(height)));
    m_nameDisplay->setGeometry(m_nameDisplay->x(), m_placer.pixels(top), m_nameDisplay->width(),
                               height);
}

void DrawPanel::setStandardsShown(bool shown) {
    m_standardsList->setVisible(shown);
    m_bar->setVisible(shown);
}

void DrawPanel::setCompactView(bool compact) {
    m_nameDisplay->setVisible(!compact);
    m_board->setVisible(!compact);
    if (compact)
        m_quickPickList->hide();
    showNameOrDrawnNames();
}

void DrawPanel::setSpeechAvailable(bool available, const QString& reason) {
    m_speechButton->setEnabled(available);
    m_speechButton->setToolTip(available ? QStringLiteral("朗读点到的姓名（开/关）") : reason);
}

void DrawPanel::setSpeechOn(bool on) {
    m_speechButton->setChecked(on);
}

void DrawPanel::saveDesignedPlaces() {
    m_designedPlaces.clear();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        m_designedPlaces.insert(child, {child->geometry(), !child->isHidden(), child->font()});
    m_designedGeometry = geometry();
}

void DrawPanel::setProjectorLook(bool projector) {
    // The style sheet gives the bar and the standards projector sizes while this is set.
    setProperty("projector", projector);
    for (QWidget* widget : findChildren<QWidget*>()) {
        widget->style()->unpolish(widget);
        widget->style()->polish(widget);
    }
}

void DrawPanel::restoreDesignedPlaces() {
    setProjectorLook(false);
    setGeometry(m_designedGeometry);
    for (auto place = m_designedPlaces.cbegin(); place != m_designedPlaces.cend(); ++place) {
        place.key()->setGeometry(place->geometry);
        place.key()->setVisible(place->shown);
        // The projector's style gave the boxes and buttons larger fonts.
        place.key()->setFont(place->font);
    }
    showNameOrDrawnNames();
    m_drawnNames->place();
}

void DrawPanel::placeProjector(const layout::ProjectorGeometry& g, bool split) {
    static_assert(layout::ProjectorCategoryButtons == DrawCategoryCount + 1);
    if (!property("projector").toBool())
        setProjectorLook(true);
    setGeometry(parentWidget()->rect());
    const QList<QPair<QWidget*, QRect>> shown{{m_board, g.board},
                                              {m_nameDisplay, g.name},
                                              {m_classBox, g.classBox},
                                              {m_topicBox, g.topicBox},
                                              {m_scoreBox, g.scoreBox},
                                              {m_drawCountBox, g.drawCount},
                                              {m_speechButton, g.speechButton},
                                              {m_projectorButton, g.projectorButton}};
    QSet<QWidget*> placed;
    for (const auto& [widget, rect] : shown) {
        widget->setGeometry(rect);
        placed.insert(widget);
    }
    for (int i = 0; i < DrawCategoryCount; ++i) {
        m_categoryButtons[i]->setGeometry(g.categories[i]);
        placed.insert(m_categoryButtons[i]);
    }
    // 轮流 after the twelve; 手动 opens a panel the projector does not show.
    m_categoryButtons[TurnButton]->setGeometry(g.categories[DrawCategoryCount]);
    placed.insert(m_categoryButtons[TurnButton]);
    if (split) {
        m_standardsList->setGeometry(g.standards);
        placed.insert(m_standardsList);
    }
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setVisible(placed.contains(child));
    showNameOrDrawnNames();
    m_drawnNames->place();
}

QSize DrawPanel::nameBoxSize() const {
    return m_nameDisplay->size();
}

void DrawPanel::placeDesigned(const TwipsPlacer& placer) {
    m_placer = placer;
    m_bar->setUnitsPerPixel(placer.twipsOf(1));
    placeGrown({}, BarLeft);
}

int DrawPanel::innerWidth() const {
    return layout::fullWindowSize(DesignSize).width() + m_growth.width;
}

void DrawPanel::placeGrown(const layout::Growth& growth, double barLeft) {
    m_growth = growth;
    const TwipsPlacer& placer = m_placer;
    const layout::DrawPanelRects g = layout::grownDrawPanel(growth);
    resize(placer.pixels(g.panel.width()), placer.pixels(g.panel.height()));
    const QList<QPair<QWidget*, QRect>> places{{m_fullWindowPicture, g.fullWindowPicture},
                                               {m_compactWindowPicture, g.compactWindowPicture},
                                               {m_projectorButton, g.projectorButton},
                                               {m_overlayButton, g.overlayButton},
                                               {m_speechButton, g.speechButton},
                                               {m_board, g.board},
                                               {m_nameDisplay, g.name},
                                               {m_standardsList, g.standards},
                                               {m_quickPickBox, g.quickPickBox},
                                               {m_topicBox, g.topicBox},
                                               {m_classBox, g.classBox},
                                               {m_scoreBoxCaption, g.scoreBoxCaption},
                                               {m_scoreBox, g.scoreBox},
                                               {m_scoreCaption, g.averageCaption},
                                               {m_averageScoreLabel, g.averageScore},
                                               {m_countCaption, g.countCaption},
                                               {m_scoredCountLabel, g.scoredCount},
                                               {m_classTimerLabel, g.classTimer},
                                               {m_historyButton, g.historyButton},
                                               {m_uploadButton, g.uploadButton},
                                               {m_userButton, g.userButton},
                                               {m_manageButton, g.manageButton}};
    for (const auto& [widget, rect] : places)
        placer.place(widget, rect);
    for (int i = 0; i < CategoryButtonCount; ++i)
        placer.place(m_categoryButtons[i], g.categories[i]);
    placer.place(m_drawCountCaption, g.drawCountCaption);
    placer.place(m_drawCountBox, g.drawCount);
    // The splitter keeps the bar's left edge, which may lie between two pixels.
    m_bar->setGeometry(placer.pixels(barLeft), placer.pixels(g.bar.y()),
                       placer.pixels(g.bar.width()), placer.pixels(g.bar.height()));
}

} // namespace ordalis
