// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The students of a draw that called several, on the name board: one flat button a name
// (lblDrawn_0 ..), in the grid of layout/DrawnNamesGrid with the font fitted to it, again
// whenever the board changes size. The chosen one is marked; a click chooses another.

#include <QObject>
#include <QStringList>
#include <array>

class QButtonGroup;
class QFrame;
class QPushButton;

namespace ordalis {

class TwipsPlacer;

class DrawnNamesBoard : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxNames = 8;

    // The placer is the panel's, which it sets again for each screen.
    DrawnNamesBoard(QFrame* board, const TwipsPlacer* placer, QObject* parent = nullptr);

    // The names, the first one chosen.
    void show(const QStringList& names);
    void clear();
    bool isShown() const { return !m_names.isEmpty(); }
    // Blanked, the names are hidden; they come back as they were.
    void setBlanked(bool blanked);
    // Lays the names out over the board as it is now (its style may have reset their font).
    void place();

Q_SIGNALS:
    void chosen(const QString& name);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* m_board;
    const TwipsPlacer* m_placer;
    QButtonGroup* m_group;
    std::array<QPushButton*, MaxNames> m_buttons;
    QStringList m_names;
    bool m_blanked = false;
};

} // namespace ordalis
