// SPDX-License-Identifier: GPL-3.0-or-later
#include "TurnsController.h"

#include "common/UnsavedWork.h"
#include "draw/DrawController.h"
#include "draw/DrawPanel.h"
#include "history/TermStart.h"
#include "session/Session.h"

#include <QPointer>
#include <utility>

namespace ordalis {

namespace {

QString standing(const QString& fewest, const QString& next) {
    return QStringLiteral("本学期每人被点 %1 次后才会有人被点 %2 次").arg(fewest, next);
}

} // namespace

TurnsController::TurnsController(DrawPanel* panel, DrawController* draw, RequestGate gate,
                                 const Session& session, QString termStartIni, QString startsIni,
                                 QObject* parent)
    : QObject(parent)
    , m_panel(panel)
    , m_draw(draw)
    , m_gate(std::move(gate))
    , m_session(session)
    , m_termStartIni(std::move(termStartIni))
    , m_starts(std::move(startsIni)) {
    m_draw->setTurnPool([this] { return pool(); });
    m_standingDue.setSingleShot(true);
    m_standingDue.setInterval(0);
    connect(&m_standingDue, &QTimer::timeout, this, &TurnsController::showStanding);
    showStanding();
}

void TurnsController::chooseClass(const QString& className, const QStringList& roster) {
    const QDate today = QDate::currentDate();
    const QDate termStart = readTermStart(m_termStartIni, today);
    // The class chosen again the same day keeps what is counted; the service is read anew.
    if (className != m_counts.className() || termStart != m_termStart || today != m_counts.to()) {
        m_termStart = termStart;
        m_counts = TurnCounts(className, m_termStart, today);
        m_metRoster.clear();
    }
    m_roster = roster;
    m_service = ServiceState::Unread;
    if (m_roster != m_metRoster)
        meetRoster();
    // The tooltip follows once the event loop is free: the class's lists show first.
    showStandingSoon();
    readServiceCalls();
}

void TurnsController::rosterChanged(const QStringList& roster) {
    m_roster = roster;
    meetRoster();
    showStanding();
}

void TurnsController::clear() {
    m_counts = TurnCounts();
    m_roster.clear();
    m_metRoster.clear();
    m_lessonCalls.clear();
    m_service = ServiceState::Unread;
    showStanding();
}

void TurnsController::callRecorded(const CallLine& call) {
    // Counted before the next draw, and with the tooltip once the event loop is free: the
    // stop shows its student first.
    m_lessonCalls.append(call);
    showStandingSoon();
}

void TurnsController::showStandingSoon() {
    if (!m_standingDue.isActive())
        m_standingDue.start();
}

QStringList TurnsController::present() const {
    return m_draw->engine().kind(AllStudents);
}

void TurnsController::countNewCalls() {
    for (const CallLine& call : std::exchange(m_lessonCalls, {}))
        m_counts.addLessonCall(call);
    if (m_sources.pendingCalls)
        m_counts.setPendingCalls(m_sources.pendingCalls());
}

QStringList TurnsController::pool() {
    countNewCalls();
    return m_counts.pool(present());
}

void TurnsController::meetRoster() {
    m_metRoster = m_roster;
    countNewCalls();
    const QString user = m_session.userName;
    const QHash<QString, int> kept = m_starts.read(user, m_counts.className(), m_termStart);
    const QHash<QString, int> starts = m_counts.withNewcomers(m_roster, kept);
    m_counts.setStarts(starts);
    // A newcomer's start is kept only from whole counts: until the service's calls are in, it
    // is reckoned again each time. The class as the term first found it starts at zero.
    const bool whole = m_service == ServiceState::Read || !m_sources.online || !m_sources.online();
    if (starts.size() == kept.size() || (!kept.isEmpty() && !whole))
        return;
    UnsavedWork::tellIfFailed(m_panel->window(), QStringLiteral("轮流的起点"),
                              m_starts.write(user, m_counts.className(), m_termStart, starts),
                              QStringLiteral("新加入的学生下次可能被多点几次。"));
}

void TurnsController::readServiceCalls() {
    if (!m_sources.serviceCalls || !m_sources.online || !m_sources.online() ||
        m_counts.className().isEmpty())
        return;
    if (m_reading)
        return; // the reading under way reads again for the class chosen meanwhile
    m_reading = true;
    const QPointer<TurnsController> alive(this);
    const auto read = m_sources.serviceCalls;
    for (;;) {
        const QString className = m_counts.className();
        const QDate from = m_termStart;
        const QDate to = QDate::currentDate();
        m_service = ServiceState::Reading;
        showStanding();
        Expected<QString> reply = refusal(QString());
        const bool ran = m_gate.run([&] { reply = read(className, from, to); });
        if (!alive)
            return;
        if (!ran || m_counts.className().isEmpty()) {
            m_service = ServiceState::Missing;
            break;
        }
        if (className != m_counts.className() || from != m_termStart)
            continue; // the reply is of a class chosen before this one
        m_service = reply ? ServiceState::Read : ServiceState::Missing;
        if (reply) {
            m_counts.setServiceCalls(*reply);
            meetRoster();
        }
        break;
    }
    m_reading = false;
    showStanding();
}

void TurnsController::showStanding() {
    if (m_counts.className().isEmpty()) {
        m_panel->setCategoryToolTip(TurnButton,
                                    standing(QStringLiteral("k"), QStringLiteral("k+1")));
        return;
    }
    countNewCalls();
    const int fewest = m_counts.fewest(present());
    QString tip = standing(QString::number(fewest), QString::number(fewest + 1));
    if (m_service == ServiceState::Reading)
        tip += QStringLiteral("\n正在读取成绩服务上的点名，暂只计本机记录的点名");
    else if (m_service != ServiceState::Read)
        tip += QStringLiteral("\n未能读取成绩服务上的点名，只计本机记录的点名");
    m_panel->setCategoryToolTip(TurnButton, tip);
}

} // namespace ordalis
