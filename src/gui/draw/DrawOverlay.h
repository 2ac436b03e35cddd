// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The draw window over a slideshow: small, above every window (full-screen ones too), and never
// taking the keyboard, so that a presenter remote keeps turning the slides. Its button starts
// and stops the main window's draw (the same DrawController: the stopped name is called,
// recorded and scored as from the main window) on the category chosen in its box, and it shows
// the name. It opens where the teacher put it last, on a screen that still exists.

#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QPushButton;
class QSettings;

namespace ordalis {

class DrawController;
class DrawPanel;

class DrawOverlay : public QWidget {
    Q_OBJECT

public:
    // settingsIni: where its place is kept; empty for the per-user store.
    DrawOverlay(DrawController* draw, DrawPanel* panel, const QString& settingsIni,
                QWidget* parent = nullptr);
    ~DrawOverlay() override;

    // Shows it where it was put last, or at the top right of `over`'s screen; hides it if shown.
    void toggle(const QWidget* over);

protected:
    void moveEvent(QMoveEvent* event) override;

private:
    void open(const QWidget* over);
    void drawOrStop();
    void showRolling(bool rolling);

    DrawController* m_draw;
    QComboBox* m_categoryBox;
    QPushButton* m_drawButton;
    QLabel* m_name;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace ordalis
