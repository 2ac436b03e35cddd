// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The draw panel Frame5: the name board with the called student, the topic's standards beside
// it, the class, topic, quick-pick and score boxes, the thirteen category buttons and the
// buttons that lead to the other panels. It only builds and places its widgets; the main
// window drives them.

#include "layout/MainLayout.h"

#include <QWidget>
#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ordalis {

class Splitter;
class TwipsPlacer;

class DrawPanel : public QWidget {
    Q_OBJECT
public:
    // The designed panel, in twips.
    static constexpr QSize DesignSize{12000, 5400};
    static constexpr QRect BoardRect{700, 120, 7220, 2160}; // Text13 with the bar at 7800
    static constexpr int NameLeft = 760;
    static constexpr int TopicLeft = 2400; // 1700 right of the board, whose right edge it shares
    static constexpr int BarLeft = 7800;
    static constexpr int BarWidth = 90;

    explicit DrawPanel(QWidget* parent = nullptr);

    // Places every widget at its designed spot (the bar at its designed position).
    void placeDesigned(const TwipsPlacer& placer);
    layout::LeftPane leftPane() const { return {BoardRect.x(), NameLeft, TopicLeft}; }

    QFrame* Text13;
    QLineEdit* Text2;
    QComboBox* Combo3;
    QListWidget* List1;
    Splitter* Splitter1;
    QLineEdit* txtManual;
    QListWidget* List2;
    QComboBox* Combo2;
    QComboBox* Combo1;
    std::array<QPushButton*, 13> btnChou;
    QLabel* Label4;         // the called student's average score
    QLabel* Label28;        // how often the student has been scored
    QLabel* Label30;        // class timer
    QPushButton* Command11; // 上传
    QPushButton* Command1;  // 用户
    QPushButton* btnManage; // 后台
    QLabel* Image1;         // hover: full window
    QLabel* Image2;         // hover: compact window

private:
    QLabel* m_scoreCaption;
    QLabel* m_countCaption;
    QLabel* m_scoreBoxCaption;
};

} // namespace ordalis
