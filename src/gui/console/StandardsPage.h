// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Page 6, 评分标准: the scoring standards the service holds for a topic, created five at a
// time, edited one at a time and deleted by identifier.

#include "common/RowTableModel.h"
#include "console/ServiceListPage.h"
#include "console/ServiceLists.h"
#include "net/ServiceRequests.h"

#include <array>
#include <functional>

class QLineEdit;
class QPushButton;

namespace ordalis {

class StandardsPage : public ServiceListPage {
    Q_OBJECT
public:
    // scoreClass: the class chosen on the score page, which the service gets with an edit.
    StandardsPage(ConsoleActions& actions, std::function<QString()> scoreClass, QWidget* parent);

    void enter(const QStringList& classes, const QStringList& topics) override;

protected:
    QString fetch(const QString& choice) override;
    Expected<> sendDeletions(const QString& deletionText) override;
    void choose() override;
    void deleteSelected() override;

private:
    using StandardModel = RowTableModel<console::StandardColumns>;
    StandardsPage(StandardModel* standards, ConsoleActions& actions,
                  std::function<QString()> scoreClass, QWidget* parent);
    void buildNewBox();
    void openNewBox();
    void create();
    void edit();

    StandardModel* m_standards;
    std::function<QString()> m_scoreClass;
    QPushButton* m_new;
    EditBox* m_editBox;
    QLineEdit* m_id;
    QLineEdit* m_text;
    QLineEdit* m_score;
    EditBox* m_newBox;
    QLineEdit* m_newTopic;
    StandardModel* m_existingStandards;
    QTableView* m_existing;
    std::array<QLineEdit*, requests::StandardsPerBatch> m_newTexts{};
    std::array<QLineEdit*, requests::StandardsPerBatch> m_newScores{};
};

} // namespace ordalis
