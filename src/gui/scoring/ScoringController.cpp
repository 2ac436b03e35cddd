// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoringController.h"

#include "common/UnsavedWork.h"
#include "draw/DrawPanel.h"
#include "scoring/DailyLog.h"
#include "session/Session.h"
#include "text/WireText.h"
#include "wire/ScoreLine.h"

namespace ordalis {

namespace {

QString standardEntry(const ScaleStandard& standard) {
    return QStringLiteral("[%1分]\t%2").arg(standard.score, standard.text);
}

} // namespace

ScoringController::ScoringController(DrawPanel* panel, const TeacherRecord& record,
                                     const DataFolder& folder, const Session& session,
                                     UnsavedWork& unsaved, QObject* parent)
    : QObject(parent)
    , m_panel(panel)
    , m_record(record)
    , m_folder(folder)
    , m_session(session)
    , m_unsaved(unsaved)
    , m_log(folder.path())
    , m_clock([] { return QDateTime::currentDateTime(); }) {
    setObjectName(QStringLiteral("scoringController"));
    QStringList scores;
    for (int points = 5; points >= 0; --points)
        scores << QStringLiteral("%1分").arg(points);
    m_panel->setScoreChoices(scores);
    // Nobody is called yet, so there is nobody to score.
    showScoringState();
    m_panel->showFigures(QString(), QString());

    connect(m_panel, &DrawPanel::nameShown, this, &ScoringController::showFigures);
    connect(m_panel, &DrawPanel::freeScoreChosen, this, &ScoringController::giveFreeScore);
    connect(m_panel, &DrawPanel::standardChosen, this, &ScoringController::applyStandard);
}

void ScoringController::setClass(const QString& className) {
    m_className = className;
    m_figuresClass = className;
}

void ScoringController::recordApplied() {
    m_figuresClass.clear();
}

int ScoringController::showStandards(const QString& topic) {
    m_standards.clear();
    if (const std::optional<Topic> found = m_record.findTopic(topic))
        m_standards = found->standards;
    m_ticked = QList<bool>(m_standards.size(), false);
    QStringList entries;
    for (const ScaleStandard& standard : std::as_const(m_standards))
        entries << standardEntry(standard);
    m_panel->setStandards(entries);
    return int(m_standards.size());
}

void ScoringController::setScoring(ScoringOpen open) {
    m_open = open;
    showScoringState();
}

void ScoringController::showScoringState() {
    m_panel->setScoreBoxEnabled(m_open.scoreBox && !m_rolling);
    m_panel->setStandardsEnabled(m_open.standards && !m_rolling);
}

void ScoringController::call(const QString& name) {
    setScoring({.scoreBox = true, .standards = true});
    m_panel->setScoreText(QString());
    m_panel->showName(name);
    m_scoreable = name;
}

void ScoringController::clearCalled() {
    m_scoreable.clear();
    m_panel->showName(QString());
    setScoring({});
}

void ScoringController::drawStarted() {
    m_rolling = true;
    m_panel->setScoreText(QString());
    showScoringState();
}

void ScoringController::drawStopped() {
    m_rolling = false;
    showScoringState();
}

void ScoringController::showFigures(const QString& name) {
    m_shownName = name;
    const StudentLine line =
        m_record.firstStudentLine(m_figuresClass, name).value_or(StudentLine());
    const bool scored = leadingNumber(line.countText) > 0;
    m_panel->showFigures(scored ? line.scoreText : QString(), scored ? line.countText : QString());
}

void ScoringController::giveFreeScore() {
    // One free score per call: the first empties the scoreable student. A rolling name is
    // nobody's to score.
    if (m_rolling || m_shownName.isEmpty() || m_shownName != m_scoreable)
        return;
    recordScore(m_panel->scoreText(), QString());
    m_scoreable.clear();
    setScoring({});
    m_panel->focusQuickPick();
}

void ScoringController::applyStandard(int row) {
    if (m_rolling || row < 0 || row >= m_standards.size() || m_ticked.at(row) ||
        m_shownName.isEmpty())
        return;
    const ScaleStandard& standard = m_standards.at(row);
    const QString score = shortestDecimal(leadingNumber(standard.score)) + QStringLiteral("分");
    m_panel->setScoreText(score);
    setScoring({.scoreBox = false, .standards = m_open.standards});
    recordScore(score, standard.text);
    m_ticked[row] = true;
    m_panel->setStandardText(row, standardEntry(standard).replace(u']', QStringLiteral("]√")));
}

void ScoringController::recordScore(const QString& score, const QString& standard) {
    const QDateTime now = m_clock();
    ScoreLine line;
    line.className = m_className;
    line.student = m_shownName;
    line.score = score;
    line.time = ScoreLine::timeText(now);
    line.standard = standard;
    const QString text = line.toText();

    // Into the pending list first: a failing disk is told about the scores before the log.
    Q_EMIT scoreRecorded(text);
    reportLog(m_log.append(m_session.userName, m_className, now.date(), text));
}

void ScoringController::reportLog(const QList<FileWrite>& writes) {
    for (const FileWrite& write : writes)
        m_unsaved.record(QStringLiteral("当天的日志"), write, [this] { reportLog(m_log.retry()); });
}

void ScoringController::scoreTakenBack(const QString& scoreLine) {
    const ScoreLine score = ScoreLine::fromText(scoreLine);
    if (score.student != m_shownName || score.className != m_className)
        return;
    for (int row = 0; row < m_standards.size(); ++row) {
        if (m_ticked.at(row) && m_standards.at(row).text == score.standard) {
            m_ticked[row] = false;
            m_panel->setStandardText(row, standardEntry(m_standards.at(row)));
            return;
        }
    }
}

} // namespace ordalis
