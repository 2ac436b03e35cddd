// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 轮流 on the draw panel: the term's calls of the chosen class (the service's, read through the
// window's gate when the class is chosen, those pending here and the lesson's as they are
// made), the pool of the students present called least, and the button's tooltip that says
// where the class stands and whether the service's calls are counted.

#include "common/RequestGate.h"
#include "draw/TurnCounts.h"
#include "session/TurnStarts.h"
#include "text/Refusal.h"

#include <QObject>
#include <QTimer>
#include <functional>

namespace ordalis {

class DrawController;
class DrawPanel;
struct Session;

class TurnsController : public QObject {
    Q_OBJECT

public:
    struct Sources {
        // The service's calls of a class between two days ("student TAB time TAB how" lines);
        // waits for the reply.
        std::function<Expected<QString>(const QString& className, const QDate& from,
                                        const QDate& to)>
            serviceCalls;
        std::function<QStringList()> pendingCalls; // CallLine texts
        std::function<bool()> online;              // the service can be read
    };

    // termStartIni: where the term's first day is kept; startsIni: where the newcomers' starts
    // are kept. Without sources the lesson's calls alone are counted.
    TurnsController(DrawPanel* panel, DrawController* draw, RequestGate gate,
                    const Session& session, QString termStartIni, QString startsIni,
                    QObject* parent = nullptr);

    void setSources(Sources sources) { m_sources = std::move(sources); }

    // A class was chosen (roster: all its students, absent ones too): its term's calls are
    // counted afresh, the service's read while the window goes on.
    void chooseClass(const QString& className, const QStringList& roster);
    // The class's students changed (the record was downloaded again).
    void rosterChanged(const QStringList& roster);
    void clear();
    // A call was recorded (a CallLine text), by any draw or pick.
    void callRecorded(const CallLine& call);
    // Who is present changed, or the draw stopped: the tooltip follows.
    void showStanding();

    // Those present with the fewest calls this term.
    QStringList pool();

private:
    enum class ServiceState { Unread, Reading, Read, Missing };

    void readServiceCalls();
    // The roster's newcomers get their starts, kept once the counts are whole.
    void meetRoster();
    QStringList present() const;
    // The lesson's calls recorded since, and the pending calls as they are now, into the counts.
    void countNewCalls();
    // The tooltip brought up to date once the event loop is free.
    void showStandingSoon();

    DrawPanel* m_panel;
    DrawController* m_draw;
    RequestGate m_gate;
    const Session& m_session;
    QString m_termStartIni;
    TurnStarts m_starts;
    Sources m_sources;
    TurnCounts m_counts;
    QStringList m_roster;
    QStringList m_metRoster;       // the roster the starts were reckoned for
    QList<CallLine> m_lessonCalls; // recorded, not counted yet
    QDate m_termStart;
    ServiceState m_service = ServiceState::Unread;
    bool m_reading = false;
    QTimer m_standingDue; // a call's tooltip update waits for the event loop
};

} // namespace ordalis
