// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the upload panel Frame4 does with the pending score lines in List4: upload them to the
// score service, save them to a .dms file and load them back, edit one line on Frame7, and
// total them per group on Frame8 and Frame1.

#include "record/DrawCategories.h"

#include <QObject>
#include <functional>

class QListWidgetItem;
class QWidget;

namespace ordalis {

class GroupDetailPanel;
class LineEditPanel;
class ServiceEndpoints;
class StatisticsPanel;
class UploadPanel;
struct Session;

class UploadController : public QObject {
    Q_OBJECT

public:
    static inline const QString DmsFilter =
        QStringLiteral("Rovani成绩记录(*.dms)|*.dms|All Files(*.*)|*.*");
    using GroupsSource = std::function<GroupLists()>;

    // Creates the edit, statistics and detail panels beside the upload panel: the four share
    // one place in the main window and this object switches between them.
    UploadController(UploadPanel* upload, Session& session, ServiceEndpoints& service,
                     GroupsSource groupLists, QObject* parent = nullptr);

    LineEditPanel* editPanel() const { return m_edit; }
    StatisticsPanel* statisticsPanel() const { return m_statistics; }
    GroupDetailPanel* detailPanel() const { return m_detail; }

    // The panel is being shown: every pending line selected, upload enabled when it can work.
    void opened();

    void upload();
    void exportSelected();
    void importFile();
    void editLine(QListWidgetItem* item);
    void confirmEdit();
    void cancelEdit();
    void showStatistics();

private:
    bool uploadAllowed() const;
    QStringList selectedLines() const;
    void exportLines(const QStringList& lines);
    void setSending(bool sending);
    // The upload panel and the panels that take its place.
    QList<QWidget*> panels() const;
    void showOnly(QWidget* panel);

    UploadPanel* m_upload;
    LineEditPanel* m_edit;
    StatisticsPanel* m_statistics;
    GroupDetailPanel* m_detail;
    Session& m_session;
    ServiceEndpoints& m_service;
    GroupsSource m_groupLists;
    bool m_sending = false;
    int m_editedRow = -1;
};

} // namespace ordalis
