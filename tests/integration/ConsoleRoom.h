// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program with the moves a teacher makes in the management console: open it, press a
// page button, pick from a chooser, double-click a line. Widgets are found by their object
// names. Header-only, shared by the console tests.

#include "ProgramRoom.h"
#include "Screenshots.h"
#include "console/ConsoleWindow.h"
#include "net/ServiceEndpoints.h"
#include "record/TeacherRecord.h"

namespace ordalis::test {

class ConsoleRoom : public ProgramRoom {
public:
    using ProgramRoom::choose;
    using ProgramRoom::lines;
    using ProgramRoom::ProgramRoom;

    ConsoleWindow* console() const { return windows.console(); }

    template <typename W = QWidget> W* in(const QString& name) const {
        W* widget = console() ? console()->findChild<W*>(name) : nullptr;
        if (!widget)
            qFatal("console has no %s", qPrintable(name));
        return widget;
    }

    void clickIn(const QString& button) const { click(in(button)); }

    // 后台, then the page button.
    void openConsole() { click(inForm(QStringLiteral("btnManage"))); }
    void showPage(int index) { clickIn(QStringLiteral("Cmd_manage_%1").arg(index)); }

    bool choose(const QString& chooser, const QString& item) const {
        return choose(in<QComboBox>(chooser), item);
    }
    QStringList lines(const QString& list) const { return lines(in<QAbstractItemView>(list)); }
    void select(const QString& list, const QStringList& texts) const {
        auto* view = in<QAbstractItemView>(list);
        const QStringList shown = lines(view);
        view->clearSelection();
        for (int row = 0; row < shown.size(); ++row) {
            if (texts.contains(shown[row]))
                view->selectionModel()->select(view->model()->index(row, 0),
                                               QItemSelectionModel::Select |
                                                   QItemSelectionModel::Rows);
        }
    }
    void doubleClick(const QString& list, const QString& text) const {
        auto* view = in<QAbstractItemView>(list);
        const qsizetype row = lines(view).indexOf(text);
        if (row < 0)
            qFatal("no line %s", qPrintable(text));
        const QModelIndex index = view->model()->index(int(row), 0);
        if (auto* names = qobject_cast<QListWidget*>(view))
            Q_EMIT names->itemDoubleClicked(names->item(int(row)));
        else
            Q_EMIT view->doubleClicked(index);
    }
    QStringList items(const QComboBox* box) const {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }

    void saveScreenshot(const QString& name) const { test::saveScreenshot(console(), name); }
};

// The teacher's record as the service holds it now, read with the fixture's own session.
class ServiceRecord {
public:
    explicit ServiceRecord(ServiceEndpoints& endpoints)
        : m_record(m_data.recordFile()) {
        static_cast<void>(endpoints.downloadRecord(m_data.folder()));
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
