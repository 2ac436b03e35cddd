// SPDX-License-Identifier: GPL-3.0-or-later
#include "StarEcho.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace ordalis {

namespace {

class StarStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        return hint == SH_LineEdit_PasswordCharacter
                   ? int(u'*')
                   : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void echoStars(QLineEdit* box) {
    box->setEchoMode(QLineEdit::Password);
    auto* style = new StarStyle;
    style->setParent(box);
    box->setStyle(style);
}

} // namespace ordalis
