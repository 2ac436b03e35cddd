// SPDX-License-Identifier: GPL-3.0-or-later
#include "StarPassword.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace ordalis {

namespace {

class StarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void showAsStars(QLineEdit* box) {
    box->setEchoMode(QLineEdit::Password);
    auto* style = new StarPasswordStyle;
    style->setParent(box);
    box->setStyle(style);
}

} // namespace ordalis
