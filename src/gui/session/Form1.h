// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: the draw panel with the name board, the manual and groups panel and the
// upload panel, which replace one another. Handlers read the widgets, ask the core and write
// the widgets back; the panels only build and place their widgets.

#include "draw/DrawEngine.h"
#include "groups/GroupDrop.h"
#include "layout/MainLayout.h"
#include "layout/TwipsPlacer.h"
#include "pinyin/QuickPick.h"
#include "record/TeacherRecord.h"
#include "session/DataFolder.h"
#include "session/Session.h"

#include <QDateTime>
#include <QMainWindow>
#include <functional>

class QListWidgetItem;
class QStatusBar;
class QTimer;

namespace ordalis {

class DrawPanel;
class ManualPanel;
class UploadPanel;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    Form1(const DataFolder& folder, Session& session, QWidget* parent = nullptr);

    // Fills the class and topic boxes from the teacher record after a login ("offline" reads
    // the file on disk, "online" downloads it first). No class is chosen afterwards.
    void applyTeacherRecord(const QString& mode);
    // Refills the standards list for the topic in the topic box and lays the window out.
    void showTopicStandards();

    // Fetches the teacher record before an online apply; unset, nothing is fetched.
    void setRecordDownloader(std::function<void()> downloader);
    // The clock of the score lines and daily logs (the wall clock unless a test sets one).
    void setClock(std::function<QDateTime()> clock);

    DrawPanel* drawPanel() const { return m_draw; }
    ManualPanel* manualPanel() const { return m_manual; }
    UploadPanel* uploadPanel() const { return m_upload; }
    QStatusBar* statusBar1() const;
    QTimer* rollTimer() const { return m_timer1; }
    const DrawEngine& draw() const { return m_engine; }
    const GroupLists& groups() const { return m_groups; }
    const TeacherRecord& record() const { return m_record; }
    const QString& classNum() const { return m_classNum; }
    const QString& newStu() const { return m_newStu; }
    bool isCompact() const { return m_compact; }
    const TwipsPlacer& placer() const { return m_placer; }

    // One roll step: the timer runs it every 5 ms while a draw rolls.
    void rollStep();

    // Panel switching, as the buttons of the panels do it.
    void showDrawPanel();
    void showManualPanel();
    void showUploadPanel();
    void setCompact(bool compact);

Q_SIGNALS:
    void userRequested();        // 用户: back to the login window
    void manageRequested();      // 后台: the management console
    void groupUploadRequested(); // 上传分组信息
    void scoreRecorded(const QString& scoreLine);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void connectDrawPanel();
    void connectManualPanel();
    void startUp();

    // class and categories
    void chooseClass();
    void refreshCategoryButtons();
    void clearCategories();

    // the draw
    void onCategoryButton(int category);
    void startDraw(int category);
    void stopDraw(int category);
    void setRolling(int category, bool rolling);

    // the called student
    void callStudent(const QString& name);
    void showCalledName(const QString& name);
    void centreName();

    // scores
    void giveFreeScore();
    void applyStandard(QListWidgetItem* item);
    void recordScore(const QString& score, const QString& standard);

    // quick pick and the manual panel
    void filterQuickPick();
    bool onQuickPickKey(int key);
    bool onResultListKey(int key);
    void callFromQuickPick();
    void onTab(int tab);
    void callFromPanel(QListWidgetItem* item);

    // groups
    void fillGroupList(int group);
    void onGroupDropped(int target, int row);
    void onGroupDragEnded();

    // layout
    void layOut(bool split);
    void onBarBeforeMove(bool& cancel, double& position);
    void onBarMoved();
    QSize fullWindowPixels() const;

    DataFolder m_folder;
    Session& m_session;
    TeacherRecord m_record;
    DrawEngine m_engine;
    GroupLists m_groups;
    QuickPickIndex m_pickIndex; // the chosen class, for the quick pick
    GroupDrag m_drag;
    TwipsPlacer m_placer;
    std::function<void()> m_downloader;
    std::function<QDateTime()> m_clock;

    DrawPanel* m_draw = nullptr;
    ManualPanel* m_manual = nullptr;
    UploadPanel* m_upload = nullptr;
    QTimer* m_timer1 = nullptr;

    QString m_classNum;   // the class chosen last
    QString m_newStu;     // the student called last who has no free score yet
    QString m_tmpCaption; // the rolling button's caption
    int m_namePoints = layout::MaxNameFontPoints;
    int m_nameWidth = 0; // Text2's width in twips
    bool m_compact = false;
};

} // namespace ordalis
