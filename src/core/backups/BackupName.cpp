// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackupName.h"

#include <QRegularExpression>

namespace ordalis {
namespace {

const QString TimeFormat = QStringLiteral("yyyy-MM-dd-HHmm");

QString suffix(BackupOccasion occasion) {
    switch (occasion) {
    case BackupOccasion::BeforeRestore:
        return QStringLiteral("-before-restore");
    case BackupOccasion::BeforeUpgrade:
        return QStringLiteral("-before-upgrade");
    case BackupOccasion::Regular:
        break;
    }
    return {};
}

} // namespace

QString BackupName::fileName() const {
    const QString number = sequence > 1 ? QStringLiteral("-%1").arg(sequence) : QString();
    return QStringLiteral("ordalis-") + taken.toString(TimeFormat) + number + suffix(occasion) +
           QStringLiteral(".sqlite");
}

QString BackupName::shownTime() const {
    return taken.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

std::optional<BackupName> BackupName::parse(const QString& fileName) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^ordalis-(\d{4}-\d\d-\d\d-\d{4})(?:-(\d+))?(-before-restore|-before-upgrade)?\.sqlite$)"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    BackupName name;
    name.taken = QDateTime::fromString(match.captured(1), TimeFormat);
    if (!name.taken.isValid())
        return std::nullopt;
    name.sequence = match.hasCaptured(2) ? match.captured(2).toInt() : 1;
    if (match.captured(3) == suffix(BackupOccasion::BeforeRestore))
        name.occasion = BackupOccasion::BeforeRestore;
    else if (match.captured(3) == suffix(BackupOccasion::BeforeUpgrade))
        name.occasion = BackupOccasion::BeforeUpgrade;
    return name;
}

bool BackupName::isOlderThan(const BackupName& other) const {
    return taken != other.taken ? taken < other.taken : sequence < other.sequence;
}

} // namespace ordalis
