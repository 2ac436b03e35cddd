// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the upload panel does with its pending score lines: upload them to the score service,
// save them to a .dms file and load them back, edit one line on the edit panel, and total them
// per group on the group statistics and detail panels.

#include "common/RequestGate.h"
#include "net/HttpClient.h"
#include "record/DrawCategories.h"
#include "scoring/UploadBatches.h"

#include <QObject>
#include <functional>

class QWidget;

namespace ordalis {

class GroupDetailPanel;
class LineEditPanel;
class PendingKeeper;
class ServiceEndpoints;
class StatisticsPanel;
class UnsavedWork;
class UploadPanel;
struct Session;

class UploadController : public QObject {
    Q_OBJECT

public:
    static inline const QString DmsFilter =
        QStringLiteral("Rovani成绩记录(*.dms)|*.dms|All Files(*.*)|*.*");
    using GroupsSource = std::function<GroupLists()>;

    // Creates the edit, statistics and detail panels beside the upload panel: the four share
    // one place in the main window and this object switches between them. The upload waits
    // for its reply through the window's request gate.
    UploadController(UploadPanel* upload, PendingKeeper& pending, RequestGate gate,
                     Session& session, ServiceEndpoints& service, GroupsSource groupLists,
                     QObject* parent = nullptr);

    // The panel is being shown: every pending line selected, upload enabled when it can work.
    void opened();

    void upload();
    void exportSelected();
    void importFile();
    void editLine(int row);
    void confirmEdit();
    void cancelEdit();
    void showStatistics();
    // 撤销 or Ctrl+Z: takes back the newest pending score, with a cancelling line in the daily
    // log; never a score that went to the service in a batch whose answer was not heard.
    void undoLastScore();

    // Before the program closes while something is not written to disk: the teacher may save
    // the pending scores elsewhere first. False keeps the program open.
    bool mayClose(const UnsavedWork& unsaved);

Q_SIGNALS:
    // The service took the lines: its figures have changed.
    void uploaded();
    // Undo took this pending score back.
    void scoreTakenBack(const QString& scoreLine);

private:
    bool uploadAllowed() const;
    // What the batches of one upload did: the last outcome and what was stored before it.
    struct Sent {
        Expected<> outcome = Refusal{{}, 0, Refusal::Kind::NoAnswer};
        qsizetype batches = 0;
        QStringList lines;
        qsizetype calls = 0;
    };
    // Sends the batches in order through the window's gate until one is not stored; false
    // when the gate is waiting for another request.
    bool send(const QList<UploadBatch>& plan, const QString& password, Sent& sent);
    void uploadCallsAlone(const QString& password);
    // Saves the lines to a .dms file the teacher chooses and says where, followed by
    // `afterwards`; false when cancelled or not written.
    bool saveToFile(const QStringList& lines, const QString& afterwards);
    // The upload panel and the panels that take its place.
    QList<QWidget*> panels() const;
    void showOnly(QWidget* panel);

    UploadPanel* m_upload;
    PendingKeeper& m_pending;
    RequestGate m_gate;
    LineEditPanel* m_edit;
    StatisticsPanel* m_statistics;
    GroupDetailPanel* m_detail;
    Session& m_session;
    ServiceEndpoints& m_service;
    GroupsSource m_groupLists;
    int m_editedRow = -1;
};

} // namespace ordalis
