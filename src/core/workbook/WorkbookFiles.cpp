// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkbookFiles.h"

#include "text/WireText.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QVariant>
#include <cmath>
#include <xlsxwriter.h>

namespace ordalis::workbook {

namespace {

// What a column holds, which decides its cell format.
enum class Kind { Text, Count, Score, Mean, Date, Time, DateTime };

struct Column {
    QString header;
    Kind kind;
};

// One sheet of the workbook: its columns and its rows of values (QString, double, QDateTime).
struct Table {
    QString name;
    QList<Column> columns;
    QList<QVariantList> rows;
};

QVariant timeValue(const QString& text) {
    const QDateTime moment = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return moment.isValid() ? QVariant(moment) : QVariant(text);
}

QList<Table> tablesOf(const ClassWorkbook& book) {
    Table students{StudentsSheet,
                   {{QStringLiteral("姓名"), Kind::Text},
                    {QStringLiteral("被点次数"), Kind::Count},
                    {QStringLiteral("计分次数"), Kind::Count},
                    {QStringLiteral("总分"), Kind::Score},
                    {QStringLiteral("均分"), Kind::Mean},
                    {QStringLiteral("最近被点"), Kind::DateTime}},
                   {}};
    for (const StudentSummary& s : book.students)
        students.rows.append(
            {s.name, double(s.calls), double(s.scores), s.total, std::round(s.mean() * 100) / 100,
             s.lastCalled.isEmpty() ? QVariant(QString()) : timeValue(s.lastCalled)});
    Table scores{ScoresSheet,
                 {{QStringLiteral("日期"), Kind::Date},
                  {QStringLiteral("时间"), Kind::Time},
                  {QStringLiteral("学生"), Kind::Text},
                  {QStringLiteral("计分"), Kind::Score},
                  {QStringLiteral("课题"), Kind::Text},
                  {QStringLiteral("评分标准"), Kind::Text}},
                 {}};
    for (const ScoreEntry& s : book.scores) {
        const QVariant moment = timeValue(s.time);
        const bool valid = moment.typeId() == QMetaType::QDateTime;
        scores.rows.append({valid ? moment : QVariant(s.time.left(10)),
                            valid ? moment : QVariant(s.time.mid(11)), s.student, s.value, s.topic,
                            s.standard});
    }
    return {students, scores};
}

// Columns in Excel's units of one digit; a Chinese character takes two.
double displayWidth(const QString& text) {
    double width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x1100 ? 2 : 1;
    return width;
}

QString displayText(const QVariant& value, Kind kind) {
    if (value.typeId() == QMetaType::QDateTime) {
        const QDateTime moment = value.toDateTime();
        return kind == Kind::Date   ? moment.date().toString(Qt::ISODate)
               : kind == Kind::Time ? moment.time().toString(QStringLiteral("HH:mm:ss"))
                                    : moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    if (value.typeId() == QMetaType::Double)
        return shortestDecimal(value.toDouble());
    return value.toString();
}

// Excel's serial date: days since 1899-12-30, the time of day as the fraction.
double serial(const QDateTime& moment, Kind kind) {
    const double days = double(QDate(1899, 12, 30).daysTo(moment.date()));
    const double day = moment.time().msecsSinceStartOfDay() / 86400000.0;
    return kind == Kind::Date ? days : kind == Kind::Time ? day : days + day;
}

class XlsxFile {
public:
    explicit XlsxFile(const QString& path)
        : m_book(workbook_new(QFile::encodeName(path).constData())) {}
    ~XlsxFile() {
        if (m_book)
            workbook_close(m_book);
    }

    bool opened() const { return m_book != nullptr; }

    void add(const Table& table) {
        lxw_worksheet* sheet = workbook_add_worksheet(m_book, table.name.toUtf8().constData());
        lxw_format* header = workbook_add_format(m_book);
        format_set_bold(header);
        for (int c = 0; c < table.columns.size(); ++c) {
            const Column& column = table.columns[c];
            worksheet_write_string(sheet, 0, lxw_col_t(c), column.header.toUtf8().constData(),
                                   header);
            double width = displayWidth(column.header);
            for (int r = 0; r < table.rows.size(); ++r) {
                const QVariant& value = table.rows[r][c];
                write(sheet, lxw_row_t(r + 1), lxw_col_t(c), value, column.kind);
                width = std::max(width, displayWidth(displayText(value, column.kind)));
            }
            worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), std::min(width + 2, 60.0),
                                 nullptr);
        }
        worksheet_freeze_panes(sheet, 1, 0);
        if (!table.rows.isEmpty())
            worksheet_autofilter(sheet, 0, 0, lxw_row_t(table.rows.size()),
                                 lxw_col_t(table.columns.size() - 1));
    }

    Expected<> close() {
        const lxw_error result = workbook_close(std::exchange(m_book, nullptr));
        if (result != LXW_NO_ERROR)
            return refusal(QString::fromUtf8(lxw_strerror(result)));
        return {};
    }

private:
    lxw_format* format(Kind kind) {
        lxw_format*& made = m_formats[int(kind)];
        if (!made && kind != Kind::Text && kind != Kind::Count && kind != Kind::Score) {
            made = workbook_add_format(m_book);
            format_set_num_format(made, kind == Kind::Mean   ? "0.00"
                                        : kind == Kind::Date ? "yyyy-mm-dd"
                                        : kind == Kind::Time ? "hh:mm:ss"
                                                             : "yyyy-mm-dd hh:mm:ss");
        }
        return made;
    }

    void write(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const QVariant& value,
               Kind kind) {
        if (value.typeId() == QMetaType::QDateTime)
            worksheet_write_number(sheet, row, column, serial(value.toDateTime(), kind),
                                   format(kind));
        else if (value.typeId() == QMetaType::Double)
            worksheet_write_number(sheet, row, column, value.toDouble(), format(kind));
        else if (const QString text = value.toString(); !text.isEmpty())
            // Always a string, never read as a formula, whatever it starts with.
            worksheet_write_string(sheet, row, column, text.toUtf8().constData(), nullptr);
    }

    lxw_workbook* m_book;
    lxw_format* m_formats[7] = {};
};

// What a CSV field holds: a number is written as it is.
enum class CsvValue { Text, Number };

QString csvField(const QString& text, CsvValue value) {
    QString field = text;
    // A spreadsheet takes a text that starts like a formula for one: it stays text.
    // TAB and CR too, since some spreadsheets skip them before they look for a formula.
    if (value == CsvValue::Text && !field.isEmpty() &&
        QStringLiteral("=+-@\t\r").contains(field[0]))
        field.prepend(u'\'');
    if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n') ||
        field.contains(u'\r'))
        field = u'"' + field.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
    return field;
}

} // namespace

Expected<QByteArray> toXlsx(const ClassWorkbook& book) {
    // libxlsxwriter of Debian writes to a file only: a private folder, removed afterwards.
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("book.xlsx"));
    {
        XlsxFile file(path);
        if (!folder.isValid() || !file.opened())
            return refusal(QStringLiteral("无法创建临时文件"));
        for (const Table& table : tablesOf(book))
            file.add(table);
        if (const Expected<> closed = file.close(); !closed)
            return closed.refusal();
    }
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly))
        return refusal(written.errorString());
    return written.readAll();
}

QByteArray toCsv(const ClassWorkbook& book) {
    QStringList lines;
    for (const Table& table : tablesOf(book)) {
        if (!lines.isEmpty())
            lines.append(QString());
        QStringList headers;
        for (const Column& column : table.columns)
            headers.append(csvField(column.header, CsvValue::Text));
        lines.append(headers.join(u','));
        for (const QVariantList& row : table.rows) {
            QStringList fields;
            for (int c = 0; c < table.columns.size(); ++c)
                fields.append(csvField(displayText(row[c], table.columns[c].kind),
                                       row[c].typeId() == QMetaType::QString ? CsvValue::Text
                                                                             : CsvValue::Number));
            lines.append(fields.join(u','));
        }
    }
    return "\xEF\xBB\xBF" + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace ordalis::workbook
