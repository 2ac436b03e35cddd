// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The draw panel: the name board with the called student (or the several a draw called), the
// topic's standards beside it, the class, topic, quick-pick and score boxes, the fourteen
// category buttons with the draw count beside them and the buttons that lead to the other panels.
// It builds, places and shows; what a click means is decided by the controllers that listen to its
// signals.

#include "layout/DrawPanelDesign.h"
#include "layout/MainLayout.h"
#include "layout/ProjectorLayout.h"
#include "layout/TwipsPlacer.h"

#include <QHash>
#include <QWidget>
#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace ordalis {

class DrawnNamesBoard;
class Splitter;

class DrawPanel : public QWidget {
    Q_OBJECT
public:
    // The designed panel, in twips (layout/DrawPanelDesign.h has every control's rectangle).
    static constexpr QSize DesignSize = layout::DrawPanelDesign.panel;
    static constexpr QRect BoardRect = layout::DrawPanelDesign.board;
    static constexpr int NameLeft = layout::DrawPanelDesign.name.x();
    static constexpr int TopicLeft = layout::DrawPanelDesign.topicBox.x();
    static constexpr int BarLeft = layout::DrawPanelDesign.bar.x();
    static constexpr int BarWidth = layout::DrawPanelDesign.bar.width();
    static constexpr int CategoryButtonCount = layout::DrawPanelCategoryButtons;

    explicit DrawPanel(QWidget* parent = nullptr);

    // Places every widget at its designed spot (the bar at its designed position).
    void placeDesigned(const TwipsPlacer& placer);
    // The same in a window larger than designed: the board, the name and the standards take
    // the extra room, the rows below move down with the bottom edge; the bar stands at barLeft.
    void placeGrown(const layout::Growth& growth, double barLeft);
    const layout::Growth& growth() const { return m_growth; }
    // The inner width of the window the panel is laid out for, and the board's height.
    int innerWidth() const;
    int boardHeight() const { return BoardRect.height() + m_growth.height; }
    const TwipsPlacer& placer() const { return m_placer; }

    // ---- class and topic ----
    // The classes of the record, none chosen: the box shows its prompt "班级".
    void setClasses(const QStringList& classes);
    void setClassBoxEnabled(bool enabled);
    // The topics, the first one shown.
    void setTopics(const QStringList& topics);
    QString topic() const; // as shown, typed or chosen

    // ---- the category buttons (0..11 categories, 12 "手动", 13 "轮流") ----
    void setCategoryEnabled(int button, bool enabled);
    void setCategoryToolTip(int button, const QString& tip);
    // A rolling button reads "暂停"; stopped, it shows its category again.
    void setCategoryRolling(int button, bool rolling);
    void focusCategory(int button); // when it is enabled
    // How many different students a draw calls: 1 (as designed) to 8.
    int drawCount() const;
    void setDrawCount(int count);

    // ---- the called student ----
    void showName(const QString& name);
    // A line on the board under the name, such as why there is nothing to draw; empty: none.
    void setBoardHint(const QString& hint);
    void setNameFontPoints(int points);
    // A blanked name display shows nothing while the draw goes on behind it.
    void setNameBlanked(bool blanked);
    bool isNameBlanked() const { return m_nameBlanked; }
    void showFigures(const QString& averageScore, const QString& scoredCount);
    // The students of a draw that called several stand on the board in the name's place, the
    // first one chosen, until they are cleared.
    void showDrawnNames(const QStringList& names);
    void clearDrawnNames();

    // ---- scores ----
    void setScoreChoices(const QStringList& scores);
    void setScoreBoxEnabled(bool enabled);
    void setScoreText(const QString& text);
    QString scoreText() const;
    void focusScoreBox();
    void setStandards(const QStringList& entries);
    void setStandardText(int row, const QString& text);
    void setStandardsEnabled(bool enabled);

    // ---- quick pick: the search box is enabled and takes the keys ----
    void enableQuickPick();
    void focusQuickPick();
    // The search box and its result list, driven by the quick-pick controller.
    QLineEdit* quickPickBox() const { return m_quickPickBox; }
    QListWidget* quickPickList() const { return m_quickPickList; }

    // ---- layout ----
    // Lays out the board, the name, the topic box and (split) the standards list for the bar's
    // current position; returns the name box's width in twips.
    int layOut(bool split);
    // Stands the name centred over the board.
    void centreName();
    void setStandardsShown(bool shown); // the standards list and its bar
    // The compact form shows no board and no quick-pick list.
    void setCompactView(bool compact);
    Splitter* bar() const { return m_bar; }

    // ---- projector mode ----
    // Keeps every control's designed place, shown state and the name's font...
    void saveDesignedPlaces();
    // ...and puts them back exactly.
    void restoreDesignedPlaces();
    // Fills the panel's parent with the name, the standards (split) and the bar.
    void placeProjector(const layout::ProjectorGeometry& geometry, bool split);
    QSize nameBoxSize() const;

    // ---- speaking the called name ----
    // Without a speech engine the toggle is disabled and its tooltip says why.
    void setSpeechAvailable(bool available, const QString& reason);
    void setSpeechOn(bool on);

    // ---- the rest ----
    QLabel* classTimerLabel() const { return m_classTimerLabel; }
    void setManageEnabled(bool enabled);

Q_SIGNALS:
    void categoryClicked(int button);
    void classChosen(const QString& className);
    void topicChanged(const QString& topic);
    void nameShown(const QString& name);
    // A click on one of several drawn names: that student is the one to score.
    void drawnNameChosen(const QString& name);
    // The score box chose a score, or Enter was released in it with a score typed.
    void freeScoreChosen();
    // A double-click on a selected standard.
    void standardChosen(int row);
    // A single click on a standard, which scores nothing.
    void standardClicked();
    void compactRequested(bool compact); // the pointer on one of the two pictures
    void projectorRequested();           // the projector button
    void overlayRequested();             // the draw window over a slideshow, or F12
    void speechToggled(bool on);
    void uploadRequested();  // 上传
    void userRequested();    // 用户
    void manageRequested();  // 后台
    void historyRequested(); // 记录

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setProjectorLook(bool projector);
    // The name display stands on the board unless several drawn names do.
    void showNameOrDrawnNames();

    TwipsPlacer m_placer;
    QFrame* m_board;
    QLineEdit* m_nameDisplay;
    QLabel* m_boardHint; // on the board, under the name
    DrawnNamesBoard* m_drawnNames;
    QComboBox* m_topicBox;
    QListWidget* m_standardsList;
    Splitter* m_bar;
    QLineEdit* m_quickPickBox;
    QListWidget* m_quickPickList;
    QComboBox* m_classBox;
    QComboBox* m_scoreBox;
    std::array<QPushButton*, CategoryButtonCount> m_categoryButtons;
    QLabel* m_drawCountCaption;
    QSpinBox* m_drawCountBox;
    QLabel* m_averageScoreLabel;
    QLabel* m_scoredCountLabel;
    QLabel* m_classTimerLabel;
    QPushButton* m_uploadButton;
    QPushButton* m_userButton;
    QPushButton* m_manageButton;
    QPushButton* m_historyButton;
    QLabel* m_fullWindowPicture;
    QLabel* m_compactWindowPicture;
    QPushButton* m_projectorButton;
    QPushButton* m_overlayButton;
    QPushButton* m_speechButton;
    QLabel* m_scoreCaption;
    QLabel* m_countCaption;
    QLabel* m_scoreBoxCaption;
    bool m_nameBlanked = false;
    layout::Growth m_growth;

    struct Place {
        QRect geometry;
        bool shown = false;
        QFont font;
    };
    QHash<QWidget*, Place> m_designedPlaces;
    QRect m_designedGeometry;
};

} // namespace ordalis
