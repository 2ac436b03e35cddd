// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Places widgets from twips geometry, converting with the logical DPI of the screen the window
// is on, so the designed proportions hold on any screen.

#include "layout/Twips.h"

#include <QRect>
#include <QWidget>

namespace ordalis {

class TwipsPlacer {
public:
    explicit TwipsPlacer(double logicalDpi = 96.0)
        : m_dpi(logicalDpi) {}
    static TwipsPlacer forWidget(const QWidget* widget) {
        return TwipsPlacer(widget->logicalDpiX());
    }

    double dpi() const { return m_dpi; }
    int pixels(double twips) const { return twips::toPixels(twips, m_dpi); }
    double twipsOf(int pixels) const { return twips::fromPixels(pixels, m_dpi); }
    void place(QWidget* widget, const QRect& twipsRect) const {
        widget->setGeometry(twips::toPixels(twipsRect, m_dpi));
    }

private:
    double m_dpi;
};

} // namespace ordalis
