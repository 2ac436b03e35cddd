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

QStringList PendingStore::read(const QString& path) const {
    const auto held = m_unwritten.constFind(path);
    if (held != m_unwritten.cend())
        return *held;
    return readDmsFile(path).value_or(QStringList());
}

FileWrite PendingStore::write(const QString& path, const QStringList& lines) {
    FileWrite written = writeDmsFile(path, lines);
    if (written.ok())
        m_unwritten.remove(path);
    else
        m_unwritten.insert(path, lines);
    return written;
}

QList<FileWrite> PendingStore::retry() {
    QList<FileWrite> outcomes;
    const QMap<QString, QStringList> held = m_unwritten;
    for (auto file = held.cbegin(); file != held.cend(); ++file)
        outcomes << write(file.key(), file.value());
    return outcomes;
}

QStringList PendingStore::load(const QString& userName) const {
    return read(filePath(userName));
}

FileWrite PendingStore::save(const QString& userName, const QStringList& lines) {
    return write(filePath(userName), lines);
}

QString PendingStore::callsPath(const QString& userName) const {
    return pathWithSuffix(userName, QStringLiteral(".calls"));
}

QStringList PendingStore::loadCalls(const QString& userName) const {
    return read(callsPath(userName));
}

FileWrite PendingStore::saveCalls(const QString& userName, const QStringList& calls) {
    return write(callsPath(userName), calls);
}

QList<UploadBatch> PendingStore::loadBatches(const QString& userName) const {
    return readBatchLines(read(batchesPath(userName)));
}

FileWrite PendingStore::saveBatches(const QString& userName, const QList<UploadBatch>& batches) {
    return write(batchesPath(userName), batchLines(batches));
}

QStringList PendingStore::changeUser(const QString& fromUser, const QStringList& shownLines,
                                     const QString& toUser) {
    if (fromUser == toUser)
        return shownLines;
    const bool withoutAccount = fromUser.isEmpty() || fromUser == Session::OfflineUserName;
    if (withoutAccount && !fromUser.isEmpty()) {
        const QStringList calls = loadCalls(fromUser);
        if (!calls.isEmpty() && saveCalls(toUser, loadCalls(toUser) + calls).ok())
            static_cast<void>(saveCalls(fromUser, {})); // held for retry() when it fails
    }
    if (!withoutAccount || shownLines.isEmpty())
        return load(toUser);
    const QStringList carried = load(toUser) + shownLines;
    if (save(toUser, carried).ok() && !fromUser.isEmpty())
        static_cast<void>(save(fromUser, {})); // held for retry() when it fails
    return carried;
}

} // namespace ordalis
