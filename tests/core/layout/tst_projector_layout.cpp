// SPDX-License-Identifier: GPL-3.0-or-later
// Projector mode's geometry on the two common projector screens and its name fitting.

#include "layout/ProjectorLayout.h"

#include <QtTest>

using namespace ordalis::layout;

class ProjectorLayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Everything inside the screen, the bar below the board, the standards beside it and no
    // two controls over each other.
    void everythingInsideAndApart() {
        for (const QSize screen : {QSize(1366, 768), QSize(1920, 1080)}) {
            for (const bool split : {false, true}) {
                const ProjectorGeometry g = projectorLayout(screen, split);
                QList<QRect> controls{g.board,     g.classBox,     g.topicBox,       g.scoreBox,
                                      g.drawCount, g.speechButton, g.projectorButton};
                controls += QList<QRect>(g.categories.begin(), g.categories.end());
                if (split)
                    controls << g.standards;
                else
                    QVERIFY(g.standards.isEmpty());
                for (int i = 0; i < controls.size(); ++i) {
                    QVERIFY(QRect(QPoint(), screen).contains(controls[i]));
                    for (int j = i + 1; j < controls.size(); ++j)
                        QVERIFY2(!controls[i].intersects(controls[j]),
                                 qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
                }
                QVERIFY(g.board.contains(g.name));
                QVERIFY(g.board.height() > screen.height() * 3 / 4);
            }
        }
    }

    // The designed rule scaled to the box: a long name by the width, a short one up to the
    // box's height; an empty name keeps its size.
    void nameFitsTheBox() {
        const QSize box(1300, 870); // pixels at 96 dpi: 19500 x 13050 twips
        QCOMPARE(fitProjectorNameFont(box, 96, 9, 70), 19500 / (9 * 24));
        QCOMPARE(fitProjectorNameFont(box, 96, 2, 70), 19500 / (2 * 24));
        QCOMPARE(fitProjectorNameFont(QSize(1300, 300), 96, 2, 70), 70 * 4500 / 1500);
        QCOMPARE(fitProjectorNameFont(box, 96, 0, 70), 70);
        QCOMPARE(fitProjectorNameFont(QSize(1300, 60), 96, 0, 70), 70 * 900 / 1500);
    }
};

QTEST_GUILESS_MAIN(ProjectorLayoutTest)
#include "tst_projector_layout.moc"
