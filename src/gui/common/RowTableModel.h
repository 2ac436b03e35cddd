// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table of typed rows whose columns a core Columns type names: its Row (with fromText and
// toText), its Column enum up to Count, each column's header and a row's text in it. The view
// shows the columns; a row's whole line (LineRole) and its identifier (IdRole, for rows that
// have one) stay readable for the files, the deletions and the tests.

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

class QTableView;

namespace ordalis {

class RowModel : public QAbstractTableModel {
public:
    enum Role { LineRole = Qt::UserRole, IdRole };
    using QAbstractTableModel::QAbstractTableModel;

    // Every row replaced by the rows these lines read as.
    virtual void setLines(const QStringList& lines) = 0;
    QStringList lines() const;
};

template <typename Columns> class RowTableModel final : public RowModel {
public:
    using Row = typename Columns::Row;
    using RowModel::RowModel;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(Columns::Count);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        const Row& row = m_rows.at(index.row());
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: // the whole text of a cell too narrow for it
            return Columns::text(row, index.column());
        case LineRole:
            return row.toText();
        case IdRole:
            if constexpr (requires { row.id; })
                return row.id;
            return {};
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return RowModel::headerData(section, orientation, role);
        return Columns::header(section);
    }
    bool removeRows(int first, int count, const QModelIndex& parent = {}) override {
        if (parent.isValid() || first < 0 || count < 1 || first + count > m_rows.size())
            return false;
        beginRemoveRows({}, first, first + count - 1);
        m_rows.remove(first, count);
        endRemoveRows();
        return true;
    }

    const QList<Row>& rows() const { return m_rows; }
    void setRows(QList<Row> rows) {
        beginResetModel();
        m_rows = std::move(rows);
        endResetModel();
    }
    void setLines(const QStringList& lines) override {
        QList<Row> rows;
        rows.reserve(lines.size());
        for (const QString& line : lines)
            rows << Row::fromText(line);
        setRows(std::move(rows));
    }
    void append(const Row& row) {
        beginInsertRows({}, int(m_rows.size()), int(m_rows.size()));
        m_rows << row;
        endInsertRows();
    }
    void replace(int at, const Row& row) {
        m_rows[at] = row;
        Q_EMIT dataChanged(index(at, 0), index(at, Columns::Count - 1));
    }

private:
    QList<Row> m_rows;
};

// The view the lists of rows share: whole rows selected, several at a time (each click adds or
// takes away one), nothing edited in place, each column as wide as its widest text and header.
QTableView* rowTable(QWidget* parent, const QString& objectName, RowModel* model);

} // namespace ordalis
