// SPDX-License-Identifier: GPL-3.0-or-later
// The draw panel's rectangles as designed and grown: inside the panel, apart where the design
// keeps them apart, in their rows and columns in order, and agreeing with the split rules.

#include "layout/DrawPanelDesign.h"

#include <QtTest>

using namespace ordalis::layout;

namespace {

struct Named {
    const char* name;
    QRect rect;
};

QList<Named> controls(const DrawPanelRects& g) {
    QList<Named> all{{"fullWindowPicture", g.fullWindowPicture},
                     {"compactWindowPicture", g.compactWindowPicture},
                     {"projectorButton", g.projectorButton},
                     {"overlayButton", g.overlayButton},
                     {"speechButton", g.speechButton},
                     {"board", g.board},
                     {"name", g.name},
                     {"bar", g.bar},
                     {"standards", g.standards},
                     {"quickPickBox", g.quickPickBox},
                     {"topicBox", g.topicBox},
                     {"classBox", g.classBox},
                     {"scoreBoxCaption", g.scoreBoxCaption},
                     {"scoreBox", g.scoreBox},
                     {"averageCaption", g.averageCaption},
                     {"averageScore", g.averageScore},
                     {"countCaption", g.countCaption},
                     {"scoredCount", g.scoredCount},
                     {"classTimer", g.classTimer},
                     {"historyButton", g.historyButton},
                     {"uploadButton", g.uploadButton},
                     {"userButton", g.userButton},
                     {"manageButton", g.manageButton},
                     {"drawCountCaption", g.drawCountCaption},
                     {"drawCount", g.drawCount}};
    for (const QRect& button : g.categories)
        all.append({"category", button});
    return all;
}

// The name lies on the board, and the bar over the board's right margin and the name's end.
// Grown, the pane's widths are provisional (the split rules set them for the bar's place), so
// only the rest must stay apart from them.
bool mayOverlap(const QString& a, const QString& b, bool grown) {
    const QSet<QString> pair{a, b};
    if (grown)
        return QSet<QString>{"board", "name", "bar", "standards"}.contains(pair);
    return pair == QSet<QString>{"board", "name"} || pair == QSet<QString>{"board", "bar"} ||
           pair == QSet<QString>{"name", "bar"};
}

// Each rectangle strictly right of (or below) the one before it, on its top (or left) edge; the
// gaps between them all `evenGap` unless it is zero.
void checkInOrder(const QList<QRect>& rects, Qt::Orientation along, int evenGap = 0) {
    for (int i = 1; i < rects.size(); ++i) {
        const QRect& before = rects[i - 1];
        const bool across = along == Qt::Horizontal;
        QCOMPARE(across ? rects[i].top() : rects[i].left(), across ? before.top() : before.left());
        const int gap =
            across ? rects[i].left() - before.right() - 1 : rects[i].top() - before.bottom() - 1;
        QVERIFY2(gap >= 0, qPrintable(QString::number(i)));
        if (evenGap != 0)
            QCOMPARE(gap, evenGap);
        if (across)
            QCOMPARE(rects[i].height(), before.height());
    }
}

const QList<Growth> Growths{{}, {2400, 0}, {0, 1800}, {4321, 2345}};

} // namespace

class DrawPanelDesignTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void insideAndApart() {
        for (const Growth& growth : Growths) {
            const DrawPanelRects g = grownDrawPanel(growth);
            const QList<Named> all = controls(g);
            for (int i = 0; i < all.size(); ++i) {
                QVERIFY2(QRect(QPoint(), g.panel).contains(all[i].rect), all[i].name);
                for (int j = i + 1; j < all.size(); ++j)
                    QVERIFY2(!all[i].rect.intersects(all[j].rect) ||
                                 mayOverlap(all[i].name, all[j].name, growth != Growth{}),
                             qPrintable(QStringLiteral("%1 %2").arg(all[i].name, all[j].name)));
            }
            QVERIFY(g.board.contains(g.name));
            QVERIFY(g.board.contains(g.bar));
            QCOMPARE(g.bar.height(), g.board.height());
            QCOMPARE(g.standards.top(), g.board.top());
            QCOMPARE(g.standards.height(), g.board.height());
        }
    }

    // The category buttons in two rows of seven, equal, under the boxes and over the bottom
    // row; the first column starts with the boxes' left edge, the rows end a gap before the draw
    // count, which stands beside them and ends with the exit buttons' right edge. The bottom row
    // and the pictures' column in order.
    void rowsInOrder() {
        for (const Growth& growth : Growths) {
            const DrawPanelRects g = grownDrawPanel(growth);
            const QList<QRect> first(g.categories.begin(), g.categories.begin() + CategoryColumns);
            const QList<QRect> second(g.categories.begin() + CategoryColumns, g.categories.end());
            checkInOrder(first, Qt::Horizontal, CategoryGap);
            checkInOrder(second, Qt::Horizontal, CategoryGap);
            for (int i = 0; i < second.size(); ++i) {
                QCOMPARE(second[i].size(), first[i].size());
                QCOMPARE(second[i].left(), first[i].left());
            }
            checkInOrder({first[0], second[0]}, Qt::Vertical, CategoryGap);
            QCOMPARE(first[0].top() - g.quickPickBox.bottom() - 1, CategoryGap);
            QVERIFY(second[0].bottom() < g.classBox.top());
            QCOMPARE(first[0].left(), g.classBox.left());
            QCOMPARE(first[0].left(), g.quickPickBox.left());
            // Whole twips may leave the rows a twip short per column, never more.
            QCOMPARE(g.drawCount.right(), g.manageButton.right());
            QCOMPARE(g.drawCountCaption.left() - g.categoryArea.right() - 1, CategoryGap);
            checkInOrder({g.drawCountCaption, g.drawCount}, Qt::Vertical);
            QCOMPARE(g.drawCountCaption.top(), first[0].top());
            QCOMPARE(g.drawCount.bottom(), second[0].bottom());
            QVERIFY(g.categoryArea.right() - first.last().right() < CategoryColumns);

            checkInOrder({g.quickPickBox, g.topicBox}, Qt::Horizontal);
            checkInOrder({g.classBox, g.scoreBoxCaption, g.scoreBox, g.averageCaption,
                          g.averageScore, g.countCaption, g.scoredCount, g.classTimer,
                          g.historyButton, g.uploadButton, g.userButton, g.manageButton},
                         Qt::Horizontal);
            // Each caption stands against the figure it names.
            QCOMPARE(g.scoreBoxCaption.right() + 1, g.scoreBox.left());
            QCOMPARE(g.averageCaption.right() + 1, g.averageScore.left());
            QCOMPARE(g.countCaption.right() + 1, g.scoredCount.left());
            checkInOrder({g.historyButton, g.uploadButton, g.userButton, g.manageButton},
                         Qt::Horizontal, CategoryGap);
            for (const QRect& exit : {g.uploadButton, g.userButton, g.manageButton})
                QCOMPARE(exit.size(), g.historyButton.size());

            checkInOrder({g.fullWindowPicture, g.compactWindowPicture, g.projectorButton,
                          g.overlayButton, g.speechButton},
                         Qt::Vertical, CategoryGap);
            QCOMPARE(g.fullWindowPicture.top(), g.board.top());
            QVERIFY(g.speechButton.bottom() < g.quickPickBox.top());
            QVERIFY(g.speechButton.right() < g.board.left());
        }
    }

    // The designed widths are those the split rules give at the designed bar, so that laying
    // the panel out again does not move a thing; a grown panel keeps its margins.
    void agreesWithTheSplitRules() {
        const DrawPanelRects d = DrawPanelDesign;
        const SplitGeometry split =
            splitLayout({d.board.x(), d.name.x(), d.topicBox.x()}, d.bar.x(), d.bar.width(),
                        fullWindowSize(d.panel).width());
        QCOMPARE(split.boardWidth, d.board.width());
        QCOMPARE(split.nameWidth, d.name.width());
        QCOMPARE(split.topicWidth, d.topicBox.width());
        QCOMPARE(split.listLeft, d.standards.x());
        QCOMPARE(d.topicBox.right(), d.board.right());

        const DrawPanelRects g = grownDrawPanel({4321, 2345});
        QCOMPARE(g.board.size(), d.board.size() + QSize(4321, 2345));
        QCOMPARE(g.panel.width() - g.standards.right(), d.panel.width() - d.standards.right());
        QCOMPARE(g.panel - QSize(g.manageButton.right(), g.manageButton.bottom()),
                 d.panel - QSize(d.manageButton.right(), d.manageButton.bottom()));
        QCOMPARE(g.panel.height() - g.classBox.bottom(), d.panel.height() - d.classBox.bottom());
        QCOMPARE(g.topicBox.top() - g.board.bottom(), d.topicBox.top() - d.board.bottom());
    }
};

QTEST_GUILESS_MAIN(DrawPanelDesignTest)
#include "tst_draw_panel_design.moc"
