// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The background colour a text box is drawn with, read from its rendered pixels near the right
// edge, where typed text does not reach. For tests that link the widgets library.

#include <QImage>
#include <QWidget>

namespace ordalis::test {

inline QColor backgroundOf(QWidget* box) {
    const QImage image = box->grab().toImage();
    return image.pixelColor(image.width() - 8, image.height() / 2);
}

} // namespace ordalis::test
