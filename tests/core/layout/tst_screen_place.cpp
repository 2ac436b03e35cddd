// SPDX-License-Identifier: GPL-3.0-or-later
// Where a window opens: centred over the window it comes from and wholly on the screen, and
// where it was put before, while that screen is there.

#include "layout/ScreenPlace.h"

#include <QtTest>

using namespace ordalis::layout;

namespace {
const QRect Laptop{0, 0, 1366, 738};        // under a 30-pixel panel
const QRect Projector{1366, 0, 1920, 1080}; // to its right
} // namespace

class ScreenPlaceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void centredOverAndOnTheScreen() {
        struct Case {
            const char* what;
            QRect over;
            QSize frame;
            QRect expected;
        };
        const Case cases[] = {
            {"centred", {283, 156, 800, 426}, {400, 200}, {483, 269, 400, 200}},
            {"against the left and top edges", {0, 0, 300, 200}, {500, 400}, {0, 0, 500, 400}},
            {"against the right and bottom edges",
             {1166, 638, 200, 100},
             {500, 400},
             {866, 338, 500, 400}},
            {"shrunk to the screen", {283, 156, 800, 426}, {2000, 900}, {0, 0, 1366, 738}},
        };
        for (const Case& c : cases)
            QVERIFY2(centredOver(Laptop, c.over, c.frame) == c.expected, c.what);
    }

    void keptOnTheScreensThereAre() {
        const QList<QRect> both{Laptop, Projector};
        QCOMPARE(keptOnScreens({1400, 40, 150, 90}, both), QRect(1400, 40, 150, 90));
        // Partly off the projector's right edge: wholly on it again.
        QCOMPARE(keptOnScreens({3200, 40, 150, 90}, both), QRect(3136, 40, 150, 90));
        // The projector is gone.
        QCOMPARE(keptOnScreens({1400, 40, 150, 90}, {Laptop}), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(ScreenPlaceTest)
#include "tst_screen_place.moc"
