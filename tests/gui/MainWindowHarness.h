// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A main window on a temporary data folder with a record written by the test, and the small
// moves a teacher makes: choose a class, roll and stop, pick a score. Header-only, shared by
// the main-window tests.

#include "RecordFixture.h"
#include "Screenshots.h"
#include "common/Dialogs.h"
#include "common/Look.h"
#include "common/RowTableModel.h"
#include "draw/DrawController.h"
#include "draw/DrawPanel.h"
#include "draw/LayoutController.h"
#include "groups/GroupList.h"
#include "layout/Splitter.h"
#include "pinyin/ManualPanelTabs.h"
#include "scoring/ScoringController.h"
#include "session/MainWindow.h"
#include "session/Session.h"

#include <QAbstractButton>
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
#include <QTableView>
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

inline bool isControl(QWidget* widget) {
    return qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
           qobject_cast<QLineEdit*>(widget) || qobject_cast<QFrame*>(widget) ||
           qobject_cast<Splitter*>(widget) || qobject_cast<QTabBar*>(widget);
}

// The visible controls of a window that reach past its right or bottom edge (the panels that
// hold them may be wider than the window).
inline QStringList controlsOutside(QWidget* window) {
    QStringList outside;
    const QRect inside = window->rect();
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (control->isWindow() || !control->isVisibleTo(window) || !isControl(control))
            continue;
        const QRect at(control->mapTo(window, QPoint()), control->size());
        if (!inside.contains(at))
            outside << control->objectName() + QStringLiteral(" %1,%2 %3x%4")
                                                   .arg(at.x())
                                                   .arg(at.y())
                                                   .arg(at.width())
                                                   .arg(at.height());
    }
    return outside;
}

struct MainWindowHarness {
    TempDataFolder data;
    Session session;
    std::unique_ptr<MainWindow> form;
    QDateTime now{QDate(2020, 3, 2), QTime(9, 15, 7)};

    explicit MainWindowHarness(const QStringList& record = sampleRecordLines(),
                               const QString& user = QStringLiteral("zhangsan")) {
        look::apply(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        dialogs::setScripted(true);
        dialogs::takeShownMessages();
        session.userName = user;
        if (!record.isEmpty())
            data.writeRecord(record);
        form = std::make_unique<MainWindow>(data.folder(), session);
        form->setClock([this] { return now; });
        form->show();
    }

    // A widget of the window by its objectName.
    template <typename T = QWidget> T* find(const QString& name) const {
        T* found = form->findChild<T*>(name);
        if (found == nullptr)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }

    QWidget* d() const { return find(QStringLiteral("Frame5")); }
    QWidget* m() const { return find(QStringLiteral("Frame6")); }
    QPushButton* button(int i) const {
        return find<QPushButton>(QStringLiteral("btnChou_%1").arg(i));
    }
    QComboBox* classBox() const { return find<QComboBox>(QStringLiteral("Combo2")); }
    QComboBox* topicBox() const { return find<QComboBox>(QStringLiteral("Combo3")); }
    QComboBox* scoreBox() const { return find<QComboBox>(QStringLiteral("Combo1")); }
    QLineEdit* nameDisplay() const { return find<QLineEdit>(QStringLiteral("Text2")); }
    QListWidget* standardsList() const { return find<QListWidget>(QStringLiteral("List1")); }
    QLineEdit* searchBox() const { return find<QLineEdit>(QStringLiteral("txtManual")); }
    QListWidget* resultList() const { return find<QListWidget>(QStringLiteral("List2")); }
    Splitter* bar() const { return find<Splitter>(QStringLiteral("Splitter1")); }
    QLabel* label(const char* name) const { return find<QLabel>(QLatin1String(name)); }
    QListWidget* list(const QString& name) const { return find<QListWidget>(name); }
    GroupList* groupList(int g) const {
        return find<GroupList>(QStringLiteral("List_group_%1").arg(g));
    }
    QTimer* rollTimer() const { return find<QTimer>(QStringLiteral("Timer1")); }

    const DrawEngine& engine() const { return form->findChild<DrawController*>()->engine(); }
    QString scoreable() const { return form->findChild<ScoringController*>()->scoreableStudent(); }
    bool isCompact() const { return form->findChild<LayoutController*>()->isCompact(); }
    TwipsPlacer placer() const { return TwipsPlacer::forWidget(form.get()); }

    void apply() { form->applyTeacherRecord(SessionMode::Offline); }

    void chooseClass(const QString& name) {
        QComboBox* box = classBox();
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
        if (b->text() != QStringLiteral("暂停") || !rollTimer()->isActive())
            return QString();
        if (!QTest::qWaitFor([this] { return !nameDisplay()->text().isEmpty(); }, 2000))
            return QString();
        QTest::mouseClick(b, Qt::LeftButton);
        return nameDisplay()->text();
    }

    void chooseScore(const QString& text) {
        QComboBox* box = scoreBox();
        const int index = box->findText(text);
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }

    QStringList pending() const {
        return dynamic_cast<const RowModel*>(find<QTableView>(QStringLiteral("List4"))->model())
            ->lines();
    }

    QByteArray logBytes(const QString& className, const QDate& date) const {
        QFile file(data.filePath(
            QStringLiteral("%1_%2_%3.Log")
                .arg(session.userName, className, date.toString(QStringLiteral("yyyy-MM-dd")))));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void saveScreenshot(QWidget* widget, const QString& name) const {
        test::saveScreenshot(widget, name);
    }
};

} // namespace ordalis::test
