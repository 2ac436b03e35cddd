// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 备份与恢复 (frmBackup): the backups of the data, with what each holds, the second folder they
// are also copied into, 立即备份, and 恢复 of the chosen backup after the teacher confirmed it.
// Opened from the login window, so that it is there even when nothing else works.

#include "backups/Backups.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace ordalis {

class BackupWindow : public QWidget {
    Q_OBJECT

public:
    explicit BackupWindow(Backups& backups, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    // Not while a restore runs: no login may meet the data half replaced.
    void closeEvent(QCloseEvent* event) override;

private:
    void refresh();
    void updateButtons();
    void chooseSecondFolder();
    void forgetSecondFolder();
    void backUpNow();
    void restoreChosen();

    Backups& m_backups;
    QList<BackupEntry> m_entries; // the rows of m_list
    bool m_restoring = false;
    QListWidget* m_list;
    QLabel* m_secondFolder;
    QLabel* m_status;
    QPushButton* m_chooseFolderButton;
    QPushButton* m_forgetFolderButton;
    QPushButton* m_backupButton;
    QPushButton* m_restoreButton;
    QPushButton* m_closeButton;
};

} // namespace ordalis
