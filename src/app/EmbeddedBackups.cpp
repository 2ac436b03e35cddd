// SPDX-License-Identifier: GPL-3.0-or-later
#include "EmbeddedBackups.h"

#include "backups/FileCopy.h"

#include <QFile>
#include <QFileInfo>

namespace ordalis {
namespace {

Backups::Storage storageOf(const QString& database,
                           std::function<bool(const QString&, QString*)> putInPlace) {
    Backups::Storage storage;
    storage.database = database;
    storage.copyTo = [database](const QString& file, QString* error) {
        return ScoreService::backup(database, file, error);
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
    , m_backups(folder, storageOf(database, [this](const QString& file, QString* error) {
                    return putInPlace(file, error);
                })) {
    if (ScoreService::holdsOlderSchema(database))
        m_backups.backUpBeforeUpgrade();
    else if (QFileInfo::exists(database)) // a fresh database is being made: nothing to copy yet
        m_backups.backUpDaily();
}

bool EmbeddedBackups::putInPlace(const QString& file, QString* error) {
    const QString listen = QStringLiteral("127.0.0.1:%1").arg(m_service.port());
    m_service.stop();
    QString reason;
    bool replaced = true;
    // SQLite's journal of the data replaced must never be applied to the restored file.
    for (const char* journal : {"-wal", "-shm"}) {
        QFile file(m_database + QLatin1String(journal));
        if (file.exists() && !file.remove()) {
            replaced = false;
            reason = file.errorString();
        }
    }
    replaced = replaced && copyWhole(file, m_database, &reason);
    QString startError;
    const bool started = m_service.start(m_database, listen, &startError);
    if (started)
        m_service.prepareDemoAccount();
    if (!replaced)
        *error = QStringLiteral("无法替换数据文件（%1）。数据没有改变。").arg(reason);
    else if (!started)
        *error =
            QStringLiteral("数据服务未能重新启动（%1）。请关闭程序后重新打开。").arg(startError);
    return replaced && started;
}

} // namespace ordalis
