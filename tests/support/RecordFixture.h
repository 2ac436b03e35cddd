// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Temporary data folders with a teacher record in them, for tests of every layer.

#include "session/DataFolder.h"

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

namespace ordalis::test {

// Writes the lines in GBK, each followed by lineEnd; false when the file cannot be written.
bool writeRecordFile(const QString& path, const QStringList& lines,
                     const QByteArray& lineEnd = "\r\n");

// Writes raw bytes over the file; false when it cannot be written.
bool writeBytes(const QString& path, const QByteArray& bytes);

// Moves the file's modification time the given number of seconds into the past, as a record
// downloaded a while ago would have it.
bool ageFile(const QString& path, int seconds);

// The lines of a record made of fields: each inner list joined by TAB.
QStringList recordLines(const QList<QStringList>& rows);

// A small but complete record: the class list 一班, 二班; the topics 函数 (two standards) and
// 数列; 一班 with 张三, 李四, 王五 and 二班 with 赵六, 钱七.
QStringList sampleRecordLines();

// A six-field student line.
QString studentLine(const QString& className, const QString& name, int group, double score,
                    int count);

// A data folder in a fresh temporary directory, removed with the object.
class TempDataFolder {
public:
    TempDataFolder();

    bool isValid() const { return m_dir.isValid(); }
    const DataFolder& folder() const { return m_folder; }
    QString path() const { return m_folder.path(); }
    QString recordFile() const { return m_folder.recordFile(); }
    QString filePath(const QString& name) const { return m_folder.filePath(name); }

    bool writeRecord(const QStringList& lines, const QByteArray& lineEnd = "\r\n") const;
    bool writeSampleRecord() const { return writeRecord(sampleRecordLines()); }

private:
    QTemporaryDir m_dir;
    DataFolder m_folder;
};

} // namespace ordalis::test
