// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Screenshots of windows under test, saved to build/screenshots for a person to look at.

#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QWidget>

namespace ordalis::test {

inline void saveScreenshot(const QPixmap& shot, const QString& name) {
    const QString dir = QStringLiteral(ORDALIS_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    QVERIFY(shot.save(dir + u'/' + name + QStringLiteral(".png")));
}

inline void saveScreenshot(QWidget* widget, const QString& name) {
    saveScreenshot(widget->grab(), name);
}

} // namespace ordalis::test
