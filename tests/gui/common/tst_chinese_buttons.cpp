// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own buttons and file dialogs speak Chinese once the program has loaded Qt's translations.

#include "Screenshots.h"
#include "common/FileDialog.h"
#include "common/Translations.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace ordalis;

namespace {

// Every text a teacher sees in the dialog: captions, labels, buttons, choices, column headers
// and the rows of its views.
QStringList visibleTexts(QWidget* dialog) {
    QStringList texts{dialog->windowTitle()};
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(dialog))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
            for (int i = 0; i < header->count(); ++i) {
                if (!header->isSectionHidden(i))
                    texts << header->model()->headerData(i, header->orientation()).toString();
            }
        } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            const QModelIndex root = view->rootIndex();
            QAbstractItemModel* model = view->model();
            for (int row = 0; row < model->rowCount(root); ++row) {
                for (int column = 0; column < model->columnCount(root); ++column)
                    texts << model->index(row, column, root).data().toString();
            }
        }
    }
    return texts;
}

} // namespace

class ChineseButtonsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY(installQtChinese(*qApp)); }

    void messageBoxButtonsAreChinese() {
        QMessageBox box(QMessageBox::Question, QStringLiteral("成功"), QStringLiteral("是否？"),
                        QMessageBox::Yes | QMessageBox::No);
        const QString yes = box.button(QMessageBox::Yes)->text();
        QVERIFY2(yes.startsWith(QStringLiteral("是")), qPrintable(yes));
        QVERIFY(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("否")));
    }

    // The file dialog over a folder with a sub-folder and a score file: no English word in
    // sight but the names of the files, the folder's path and the file type patterns.
    void fileDialogTextsAreChinese() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("lesson")));
        QFile file(dir.filePath(QStringLiteral("scores.dms")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        for (const QFileDialog::AcceptMode mode :
             {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
            const auto made =
                dialogs::makeFileDialog(nullptr, QStringLiteral("打开数据文件"),
                                        QStringLiteral("Rovani成绩记录(*.dms)"), mode);
            QFileDialog& dialog = *made;
            dialog.setDirectory(dir.path());
            dialog.setViewMode(QFileDialog::Detail);
            dialog.show();
            auto* model = dialog.findChild<QFileSystemModel*>();
            QVERIFY(model);
            QVERIFY(
                QTest::qWaitFor([&] { return model->rowCount(model->index(dir.path())) == 2; }));
            QTest::qWait(50);
            const QRegularExpression english(QStringLiteral("[A-Za-z]{2,}"));
            // The home folder in the side bar is named after the user.
            const QStringList allowed{QStringLiteral("lesson"), QStringLiteral("scores"),
                                      QStringLiteral("dms"), QStringLiteral("Rovani"),
                                      QDir::home().dirName()};
            QStringList found;
            for (const QString& text : visibleTexts(&dialog)) {
                QString rest = text;
                rest.remove(QDir::toNativeSeparators(dir.path()));
                rest.remove(dir.path());
                for (const QString& word : allowed)
                    rest.remove(word);
                if (rest.contains(english))
                    found << text;
            }
            QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral(" | "))));
            test::saveScreenshot(&dialog, mode == QFileDialog::AcceptOpen
                                              ? QStringLiteral("file-dialog-open")
                                              : QStringLiteral("file-dialog-save"));
        }
    }
};

QTEST_MAIN(ChineseButtonsTest)
#include "tst_chinese_buttons.moc"
