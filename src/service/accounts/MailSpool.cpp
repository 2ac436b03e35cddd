// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/MailSpool.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace ordalis::service {

MailSpool::MailSpool(QString folder)
    : m_folder(std::move(folder)) {}

bool MailSpool::keep(const QString& account, const QByteArray& message, const QDateTime& at) const {
    // A check code is for the teacher alone: no other user of the computer may read it.
    if (!QDir().mkpath(m_folder) ||
        !QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return false;
    const QString name = QStringLiteral("%1-%2.eml")
                             .arg(at.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")), account);
    QSaveFile file(QDir(m_folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly) ||
        !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
        return false;
    file.write(message);
    return file.commit();
}

} // namespace ordalis::service
