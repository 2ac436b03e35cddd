// SPDX-License-Identifier: GPL-3.0-or-later
#include "PendingStore.h"

#include "scoring/DmsFile.h"
#include "session/Session.h"

#include <QDir>

namespace ordalis {

PendingStore::PendingStore(QString folderPath)
    : m_folder(std::move(folderPath)) {}

QString PendingStore::filePath(const QString& userName) const {
    return pathWithSuffix(userName, QStringLiteral(".dms"));
}

QString PendingStore::batchesPath(const QString& userName) const {
    return pathWithSuffix(userName, QStringLiteral(".batches"));
}

QString PendingStore::pathWithSuffix(const QString& userName, const QString& suffix) const {
    QString safe;
    for (const char32_t point : userName.toUcs4()) {
        const QString character = QString::fromUcs4(&point, 1);
        if (QChar::isLetterOrNumber(point) || point == U'-' || point == U'_') {
            safe += character;
            continue;
        }
        for (const char byte : character.toUtf8())
            safe += QStringLiteral("%%1").arg(quint8(byte), 2, 16, QLatin1Char('0')).toUpper();
    }
    return QDir(m_folder).filePath(QStringLiteral("pending_") + safe + suffix);
}

QStringList PendingStore::load(const QString& userName) const {
    return readDmsFile(filePath(userName)).value_or(QStringList());
}

bool PendingStore::save(const QString& userName, const QStringList& lines, QString* error) const {
    return writeDmsFile(filePath(userName), lines, error);
}

QString PendingStore::callsPath(const QString& userName) const {
    return pathWithSuffix(userName, QStringLiteral(".calls"));
}

QStringList PendingStore::loadCalls(const QString& userName) const {
    return readDmsFile(callsPath(userName)).value_or(QStringList());
}

bool PendingStore::saveCalls(const QString& userName, const QStringList& calls,
                             QString* error) const {
    return writeDmsFile(callsPath(userName), calls, error);
}

QList<UploadBatch> PendingStore::loadBatches(const QString& userName) const {
    return readBatchLines(readDmsFile(batchesPath(userName)).value_or(QStringList()));
}

bool PendingStore::saveBatches(const QString& userName, const QList<UploadBatch>& batches,
                               QString* error) const {
    return writeDmsFile(batchesPath(userName), batchLines(batches), error);
}

QStringList PendingStore::changeUser(const QString& fromUser, const QStringList& shownLines,
                                     const QString& toUser) const {
    if (fromUser == toUser)
        return shownLines;
    const bool withoutAccount = fromUser.isEmpty() || fromUser == Session::OfflineUserName;
    if (withoutAccount && !fromUser.isEmpty()) {
        const QStringList calls = loadCalls(fromUser);
        if (!calls.isEmpty() && saveCalls(toUser, loadCalls(toUser) + calls))
            saveCalls(fromUser, {});
    }
    if (!withoutAccount || shownLines.isEmpty())
        return load(toUser);
    const QStringList carried = load(toUser) + shownLines;
    if (save(toUser, carried) && !fromUser.isEmpty())
        save(fromUser, {});
    return carried;
}

} // namespace ordalis
