// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The edit panel: one pending score line in five boxes, in ScoreLine order.

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace ordalis {

class LineEditPanel : public QWidget {
    Q_OBJECT

public:
    explicit LineEditPanel(QWidget* parent = nullptr);

    // Splits the line at TAB; boxes without a field (a short foreign line) stay empty.
    void setLine(const QString& line);
    // The five boxes joined by TAB.
    QString line() const;

Q_SIGNALS:
    void confirmed(); // 确定
    void cancelled(); // 取消

private:
    QLineEdit* m_classBox;
    QLineEdit* m_studentBox;
    QLineEdit* m_scoreBox;
    QLineEdit* m_timeBox;
    QLineEdit* m_standardBox;
    QPushButton* m_confirmButton;
    QPushButton* m_cancelButton;
};

} // namespace ordalis
