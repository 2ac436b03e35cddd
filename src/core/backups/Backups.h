// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The backups of the database that holds every class, roster, topic and score of the teacher:
// copies in the data folder's "backups" and, once the teacher chose one, in a second folder (a
// USB stick, a network drive), remembered in the per-user settings. Every copy and restore runs
// on one worker thread, one after the other, so that no window waits for a disk; what failed is
// told in Chinese through failed(), and nothing else stops for it.

#include "BackupName.h"
#include "session/DataFolder.h"
#include "text/Refusal.h"

#include <QList>
#include <QObject>
#include <QThreadPool>
#include <functional>
#include <optional>

namespace ordalis {

struct BackupContents {
    int classes = 0;
    int students = 0;
    int scores = 0;
};

struct BackupEntry {
    QString file;
    BackupName name;
    bool inSecondFolder = false;
    std::optional<BackupContents> contents; // none when the file cannot be read
};

class Backups : public QObject {
    Q_OBJECT

public:
    // What the database's owner does: the copies and the restart are the service's.
    struct Storage {
        QString database; // the live database file
        // A consistent copy of the live database into `file`, which does not exist yet.
        std::function<Expected<>(const QString& file)> copyTo;
        // What a backup holds, read without changing it; none when it cannot be read.
        std::function<std::optional<BackupContents>(const QString& file)> contentsOf;
        // A copy of `file` replaces the live database and the service starts again on it;
        // refused with the reason in Chinese.
        std::function<Expected<>(const QString& file)> putInPlace;
    };

    // settingsIni: where the second folder is remembered; empty for the per-user store.
    Backups(const DataFolder& folder, Storage storage, const QString& settingsIni = QString());
    ~Backups() override; // waits for the copy at work

    QString folder() const; // <data folder>/backups
    // Empty while none is chosen.
    QString secondFolder() const;
    void setSecondFolder(const QString& path);

    // In the background: a copy unless the data folder has one of today already.
    void backUpDaily();
    void backUpNow(); // in the background
    // Waits for it: the copy taken before a new release upgrades the database.
    void backUpBeforeUpgrade();
    // In the background: a copy of the data as it is now, then `file` put in its place;
    // restored() tells how it went. The teacher record downloaded before is removed with the
    // data it came from.
    void restore(const QString& file);
    bool isBusy() const { return m_jobs > 0; }

    // Both folders' backups, newest first.
    QList<BackupEntry> list() const;

Q_SIGNALS:
    // A copy failed, in the words the teacher is shown.
    void failed(const QString& message);
    // A copy was taken: its file in the data folder's backups, empty when none could be made.
    void backedUp(const QString& file);
    void restored(bool done, const QString& message);

private:
    struct Outcome {
        QString made; // the copy in the data folder's backups, empty when none was made
        QStringList failures;
    };
    // On the worker thread.
    Outcome makeBackup(BackupOccasion occasion, const QString& secondFolder) const;
    void rotate(const QString& secondFolder) const;
    enum class Due { Always, OncePerDay }; // once: unless the data folder has a copy of today
    void backUp(BackupOccasion occasion, Due due);
    // One copy into `folder`, of the live database or of `made` (the copy just made); its file,
    // or empty with the failure told.
    QString copyInto(const QString& folder, const BackupName& name, const QString& made,
                     QStringList* failures) const;
    void run(std::function<void()> job);
    // Runs `report` on the thread of this object, once the job's results are in.
    void report(std::function<void()> report);

    DataFolder m_data;
    Storage m_storage;
    QString m_settingsIni;
    QThreadPool m_worker;
    int m_jobs = 0;
};

} // namespace ordalis
