// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as a teacher starts it, pointed at a test service, with the moves a teacher
// makes in the management console: log in, open it, press a page button, pick from a chooser,
// double-click a line. Widgets are found by their object names. Header-only, shared by the
// console tests.

#include "RecordFixture.h"
#include "common/Dialogs.h"
#include "console/ConsoleWindow.h"
#include "net/ServiceConfig.h"
#include "net/ServiceEndpoints.h"
#include "record/TeacherRecord.h"
#include "session/Form1.h"
#include "session/LoginWindow.h"
#include "session/ProgramWindows.h"
#include "session/Session.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace ordalis::test {

class ConsoleRoom {
public:
    explicit ConsoleRoom(const ServiceConfig& serviceConfig)
        : config(serviceConfig)
        , windows(data.folder(), config, session,
                  QDir(data.path()).filePath(QStringLiteral("users.ini")), [] { return true; }) {
        form()->show();
    }

    Form1* form() const { return windows.form1(); }
    ConsoleWindow* console() const { return windows.console(); }

    template <typename W = QWidget> W* inForm(const QString& name) const {
        W* widget = form()->findChild<W*>(name);
        if (!widget)
            qFatal("main window has no %s", qPrintable(name));
        return widget;
    }
    template <typename W = QWidget> W* in(const QString& name) const {
        W* widget = console() ? console()->findChild<W*>(name) : nullptr;
        if (!widget)
            qFatal("console has no %s", qPrintable(name));
        return widget;
    }

    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void clickIn(const QString& button) const { click(in(button)); }

    void login(const QString& user, const QString& password) {
        click(inForm(QStringLiteral("Command1")));
        LoginWindow* window = windows.loginWindow();
        window->findChild<QComboBox*>(QStringLiteral("ComboUser"))->setEditText(user);
        window->findChild<QLineEdit*>(QStringLiteral("txtPassword"))->setText(password);
        click(window->findChild<QPushButton*>(QStringLiteral("cmdOK")));
    }

    void loginOffline() {
        click(inForm(QStringLiteral("Command1")));
        windows.loginWindow()->probe();
        click(windows.loginWindow()->findChild<QPushButton*>(QStringLiteral("Command1")));
    }

    // 后台, then the page button.
    void openConsole() { click(inForm(QStringLiteral("btnManage"))); }
    void showPage(int index) { clickIn(QStringLiteral("Cmd_manage_%1").arg(index)); }

    // Picks the item as a teacher does from the drop-down list.
    bool choose(const QString& chooser, const QString& item) const {
        auto* box = in<QComboBox>(chooser);
        const int index = box->findText(item);
        if (index < 0)
            return false;
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
        return true;
    }

    QStringList lines(const QString& list) const {
        QStringList texts;
        const auto* widget = in<QListWidget>(list);
        for (int row = 0; row < widget->count(); ++row)
            texts << widget->item(row)->text();
        return texts;
    }
    void select(const QString& list, const QStringList& texts) const {
        auto* widget = in<QListWidget>(list);
        for (int row = 0; row < widget->count(); ++row)
            widget->item(row)->setSelected(texts.contains(widget->item(row)->text()));
    }
    void doubleClick(const QString& list, const QString& text) const {
        auto* widget = in<QListWidget>(list);
        const auto found = widget->findItems(text, Qt::MatchExactly);
        if (found.isEmpty())
            qFatal("no line %s", qPrintable(text));
        Q_EMIT widget->itemDoubleClicked(found.first());
    }
    QStringList items(const QComboBox* box) const {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }

    void saveScreenshot(const QString& name) const {
        const QString dir = QStringLiteral(ORDALIS_SCREENSHOT_DIR);
        QDir().mkpath(dir);
        QVERIFY(console()->grab().save(dir + u'/' + name + QStringLiteral(".png")));
    }

    ServiceConfig config;
    TempDataFolder data;
    Session session;
    ProgramWindows windows;
};

// The teacher's record as the service holds it now, read with the fixture's own session.
class ServiceRecord {
public:
    explicit ServiceRecord(ServiceEndpoints& endpoints)
        : m_record(m_data.recordFile()) {
        endpoints.downloadRecord(m_data.folder());
    }
    const TeacherRecord& operator*() const { return m_record; }
    const TeacherRecord* operator->() const { return &m_record; }

    QStringList students(const QString& className) const {
        QStringList names;
        for (const StudentEntry& student : m_record.readClassRoster(className).students)
            names << student.name;
        return names;
    }
    QStringList topics() const {
        QStringList names;
        for (const Topic& topic : m_record.readTopics())
            names << topic.name;
        return names;
    }

private:
    TempDataFolder m_data;
    TeacherRecord m_record;
};

} // namespace ordalis::test
