// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own buttons speak Chinese once the program has loaded Qt's translation.

#include "common/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

using namespace ordalis;

class ChineseButtonsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void messageBoxButtonsAreChinese() {
        QVERIFY(installQtChinese(*qApp));
        QMessageBox box(QMessageBox::Question, QStringLiteral("成功"), QStringLiteral("是否？"),
                        QMessageBox::Yes | QMessageBox::No);
        const QString yes = box.button(QMessageBox::Yes)->text();
        QVERIFY2(yes.startsWith(QStringLiteral("是")), qPrintable(yes));
        QVERIFY(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("否")));
    }
};

QTEST_MAIN(ChineseButtonsTest)
#include "tst_chinese_buttons.moc"
