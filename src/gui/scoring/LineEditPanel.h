// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The edit panel Frame7: one pending score line in five boxes, in ScoreLine order.

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

    QLineEdit* txt_class;
    QLineEdit* Text8;       // student
    QLineEdit* Text9;       // score
    QLineEdit* Text10;      // time
    QLineEdit* Text14;      // standard
    QPushButton* Command25; // 确定
    QPushButton* Command26; // 取消

Q_SIGNALS:
    void confirmed();
    void cancelled();
};

} // namespace ordalis
