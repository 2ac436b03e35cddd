// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 3, 计分管理: the scores the service holds for a class, one entry corrected at a time or
// deleted for good. A correction needs a readable date: without one nothing is sent, where a
// time of 0 would move the score to 1970.

#include "common/RowTableModel.h"
#include "console/ServiceListPage.h"
#include "console/ServiceLists.h"

class QLineEdit;

namespace ordalis {

class ScoresPage : public ServiceListPage {
    Q_OBJECT
public:
    ScoresPage(ConsoleActions& actions, QWidget* parent);

    void enter(const QStringList& classes, const QStringList& topics) override;

protected:
    QString fetch(const QString& choice) override;
    Expected<> sendDeletions(const QString& deletionText) override;

private:
    using ScoreModel = RowTableModel<console::ScoreRecordColumns>;
    ScoresPage(ScoreModel* scores, ConsoleActions& actions, QWidget* parent);
    void edit();

    ScoreModel* m_scores;
    EditBox* m_editBox;
    QLineEdit* m_id;
    QLineEdit* m_score;
    QLineEdit* m_time;
    QLineEdit* m_topic;
    QLineEdit* m_remark;
};

} // namespace ordalis
