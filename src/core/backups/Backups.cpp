// SPDX-License-Identifier: GPL-3.0-or-later
#include "Backups.h"

#include "BackupFolder.h"
#include "FileCopy.h"
#include "session/FileWrite.h"
#include "session/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>

namespace ordalis {
namespace {

const QString SecondFolderKey = QStringLiteral("backups/secondFolder");

} // namespace

Backups::Backups(const DataFolder& folder, Storage storage, const QString& settingsIni)
    : m_data(folder)
    , m_storage(std::move(storage))
    , m_settingsIni(settingsIni) {
    m_worker.setMaxThreadCount(1); // one copy at a time, a restore never beside a copy
}

Backups::~Backups() {
    m_worker.waitForDone();
}

QString Backups::folder() const {
    return m_data.filePath(QStringLiteral("backups"));
}

QString Backups::secondFolder() const {
    return openSettingsStore(m_settingsIni)->value(SecondFolderKey).toString();
}

void Backups::setSecondFolder(const QString& path) {
    const auto settings = openSettingsStore(m_settingsIni);
    if (path.isEmpty())
        settings->remove(SecondFolderKey);
    else
        settings->setValue(SecondFolderKey, QDir::cleanPath(path));
}

void Backups::run(std::function<void()> job) {
    ++m_jobs;
    m_worker.start(std::move(job));
}

void Backups::report(std::function<void()> report) {
    QMetaObject::invokeMethod(
        this,
        [this, report = std::move(report)] {
            --m_jobs;
            report();
        },
        Qt::QueuedConnection);
}

QString Backups::copyInto(const QString& folder, const BackupName& name, const QString& made,
                          QStringList* failures) const {
    const BackupFolder into(folder);
    const QString target = into.filePath(into.nextName(name.taken, name.occasion));
    const QString part = unfinishedCopyOf(target);
    const Expected<> copied = made.isEmpty() ? m_storage.copyTo(part) : copyWhole(made, part);
    if (copied && QFile::rename(part, target))
        return target;
    QFile::remove(part);
    failures->append(
        QStringLiteral("数据备份失败：%1。")
            .arg(failedWrite(target, QFileInfo(m_storage.database).size(), copied.why())
                     .reasonWithFolder()));
    return {};
}

Backups::Outcome Backups::makeBackup(BackupOccasion occasion, const QString& secondFolder) const {
    Outcome outcome;
    BackupName name;
    name.taken = QDateTime::currentDateTime();
    name.occasion = occasion;
    QDir().mkpath(folder());
    outcome.made = copyInto(folder(), name, QString(), &outcome.failures);
    // Also when the data folder's disk is full: the second folder may have room.
    if (!secondFolder.isEmpty())
        copyInto(secondFolder, name, outcome.made, &outcome.failures);
    return outcome;
}

void Backups::rotate(const QString& secondFolder) const {
    BackupFolder(folder()).rotate();
    if (!secondFolder.isEmpty())
        BackupFolder(secondFolder).rotate();
}

void Backups::backUp(BackupOccasion occasion, Due due) {
    const QString second = secondFolder();
    run([this, occasion, due, second] {
        const bool wanted =
            due == Due::Always || !BackupFolder(folder()).hasBackupOf(QDate::currentDate());
        const Outcome outcome = wanted ? makeBackup(occasion, second) : Outcome{};
        rotate(second);
        report([this, wanted, outcome] {
            if (!outcome.failures.isEmpty())
                Q_EMIT failed(outcome.failures.join(u'\n'));
            if (wanted)
                Q_EMIT backedUp(outcome.made);
        });
    });
}

void Backups::backUpDaily() {
    backUp(BackupOccasion::Regular, Due::OncePerDay);
}

void Backups::backUpNow() {
    backUp(BackupOccasion::Regular, Due::Always);
}

void Backups::backUpBeforeUpgrade() {
    backUp(BackupOccasion::BeforeUpgrade, Due::Always);
    m_worker.waitForDone();
}

void Backups::restore(const QString& file) {
    const QString second = secondFolder();
    run([this, file, second] {
        const Outcome before = makeBackup(BackupOccasion::BeforeRestore, second);
        QString message;
        bool done = false;
        const auto chosen = BackupName::parse(QFileInfo(file).fileName());
        const QString when = chosen ? chosen->shownTime() : QFileInfo(file).fileName();
        if (before.made.isEmpty()) {
            message = QStringLiteral("没有恢复：现在的数据未能先另存为备份。\n") +
                      before.failures.join(u'\n');
        } else if (const Expected<> put = m_storage.putInPlace(file); !put) {
            message = QStringLiteral("恢复失败：%1").arg(put.why());
        } else {
            // The record downloaded before belongs to the data that was replaced.
            QFile::remove(m_data.recordFile());
            done = true;
            message = QStringLiteral("已恢复 %1 的备份，恢复前的数据已另存为备份（%2）。\n"
                                     "请重新登录。")
                          .arg(when, QFileInfo(before.made).fileName());
        }
        // After the restore: the rotation could otherwise take the very copy being restored.
        rotate(second);
        const QStringList secondFailures = before.made.isEmpty() ? QStringList() : before.failures;
        report([this, done, message, secondFailures] {
            if (!secondFailures.isEmpty())
                Q_EMIT failed(secondFailures.join(u'\n'));
            Q_EMIT restored(done, message);
        });
    });
}

QList<BackupEntry> Backups::list() const {
    QList<BackupEntry> entries;
    const auto add = [this, &entries](const QString& path, bool second) {
        if (path.isEmpty())
            return;
        const BackupFolder folder(path);
        for (const BackupName& name : folder.backups()) {
            const QString file = folder.filePath(name);
            entries.append({file, name, second, m_storage.contentsOf(file)});
        }
    };
    add(folder(), false);
    add(secondFolder(), true);
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const BackupEntry& a, const BackupEntry& b) { return b.name.isOlderThan(a.name); });
    return entries;
}

} // namespace ordalis
