// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeletedEntries.h"

namespace ordalis::console {

QString kindCaption(DeletedKind kind) {
    switch (kind) {
    case DeletedKind::Class:
        return QStringLiteral("班级");
    case DeletedKind::Student:
        return QStringLiteral("学生");
    case DeletedKind::Topic:
        return QStringLiteral("课题");
    case DeletedKind::Standard:
        return QStringLiteral("评分标准");
    case DeletedKind::Score:
        break;
    }
    return QStringLiteral("计分");
}

void DeletedEntriesModel::setEntries(QList<DeletedEntry> entries) {
    beginResetModel();
    m_entries = std::move(entries);
    endResetModel();
}

int DeletedEntriesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_entries.size());
}

int DeletedEntriesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DeletedEntriesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const DeletedEntry& e = m_entries.at(index.row());
    switch (Column(index.column())) {
    case Kind:
        return kindCaption(e.kind);
    case Name:
        return e.name;
    case BelongsTo:
        return e.belongsTo;
    case DeletedAt:
        return e.deletedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case Scores:
        return e.scores;
    case ColumnCount:
        break;
    }
    return {};
}

QVariant DeletedEntriesModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QStringList headers{QStringLiteral("类别"), QStringLiteral("名称"),
                                     QStringLiteral("所属"), QStringLiteral("删除时间"),
                                     QStringLiteral("计分")};
    return headers.value(section);
}

} // namespace ordalis::console
