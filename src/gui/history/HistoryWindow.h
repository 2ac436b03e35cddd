// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 课堂记录 (frmHistory): the current class over a period chosen by the teacher, from the
// service's calls and scores and those still pending here. A sortable table of every student
// (tblHistory) with a search by name or pinyin initials, the calls per student against a fair
// draw with the fairness sentence under them, and the scores by date beside the class's mean.
// 导出 saves the period as a workbook (.xlsx) or a .csv file.

#include "common/RequestGate.h"

#include <QWidget>
#include <functional>

class QChartView;
class QComboBox;
class QDate;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ordalis {

class ClassHistory;
class ServiceEndpoints;

class HistoryWindow : public QWidget {
    Q_OBJECT

public:
    struct Sources {
        std::function<QStringList(const QString& className)> roster;
        std::function<QStringList()> pendingScores; // ScoreLine texts
        std::function<QString()> pendingTopic;      // the topic their upload will send
        std::function<QStringList()> pendingCalls;  // CallLine texts
        std::function<bool()> online;               // the service can be read
        // Students marked 缺席 on a day; today's mark set or taken off.
        std::function<QStringList(const QString& className, const QDate& day)> absent;
        std::function<void(const QString& className, const QString& name, bool absent)> setAbsent;
    };
    // settingsIni: where the term's start date is kept.
    HistoryWindow(ServiceEndpoints& service, Sources sources, const QString& settingsIni,
                  QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // Shows the class's history, read afresh.
    void showClass(const QString& className);
    void reload();

private:
    void buildCharts();
    void fillTable();
    void fillFairness();
    void fillScores();
    void toggleAbsent();
    void exportWorkbook();

    ServiceEndpoints& m_service;
    Sources m_sources;
    QString m_settingsIni;
    RequestGate m_gate;
    QString m_className;
    std::unique_ptr<ClassHistory> m_history;

    QComboBox* m_period;
    QDateEdit* m_termStart;
    QDateEdit* m_from;
    QDateEdit* m_to;
    QLineEdit* m_search;
    QPushButton* m_refresh;
    QPushButton* m_absentButton;
    QPushButton* m_export;
    QLabel* m_offline; // what the table lacks while the service cannot be read
    QTableWidget* m_table;
    QChartView* m_fairnessChart;
    QLabel* m_fairness;
    QLabel* m_spread; // the fewest and most calls of a student
    QComboBox* m_student;
    QChartView* m_scoresChart;
};

} // namespace ordalis
