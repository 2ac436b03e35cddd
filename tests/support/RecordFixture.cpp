// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordFixture.h"

#include "text/Gb18030.h"
#include "text/WireText.h"

#include <QDateTime>
#include <QFile>

namespace ordalis::test {

bool writeRecordFile(const QString& path, const QStringList& lines, const QByteArray& lineEnd) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += gb18030::encode(line) + lineEnd;
    return writeBytes(path, bytes);
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(bytes) == bytes.size();
}

bool ageFile(const QString& path, int seconds) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    return file.setFileTime(QDateTime::currentDateTime().addSecs(-seconds),
                            QFileDevice::FileModificationTime);
}

QStringList recordLines(const QList<QStringList>& rows) {
    QStringList lines;
    for (const QStringList& fields : rows)
        lines << fields.join(u'\t');
    return lines;
}

QString studentLine(const QString& className, const QString& name, int group, double score,
                    int count) {
    return QStringList{className,
                       name,
                       QString::number(group),
                       shortestDecimal(score * count),
                       shortestDecimal(score),
                       QString::number(count)}
        .join(u'\t');
}

QStringList sampleRecordLines() {
    return QStringList{
        QStringLiteral("Class_Is_Ready\t一班\t二班\t"),
        QStringLiteral("[keti]\t函数\t回答正确\t5\t回答错误\t1\t"),
        QStringLiteral("[keti]\t数列"),
        studentLine(QStringLiteral("一班"), QStringLiteral("张三"), 0, 4.5, 2),
        studentLine(QStringLiteral("一班"), QStringLiteral("李四"), 1, 2.5, 4),
        studentLine(QStringLiteral("一班"), QStringLiteral("王五"), 1, 0, 0),
        studentLine(QStringLiteral("二班"), QStringLiteral("赵六"), 2, 3, 1),
        studentLine(QStringLiteral("二班"), QStringLiteral("钱七"), 3, 1.5, 6),
    };
}

TempDataFolder::TempDataFolder()
    : m_folder(m_dir.path()) {}

bool TempDataFolder::writeRecord(const QStringList& lines, const QByteArray& lineEnd) const {
    return writeRecordFile(recordFile(), lines, lineEnd);
}

} // namespace ordalis::test
