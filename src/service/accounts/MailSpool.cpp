// SPDX-License-Identifier: GPL-3.0-or-later

#include "accounts/MailSpool.h"

#include <QDir>
#include <QSaveFile>

namespace ordalis::service {

MailSpool::MailSpool(QString folder)
    : m_folder(std::move(folder)) {}

bool MailSpool::keep(const QString& account, const QByteArray& message, const QDateTime& at) const {
    if (!QDir().mkpath(m_folder))
        return false;
    const QString name = QStringLiteral("%1-%2.eml")
                             .arg(at.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")), account);
    QSaveFile file(QDir(m_folder).filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(message);
    return file.commit();
}

} // namespace ordalis::service
