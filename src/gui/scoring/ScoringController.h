// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Scores for the called student on the draw panel: a free score from the score box or the
// score of one of the topic's standards in the standards list. Each becomes a ScoreLine in the
// day's log and is handed on as recorded, for the pending list. The name display's student shows
// their average score and how often they were scored.

#include "record/TeacherRecord.h"
#include "scoring/DailyLog.h"
#include "session/DataFolder.h"

#include <QDateTime>
#include <QObject>
#include <functional>

namespace ordalis {

class DrawPanel;
class UnsavedWork;
struct Session;

class ScoringController : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    ScoringController(DrawPanel* panel, const TeacherRecord& record, const DataFolder& folder,
                      const Session& session, UnsavedWork& unsaved, QObject* parent = nullptr);

    // The clock of the score lines and daily logs (the wall clock unless a test sets one).
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // The class chosen: its students' figures are shown and its score lines written.
    void setClass(const QString& className);
    // The record was applied again: no class is chosen, though scores keep the class chosen last.
    void recordApplied();
    const QString& className() const { return m_className; }

    // The standards of the topic, none ticked; returns how many there are.
    int showStandards(const QString& topic);

    // A student is called: the score box and the standards take one score for them.
    void call(const QString& name);
    // Nobody is called: the name display is emptied and nothing can be scored.
    void clearCalled();
    // The record changed: the shown student's figures are read again.
    void refreshFigures() { showFigures(m_shownName); }
    // The student called last who has no free score yet.
    const QString& scoreableStudent() const { return m_scoreable; }

    // While a draw rolls nothing is scored: the score box (emptied) and the standards are
    // disabled, and when the draw stops they come back as they were.
    void drawStarted();
    void drawStopped();

    // A pending score was taken back: if it is the shown student's, its standard is ticked no
    // more and can be given again.
    void scoreTakenBack(const QString& scoreLine);

Q_SIGNALS:
    void scoreRecorded(const QString& scoreLine);

private:
    void showFigures(const QString& name);
    void giveFreeScore();
    void applyStandard(int row);
    void recordScore(const QString& score, const QString& standard);
    // What the score box and the standards offer once no draw rolls.
    struct ScoringOpen {
        bool scoreBox = false;
        bool standards = false;
    };
    void setScoring(ScoringOpen open);
    void showScoringState();
    void reportLog(const QList<FileWrite>& writes);

    DrawPanel* m_panel;
    const TeacherRecord& m_record;
    DataFolder m_folder;
    const Session& m_session;
    UnsavedWork& m_unsaved;
    DailyLogWriter m_log;
    Clock m_clock;

    QString m_className;    // the class chosen last
    QString m_figuresClass; // the class chosen now, empty after the record is applied
    QString m_shownName;    // the name display's student
    QString m_scoreable;    // called and without a free score yet
    QList<ScaleStandard> m_standards;
    QList<bool> m_ticked;
    ScoringOpen m_open;
    bool m_rolling = false;
};

} // namespace ordalis
