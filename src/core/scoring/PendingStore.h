// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pending score lines of each user, kept in the data folder so that neither closing the
// program nor a crash loses a score that was not uploaded: one file per user in the .dms line
// format, replaced whole (written beside it and renamed over it) on every change. Beside it,
// the batches sent whose success was not heard yet, with their ids (UploadBatches.h).

#include "scoring/UploadBatches.h"

#include <QString>
#include <QStringList>

namespace ordalis {

class PendingStore {
public:
    explicit PendingStore(QString folderPath);
    const QString& folderPath() const { return m_folder; }

    // "pending_" + the user name with every character that is not a letter, a digit, "-" or
    // "_" written as %XX of its UTF-8 bytes + ".dms": distinct users never share a file and no
    // name leaves the folder.
    QString filePath(const QString& userName) const;

    QStringList load(const QString& userName) const;
    bool save(const QString& userName, const QStringList& lines, QString* error = nullptr) const;

    // The same name with ".calls" for the calls not uploaded yet (CallLine), oldest first.
    QString callsPath(const QString& userName) const;
    QStringList loadCalls(const QString& userName) const;
    bool saveCalls(const QString& userName, const QStringList& calls,
                   QString* error = nullptr) const;

    // The same name with ".batches" for the unconfirmed batches.
    QString batchesPath(const QString& userName) const;
    QList<UploadBatch> loadBatches(const QString& userName) const;
    bool saveBatches(const QString& userName, const QList<UploadBatch>& batches,
                     QString* error = nullptr) const;

    // The pending lines once `toUser` logs in while `fromUser` (empty before any login) held
    // `shownLines`. An account keeps its lines for itself; lines given without an account
    // (before a login or by the offline user) go on with the one who logs in next, after
    // that user's own, and so do the offline user's calls.
    QStringList changeUser(const QString& fromUser, const QStringList& shownLines,
                           const QString& toUser) const;

private:
    QString pathWithSuffix(const QString& userName, const QString& suffix) const;

    QString m_folder;
};

} // namespace ordalis
