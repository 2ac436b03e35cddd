// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The group statistics panel, and the detail panel of one group.

#include "record/DrawCategories.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ordalis {

class StatisticsPanel : public QWidget {
    Q_OBJECT

public:
    explicit StatisticsPanel(QWidget* parent = nullptr);

    // Recomputes the standings from all pending lines and the sixteen group lists.
    void fill(const QStringList& pendingLines, const GroupLists& groups);

Q_SIGNALS:
    // A double-click on a selected standing; nothing is emitted without a selection.
    void detailRequested(const QString& line);
    void back(); // 返回

private:
    QListWidget* m_standingsList;
    QLabel* m_hint;
    QPushButton* m_backButton;
};

class GroupDetailPanel : public QWidget {
    Q_OBJECT

public:
    explicit GroupDetailPanel(QWidget* parent = nullptr);

    void showStanding(const QString& line);

Q_SIGNALS:
    void back(); // 返回

private:
    QLabel* m_placeLabel;
    QLabel* m_scoreLabel;
    QLineEdit* m_contributorsBox;
    QLineEdit* m_membersBox;
    QPushButton* m_backButton;
};

} // namespace ordalis
