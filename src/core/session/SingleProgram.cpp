// SPDX-License-Identifier: GPL-3.0-or-later
#include "SingleProgram.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QtDebug>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace ordalis {
namespace {

QString userId() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

} // namespace

SingleProgram::SingleProgram(const QString& dataFolder)
    : m_channelName(channelName(dataFolder))
    , m_lock(QDir(dataFolder).filePath(QStringLiteral("ordalis.lock"))) {
    // Only a dead holder makes a lock stale, never its age: a program runs for a whole day.
    m_lock.setStaleLockTime(0);
}

SingleProgram::Start SingleProgram::start(const QString& request) {
    if (!m_lock.tryLock()) {
        if (m_lock.error() != QLockFile::LockFailedError) {
            qWarning("ordalis: the data folder cannot be locked; a second start is not stopped");
            return Start::First;
        }
        if (const auto answer = CommandChannel::ask(m_channelName, request, AnswerTimeoutMs)) {
            m_answer = *answer;
            return Start::HandedOver;
        }
        // The holder may have ended meanwhile.
        if (!m_lock.tryLock())
            return Start::NotAnswering;
    }
    if (const Expected<> listening = m_channel.listen(m_channelName); !listening)
        qWarning("ordalis: later starts cannot reach this program: %s",
                 qPrintable(listening.why()));
    return Start::First;
}

QString SingleProgram::channelName(const QString& dataFolder) {
    const QByteArray folder = QFileInfo(dataFolder).canonicalFilePath().toUtf8();
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex();
    return QStringLiteral("ordalis-%1-%2").arg(userId(), QString::fromLatin1(hash.left(16)));
}

} // namespace ordalis
