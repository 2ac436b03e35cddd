// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The management console "Dialog": seven pages chosen by the buttons along the bottom, the
// notes at the right and the operation password that every change sends. It replaces the main
// window on screen until "返回"; closed by its frame it is discarded and built afresh at the
// next opening.

#include "console/ConsoleActions.h"
#include "console/ConsoleHooks.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ordalis {

class ConsolePage;
class ServiceConfig;
class ServiceEndpoints;
struct Session;

class ConsoleWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int PageCount = 7;

    ConsoleWindow(Session& session, ServiceEndpoints& service, const DataFolder& folder,
                  const ServiceConfig& config, ConsoleHooks hooks, QWidget* parent = nullptr);

    // Opening from the main window: no page shown, the window shown centred over `over` (the
    // main window, hidden meanwhile) and entirely on its screen.
    void open(const QWidget* over = nullptr);
    // The page button: page i shown and filled.
    void showPage(int index);
    // "返回": the start view again, the window hidden.
    void leave();
    // Discards the window, at once or, while a request waits, when it is over.
    void discard();

    ConsoleActions& actions() { return m_actions; }

Q_SIGNALS:
    void returned();      // "返回": the main window comes back
    void closedByFrame(); // the window is to be discarded and the main window shown

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildStartView();
    QWidget* buildNotes(const ServiceConfig& config);
    void setStartViewVisible(bool visible);
    // 已删除: the deletions the service on this machine keeps, to bring back.
    void openDeletedItems();

    ConsoleActions m_actions;
    std::array<ConsolePage*, PageCount> m_pages{};
    QWidget* m_startView = nullptr; // the picture and the motto shown before a page is chosen
    QLabel* m_webConsole = nullptr;
    QLineEdit* m_password = nullptr;
};

} // namespace ordalis
