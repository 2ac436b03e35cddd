// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The group statistics panel Frame8 and the detail panel Frame1 of one group.

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

    QListWidget* List9;
    QLabel* Label26;
    QPushButton* Command28; // 返回

Q_SIGNALS:
    // A double-click on a selected standing; nothing is emitted without a selection.
    void detailRequested(const QString& line);
    void back();
};

class GroupDetailPanel : public QWidget {
    Q_OBJECT

public:
    explicit GroupDetailPanel(QWidget* parent = nullptr);

    void showStanding(const QString& line);

    QLabel* Label22;       // place
    QLabel* Label23;       // score
    QLineEdit* Text7;      // contributors
    QLineEdit* Text12;     // members
    QPushButton* Command2; // 返回

Q_SIGNALS:
    void back();
};

} // namespace ordalis
