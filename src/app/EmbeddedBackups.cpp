// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmbeddedBackups.h"

#include "backups/FileCopy.h"

#include <QFile>
#include <QFileInfo>

namespace ordalis {
namespace {

Backups::Storage storageOf(const QString& database,
                           std::function<Expected<>(const QString&)> putInPlace) {
    Backups::Storage storage;
    storage.database = database;
    storage.copyTo = [database](const QString& file) -> Expected<> {
        if (const Expected<QString> copied = ScoreService::backup(database, file); !copied)
            return copied.refusal();
        return {};
    };
    storage.contentsOf = [](const QString& file) -> std::optional<BackupContents> {
        const auto contents = ScoreService::contents(file);
        if (!contents)
            return std::nullopt;
        return BackupContents{contents->classes, contents->students, contents->scores};
    };
    storage.putInPlace = std::move(putInPlace);
    return storage;
}

} // namespace

EmbeddedBackups::EmbeddedBackups(ScoreService& service, const DataFolder& folder,
                                 const QString& database)
    : m_service(service)
    , m_database(database)
    , m_backups(folder,
                storageOf(database, [this](const QString& file) { return putInPlace(file); })) {
    if (ScoreService::holdsOlderSchema(database))
        m_backups.backUpBeforeUpgrade();
    else if (QFileInfo::exists(database)) // a fresh database is being made: nothing to copy yet
        m_backups.backUpDaily();
}

Expected<> EmbeddedBackups::putInPlace(const QString& file) {
    const QString listen = QStringLiteral("127.0.0.1:%1").arg(m_service.port());
    m_service.stop();
    Expected<> replaced;
    // SQLite's journal of the data replaced must never be applied to the restored file.
    for (const char* journal : {"-wal", "-shm"}) {
        QFile file(m_database + QLatin1String(journal));
        if (file.exists() && !file.remove())
            replaced = refusal(file.errorString());
    }
    if (replaced)
        replaced = copyWhole(file, m_database);
    const Expected<> started = m_service.start(m_database, listen);
    if (started)
        m_service.prepareDemoAccount();
    if (!replaced)
        return refusal(
            QStringLiteral("无法替换数据文件（%1）。数据没有改变。").arg(replaced.why()));
    if (!started)
        return refusal(QStringLiteral("数据服务未能重新启动（%1）。请关闭程序后重新打开。")
                           .arg(started.why()));
    return {};
}

} // namespace ordalis
