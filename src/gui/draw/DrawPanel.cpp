// SPDX-License-Identifier: GPL-3.0-or-later
#include "DrawPanel.h"

#include "common/Look.h"
#include "draw/DrawEngine.h"
#include "layout/Splitter.h"
#include "layout/TwipsPlacer.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

namespace ordalis {

namespace {

template <typename W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// A small drawn glyph for the two hover targets: corner marks of a frame (full window) or of
// a small square (compact window).
QPixmap hoverGlyph(bool outwards) {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(look::AccentColor);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF centre(32, 32);
    for (const QPointF sign : {QPointF(-1, -1), QPointF(1, -1), QPointF(-1, 1), QPointF(1, 1)}) {
        const double reach = outwards ? 18 : 7;
        const double arm = outwards ? -10 : 10; // towards the centre, or away from it
        const QPointF corner = centre + sign * reach;
        p.drawPolyline(QPolygonF(
            {corner + QPointF(sign.x() * arm, 0), corner, corner + QPointF(0, sign.y() * arm)}));
    }
    return pixmap;
}

} // namespace

DrawPanel::DrawPanel(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Frame5"));
    setAttribute(Qt::WA_StyledBackground);

    Text13 = named(new QFrame(this), QStringLiteral("Text13"));
    Text2 = named(new QLineEdit(this), QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    Text2->setAlignment(Qt::AlignCenter);
    Text2->setFocusPolicy(Qt::NoFocus);
    Text2->setFont(look::font(layout::MaxNameFontPoints, true));

    Combo3 = named(new QComboBox(this), QStringLiteral("Combo3"));
    Combo3->setEditable(true);
    Combo3->setInsertPolicy(QComboBox::NoInsert);
    Combo3->setEditText(QStringLiteral("课题"));
    Combo3->setToolTip(QStringLiteral("课题"));

    List1 = named(new QListWidget(this), QStringLiteral("List1"));
    List1->setFont(look::font(12));
    List1->setToolTip(QStringLiteral("双击评分标准给分"));
    Splitter1 = named(new Splitter(this), QStringLiteral("Splitter1"));
    Splitter1->setBackColor(QColor(0xc7, 0xd2, 0xda));

    txtManual = named(new QLineEdit(this), QStringLiteral("txtManual"));
    txtManual->setPlaceholderText(QStringLiteral("拼音首字母或姓名"));
    txtManual->setEnabled(false);
    Combo2 = named(new QComboBox(this), QStringLiteral("Combo2"));
    Combo2->setEditable(true);
    Combo2->lineEdit()->setReadOnly(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->setEditText(QStringLiteral("班级"));

    for (int i = 0; i < int(btnChou.size()); ++i) {
        btnChou[i] =
            named(new QPushButton(drawButtonCaption(i), this), QStringLiteral("btnChou_%1").arg(i));
        btnChou[i]->setProperty("category", true);
    }

    m_scoreBoxCaption = new QLabel(QStringLiteral("得分"), this);
    Combo1 = named(new QComboBox(this), QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setFont(look::font(12, true));
    m_scoreCaption = new QLabel(QStringLiteral("均分"), this);
    Label4 = named(new QLabel(this), QStringLiteral("Label4"));
    m_countCaption = new QLabel(QStringLiteral("次数"), this);
    Label28 = named(new QLabel(this), QStringLiteral("Label28"));
    for (QLabel* figure : {Label4, Label28})
        figure->setProperty("figure", true);
    Label30 = named(new QLabel(QStringLiteral("00:00"), this), QStringLiteral("Label30"));
    Label30->setProperty("figure", true);
    Label30->setAlignment(Qt::AlignCenter);

    Command11 = named(new QPushButton(QStringLiteral("上传"), this), QStringLiteral("Command11"));
    Command1 = named(new QPushButton(QStringLiteral("用户"), this), QStringLiteral("Command1"));
    btnManage = named(new QPushButton(QStringLiteral("后台"), this), QStringLiteral("btnManage"));
    btnManage->setEnabled(false);

    Image1 = named(new QLabel(this), QStringLiteral("Image1"));
    Image2 = named(new QLabel(this), QStringLiteral("Image2"));
    Image1->setPixmap(hoverGlyph(true));
    Image2->setPixmap(hoverGlyph(false));
    Image1->setToolTip(QStringLiteral("完整窗口"));
    Image2->setToolTip(QStringLiteral("小窗口"));
    for (QLabel* image : {Image1, Image2}) {
        image->setScaledContents(true);
        image->setMouseTracking(true);
    }

    // The quick-pick results lie over the board, so they come last.
    List2 = named(new QListWidget(this), QStringLiteral("List2"));
    List2->setFrameShape(QFrame::NoFrame);
    List2->setUniformItemSizes(true);
    List2->hide();
}

void DrawPanel::placeDesigned(const TwipsPlacer& placer) {
    resize(placer.pixels(DesignSize.width()), placer.pixels(DesignSize.height()));
    placer.place(Image1, QRect(120, 120, 460, 460));
    placer.place(Image2, QRect(120, 700, 460, 460));
    placer.place(Text13, BoardRect);
    placer.place(Text2, QRect(NameLeft, BoardRect.y(), BarLeft - NameLeft + 90, 1500));
    placer.place(Splitter1, QRect(BarLeft, BoardRect.y(), BarWidth, BoardRect.height()));
    placer.place(List1, QRect(BarLeft + BarWidth + 120, BoardRect.y(), 3000, BoardRect.height()));

    // The quick-pick lines are 200 twips high; their font fills them.
    QFont pickFont = look::font(9);
    pickFont.setPixelSize(std::max(8, placer.pixels(layout::QuickPickLineHeight) - 2));
    List2->setFont(pickFont);

    constexpr int row = 2400;
    constexpr int rowHeight = 480;
    placer.place(txtManual, QRect(200, row, 2080, rowHeight));
    placer.place(Combo3, QRect(TopicLeft, row, BarLeft - TopicLeft + 120, rowHeight));

    // Thirteen buttons in two rows of seven columns.
    constexpr int buttonTop = 3000;
    constexpr int buttonHeight = 720;
    constexpr int gap = 120;
    constexpr int columns = 7;
    constexpr int buttonWidth = (11780 - 200 - (columns - 1) * gap) / columns;
    for (int i = 0; i < int(btnChou.size()); ++i) {
        const int column = i % columns;
        const int line = i / columns;
        placer.place(btnChou[i],
                     QRect(200 + column * (buttonWidth + gap),
                           buttonTop + line * (buttonHeight + gap), buttonWidth, buttonHeight));
    }

    constexpr int bottom = 4740;
    placer.place(Combo2, QRect(200, bottom, 2000, rowHeight));
    placer.place(m_scoreBoxCaption, QRect(2320, bottom, 520, rowHeight));
    placer.place(Combo1, QRect(2840, bottom, 1200, rowHeight));
    placer.place(m_scoreCaption, QRect(4200, bottom, 520, rowHeight));
    placer.place(Label4, QRect(4720, bottom, 760, rowHeight));
    placer.place(m_countCaption, QRect(5560, bottom, 520, rowHeight));
    placer.place(Label28, QRect(6080, bottom, 760, rowHeight));
    placer.place(Label30, QRect(6920, bottom, 1100, rowHeight));
    placer.place(Command11, QRect(8240, bottom, 1100, rowHeight));
    placer.place(Command1, QRect(9460, bottom, 1100, rowHeight));
    placer.place(btnManage, QRect(10680, bottom, 1100, rowHeight));
}

} // namespace ordalis
