// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the teacher deleted and the service keeps for 30 days, as the console lists it when the
// service runs on this machine: one row per deletion, with what it took along, newest first.

#include "text/Refusal.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QList>
#include <QString>

namespace ordalis::console {

enum class DeletedKind { Class, Student, Topic, Standard, Score };

struct DeletedEntry {
    qint64 id = 0; // the service's, sent back to restore it
    DeletedKind kind = DeletedKind::Class;
    QString name;      // a score: the student and the score
    QString belongsTo; // the class of a student or score, the topic of a standard
    QDateTime deletedAt;
    int scores = 0; // the scores it took along
};

// The list the service gave, or the reason it gave none.
using DeletedEntries = Expected<QList<DeletedEntry>>;

QString kindCaption(DeletedKind kind);

// The rows of the deleted list: 类别, 名称, 所属, 删除时间, 计分.
class DeletedEntriesModel : public QAbstractTableModel {
public:
    enum Column { Kind, Name, BelongsTo, DeletedAt, Scores, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setEntries(QList<DeletedEntry> entries);
    const DeletedEntry& entry(int row) const { return m_entries.at(row); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<DeletedEntry> m_entries;
};

} // namespace ordalis::console
