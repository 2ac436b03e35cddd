// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's keys for a keyboard and a presenter remote.

#include "session/MainWindowKeys.h"

#include <QtTest>

using namespace ordalis;

class MainWindowKeysTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keyMap() {
        using K = MainWindowKey;
        struct Case {
            int key;
            bool textBox;
            bool projector;
            K expected;
        };
        const Case cases[] = {
            {Qt::Key_PageDown, false, false, K::DrawLastCategory},
            {Qt::Key_Space, false, true, K::DrawLastCategory},
            {Qt::Key_PageUp, false, false, K::DrawNotYetCalled},
            {Qt::Key_B, false, false, K::BlankName},
            {Qt::Key_Period, false, true, K::BlankName},
            // Typed into a text box they are text.
            {Qt::Key_Space, true, false, K::None},
            {Qt::Key_B, true, true, K::None},
            {Qt::Key_PageDown, true, false, K::None},
            // Projector mode: F11 or F5 in, F11 or Escape out, from a text box too.
            {Qt::Key_F11, true, false, K::EnterProjector},
            {Qt::Key_F5, false, false, K::EnterProjector},
            {Qt::Key_F11, false, true, K::LeaveProjector},
            {Qt::Key_Escape, true, true, K::LeaveProjector},
            {Qt::Key_F5, false, true, K::None},
            // The draw window over a slideshow, from a text box and in projector mode too.
            {Qt::Key_F12, true, false, K::ToggleOverlay},
            {Qt::Key_F12, false, true, K::ToggleOverlay},
            // Escape outside projector mode belongs to the focused control.
            {Qt::Key_Escape, false, false, K::None},
            {Qt::Key_A, false, false, K::None},
            // The digits 1 to 8 choose a draw's count in projector mode only.
            {Qt::Key_1, false, true, K::ChooseDrawCount},
            {Qt::Key_8, false, true, K::ChooseDrawCount},
            {Qt::Key_9, false, true, K::None},
            {Qt::Key_0, false, true, K::None},
            {Qt::Key_4, false, false, K::None},
            {Qt::Key_4, true, true, K::None},
        };
        for (const Case& c : cases)
            QVERIFY2(mainWindowKey(c.key, c.textBox, c.projector) == c.expected,
                     qPrintable(QStringLiteral("key %1").arg(c.key, 0, 16)));
    }
};

QTEST_GUILESS_MAIN(MainWindowKeysTest)
#include "tst_main_window_keys.moc"
