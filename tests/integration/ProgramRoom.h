// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program as a teacher starts it, on a data folder of its own and pointed at a test
// service, with the moves a teacher makes in its main window: log in online or offline, pick
// from a chooser, read a list. Widgets are found by their object names. Header-only, shared by
// the tests that drive the whole program.

#include "RecordFixture.h"
#include "ScriptedProgram.h"
#include "common/RowTableModel.h"
#include "net/ServiceConfig.h"
#include "session/LoginWindow.h"
#include "session/MainWindow.h"
#include "session/ProgramWindows.h"
#include "session/Session.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace ordalis::test {

class ProgramRoom {
public:
    explicit ProgramRoom(const ServiceConfig& serviceConfig)
        : config(serviceConfig)
        , windows(data.folder(), config, session,
                  QDir(data.path()).filePath(QStringLiteral("users.ini")), [] { return true; }) {
        form()->show(); // without Timer2: no clock or version checks here
    }

    MainWindow* form() const { return windows.mainWindow(); }

    template <typename W = QWidget> W* inForm(const QString& name) const {
        W* widget = form()->findChild<W*>(name);
        if (!widget)
            qFatal("main window has no %s", qPrintable(name));
        return widget;
    }

    static void click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }

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

    // Picks the item as a teacher does from the drop-down list; false when it is not there.
    static bool choose(QComboBox* box, const QString& item) {
        const int index = box->findText(item);
        if (index < 0)
            return false;
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
        return true;
    }

    // A list's lines: a name list's texts, or a table's rows as their lines.
    static QStringList lines(const QAbstractItemView* view) {
        const QAbstractItemModel* model = view->model();
        const int role = dynamic_cast<const RowModel*>(model) != nullptr ? int(RowModel::LineRole)
                                                                         : int(Qt::DisplayRole);
        QStringList texts;
        for (int row = 0; row < model->rowCount(); ++row)
            texts << model->index(row, 0).data(role).toString();
        return texts;
    }
    // Lines added to a table's rows from outside, as another program's lines would come.
    static RowModel* rows(const QTableView* table) {
        return dynamic_cast<RowModel*>(table->model());
    }
    static void addLines(const QTableView* table, const QStringList& more) {
        rows(table)->setLines(lines(table) + more);
    }
    static bool isRowSelected(const QTableView* table, int row) {
        return table->selectionModel()->isRowSelected(row);
    }
    static void deselectRow(const QTableView* table, int row) {
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    }
    static qsizetype selectedRows(const QTableView* table) {
        return table->selectionModel()->selectedRows().size();
    }

    ServiceConfig config;
    TempDataFolder data;
    Session session;
    ProgramWindows windows;
};

} // namespace ordalis::test
