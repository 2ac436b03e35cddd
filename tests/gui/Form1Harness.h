// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A main window on a temporary data folder with a record written by the test, and the small
// moves a teacher makes: choose a class, roll and stop, pick a score. Header-only, shared by
// the main-window tests.

#include "RecordFixture.h"
#include "common/Dialogs.h"
#include "common/Look.h"
#include "draw/DrawPanel.h"
#include "groups/GroupList.h"
#include "layout/Splitter.h"
#include "pinyin/ManualPanel.h"
#include "pinyin/ManualPanelTabs.h"
#include "scoring/UploadPanel.h"
#include "session/Form1.h"
#include "session/Session.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace ordalis::test {

inline QStringList listTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

struct Form1Harness {
    TempDataFolder data;
    Session session;
    std::unique_ptr<Form1> form;
    QDateTime now{QDate(2020, 3, 2), QTime(9, 15, 7)};

    explicit Form1Harness(const QStringList& record = sampleRecordLines(),
                          const QString& user = QStringLiteral("zhangsan")) {
        look::apply(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        dialogs::setScripted(true);
        dialogs::takeShownMessages();
        session.userName = user;
        if (!record.isEmpty())
            data.writeRecord(record);
        form = std::make_unique<Form1>(data.folder(), session);
        form->setClock([this] { return now; });
        form->show();
    }

    DrawPanel* d() const { return form->drawPanel(); }
    ManualPanel* m() const { return form->manualPanel(); }
    QPushButton* button(int i) const { return d()->btnChou[i]; }

    void apply() { form->applyTeacherRecord(QStringLiteral("offline")); }

    void chooseClass(const QString& name) {
        QComboBox* box = d()->Combo2;
        const int index = box->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }

    // Rolls on a category until a name shows, then stops; returns the called name.
    QString drawFrom(int category) {
        QPushButton* b = button(category);
        if (!b->isEnabled())
            return QString();
        QTest::mouseClick(b, Qt::LeftButton);
        if (b->text() != QStringLiteral("暂停") || !form->rollTimer()->isActive())
            return QString();
        if (!QTest::qWaitFor([this] { return !d()->Text2->text().isEmpty(); }, 2000))
            return QString();
        QTest::mouseClick(b, Qt::LeftButton);
        return d()->Text2->text();
    }

    void chooseScore(const QString& text) {
        QComboBox* box = d()->Combo1;
        const int index = box->findText(text);
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }

    QStringList pending() const { return listTexts(form->uploadPanel()->List4); }

    QByteArray logBytes(const QString& className, const QDate& date) const {
        QFile file(data.filePath(
            QStringLiteral("%1_%2_%3.Log")
                .arg(session.userName, className, date.toString(QStringLiteral("yyyy-MM-dd")))));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void saveScreenshot(QWidget* widget, const QString& name) const {
        const QString dir = QStringLiteral(ORDALIS_SCREENSHOT_DIR);
        QDir().mkpath(dir);
        QVERIFY(widget->grab().save(dir + u'/' + name + QStringLiteral(".png")));
    }
};

} // namespace ordalis::test
