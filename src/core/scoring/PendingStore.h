// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pending score lines of each user, kept in the data folder so that neither closing the
// program nor a crash loses a score that was not uploaded: one file per user in the .dms line
// format, replaced whole (written beside it and renamed over it) on every change. Beside it,
// the batches sent whose success was not heard yet, with their ids (UploadBatches.h). A file
// that cannot be written (a full disk, a read-only folder) keeps its old content on disk and
// its new one here: it is read from here and written by retry() until a write succeeds.

#include "scoring/UploadBatches.h"
#include "session/FileWrite.h"

#include <QMap>
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
    FileWrite save(const QString& userName, const QStringList& lines);

    // The same name with ".calls" for the calls not uploaded yet (CallLine), oldest first.
    QString callsPath(const QString& userName) const;
    QStringList loadCalls(const QString& userName) const;
    FileWrite saveCalls(const QString& userName, const QStringList& calls);

    // The same name with ".batches" for the unconfirmed batches.
    QString batchesPath(const QString& userName) const;
    QList<UploadBatch> loadBatches(const QString& userName) const;
    FileWrite saveBatches(const QString& userName, const QList<UploadBatch>& batches);

    // Writes every file held here again; the outcome of each.
    QList<FileWrite> retry();
    bool allWritten() const { return m_unwritten.isEmpty(); }

    // The pending lines once `toUser` logs in while `fromUser` (empty before any login) held
    // `shownLines`. An account keeps its lines for itself; lines given without an account
    // (before a login or by the offline user) go on with the one who logs in next, after
    // that user's own, and so do the offline user's calls. A write that fails is held for
    // retry(), like any other.
    QStringList changeUser(const QString& fromUser, const QStringList& shownLines,
                           const QString& toUser);

private:
    QString pathWithSuffix(const QString& userName, const QString& suffix) const;
    QStringList read(const QString& path) const;
    FileWrite write(const QString& path, const QStringList& lines);

    QString m_folder;
    QMap<QString, QStringList> m_unwritten; // by path
};

} // namespace ordalis
