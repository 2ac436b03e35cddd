// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the draw panel with the name board, the manual and groups panel and the
// upload panel, which replace one another. It wires its controllers together: the draw, the
// scores, the quick pick, the groups and the layout each keep their own state.

#include "common/RequestGate.h"
#include "groups/GroupLists.h"
#include "record/TeacherRecord.h"
#include "session/AbsentMarks.h"
#include "session/DataFolder.h"
#include "session/Session.h"

#include <QDateTime>
#include <QMainWindow>

class QLabel;
#include <functional>

namespace ordalis {

class DrawController;
class DrawPanel;
class GroupsController;
class LayoutController;
class ManualPanel;
class QuickPickController;
class ScoringController;
class TurnsController;
class UnsavedWork;
class UploadPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(const DataFolder& folder, Session& session, QWidget* parent = nullptr);

    // Fills the class and topic boxes from the teacher record after a login (online downloads
    // it first). No class is chosen afterwards and a rolling draw ends.
    void applyTeacherRecord(SessionMode mode);
    // Refills the standards list for the topic in the topic box and lays the window out (also
    // after the console changed topics or standards).
    void showTopicStandards();
    // A new login: the last user's student leaves the name display.
    void clearCalledStudent();
    // After an upload: the record is downloaded again (online) and the chosen class's
    // categories and the shown student's figures follow it; the lesson's calls stay.
    void refreshFigures();

    // Fetches the teacher record before an online apply; unset, nothing is fetched.
    void setRecordDownloader(std::function<void()> downloader);
    // The clock of the score lines and daily logs (the wall clock unless a test sets one).
    void setClock(std::function<QDateTime()> clock);
    // Asked when the window is closed; false keeps the program running.
    void setCloseCheck(std::function<bool()> mayClose);

    // What could not be written to disk yet, marked in the status bar.
    UnsavedWork& unsavedWork() const { return *m_unsaved; }
    // The calls waiting for an upload, counted in the status bar beside the scores.
    void showPendingCalls(qsizetype count);
    // A pending score was taken back: the status bar names it and the name board follows.
    void showScoreTakenBack(const QString& scoreLine);

    // The panels, for the controllers of the program's windows.
    DrawPanel* drawPanel() const { return m_drawPanel; }
    DrawController* drawController() const { return m_draw; }
    TurnsController* turnsController() const { return m_turns; }
    ManualPanel* manualPanel() const { return m_manualPanel; }
    UploadPanel* uploadPanel() const { return m_uploadPanel; }
    // The window's one request gate: every request this window waits for (the uploads, the
    // record downloaded after a login) waits through it (copies share the gate). The clock
    // and version checks of its status bar wait for nobody: their replies come to callbacks.
    RequestGate requestGate() const { return m_requestGate; }

    // The class chosen last, and its sixteen groups as arranged now.
    QString chosenClass() const;
    // The class's students in roster order, from the record file.
    QStringList studentsOf(const QString& className) const;
    // Students marked 缺席 today are in no draw category, quick pick or manual pick.
    QStringList absentToday(const QString& className) const;
    QStringList absentOn(const QString& className, const QDate& day) const;
    void markAbsent(const QString& className, const QString& name, bool absent);
    const GroupLists& groups() const;
    // Groups rearranged and not uploaded yet; groupsSent() when the service took them.
    bool hasUnsentGroups() const;
    void groupsSent();

Q_SIGNALS:
    void userRequested();        // 用户: back to the login window
    void manageRequested();      // 后台: the management console
    void historyRequested();     // 记录 or F9: the class's history
    void undoRequested();        // Ctrl+Z outside a text box: take back the newest score
    void uploadPanelShown();     // 上传: the upload panel took the draw panel's place
    void groupUploadRequested(); // 上传分组信息
    void scoreRecorded(const QString& scoreLine);
    void calledByDraw(const QString& name);             // a draw stopped on this student
    void calledSeveralByDraw(const QStringList& names); // or on these students
    // A student was called, by a draw, the quick pick or the manual panel (a CallLine text).
    void callRecorded(const QString& callLine);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void connectControllers();
    void startUp();
    // The chosen class's lists to call from, without who is marked absent today.
    void refreshPresentStudents();

    // A class as today finds it, from one reading of the record: every student in roster
    // order, those of them marked absent today, and the roster of those present.
    struct ClassToday {
        QStringList everyone;
        QStringList absent;
        ClassRoster present;
    };
    ClassToday classToday(const QString& className) const;
    void chooseClass(const QString& className);
    void clearClass();
    void callFromQuickPick(const QString& name);
    void callFromManualPanel(const QString& name);
    void callSeveralFromDraw(const QStringList& names);
    void recordCall(const QString& name, const QString& how);

    void showDrawPanel();
    void showManualPanel();
    void showManualTab(int tab);
    void showUploadPanel();

    DataFolder m_folder;
    Session& m_session;
    UnsavedWork* m_unsaved = nullptr;
    QLabel* m_pendingCalls = nullptr;
    std::function<bool()> m_mayClose;
    QString m_chosenClass; // empty while no class is chosen
    TeacherRecord m_record;
    std::function<void()> m_downloader;
    RequestGate m_requestGate;

    DrawPanel* m_drawPanel = nullptr;
    ManualPanel* m_manualPanel = nullptr;
    UploadPanel* m_uploadPanel = nullptr;

    DrawController* m_draw = nullptr;
    ScoringController* m_scoring = nullptr;
    QuickPickController* m_quickPick = nullptr;
    GroupsController* m_groups = nullptr;
    LayoutController* m_layout = nullptr;
    TurnsController* m_turns = nullptr;
    int m_drawnCategory = -1; // of the draw running or last run
    bool m_absenceChangedWhileRolling = false;
    AbsentMarks m_absent;
};

} // namespace ordalis
