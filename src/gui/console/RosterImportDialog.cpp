// SPDX-License-Identifier: GPL-3.0-or-later
#include "RosterImportDialog.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace ordalis {

RosterImportDialog::RosterImportDialog(QList<sheets::Sheet> sheets, QStringList existing,
                                       QWidget* parent)
    : QDialog(parent)
    , m_sheets(std::move(sheets))
    , m_existing(std::move(existing))
    , m_sheet(new QComboBox(this))
    , m_count(new QLabel(this))
    , m_names(new QListWidget(this))
    , m_leftOutCount(new QLabel(this))
    , m_leftOut(new QListWidget(this)) {
    setObjectName(QStringLiteral("dlgRosterImport"));
    m_sheet->setObjectName(QStringLiteral("cboSheet"));
    m_count->setObjectName(QStringLiteral("lblImportCount"));
    m_names->setObjectName(QStringLiteral("lstImportNames"));
    m_leftOutCount->setObjectName(QStringLiteral("lblLeftOut"));
    m_leftOut->setObjectName(QStringLiteral("lstLeftOut"));
    setWindowTitle(QStringLiteral("导入名单"));
    resize(640, 480);
    for (const sheets::Sheet& sheet : m_sheets)
        m_sheet->addItem(sheet.name);
    m_count->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(QStringLiteral("导入"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("cmdImportOk"));
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* sheetRow = new QHBoxLayout;
    sheetRow->addWidget(new QLabel(QStringLiteral("工作表："), this));
    sheetRow->addWidget(m_sheet, 1);
    auto* lists = new QHBoxLayout;
    auto* added = new QVBoxLayout;
    added->addWidget(m_count);
    added->addWidget(m_names, 1);
    auto* leftOut = new QVBoxLayout;
    leftOut->addWidget(m_leftOutCount);
    leftOut->addWidget(m_leftOut, 1);
    lists->addLayout(added, 1);
    lists->addLayout(leftOut, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(sheetRow);
    layout->addLayout(lists, 1);
    layout->addWidget(buttons);
    // A workbook of one sheet has nothing to choose.
    m_sheet->setVisible(m_sheets.size() > 1);
    sheetRow->itemAt(0)->widget()->setVisible(m_sheets.size() > 1);

    connect(m_sheet, &QComboBox::currentIndexChanged, this, &RosterImportDialog::showSheet);
    showSheet(0);
}

void RosterImportDialog::showSheet(int index) {
    m_preview = sheets::previewRoster(m_sheets.value(index), m_existing);
    m_names->clear();
    m_names->addItems(m_preview.names);
    m_leftOut->clear();
    for (const sheets::LeftOut& item : m_preview.leftOut)
        m_leftOut->addItem(QStringLiteral("第%1行 “%2”：%3")
                               .arg(item.row)
                               .arg(QString(item.text).replace(u'\n', u' '), item.reason));
    QString count = QStringLiteral("将添加%1名学生").arg(m_preview.names.size());
    if (m_preview.column >= 0)
        count += QStringLiteral("（姓名取自%1列").arg(sheets::columnName(m_preview.column)) +
                 (m_preview.header > 0 ? QStringLiteral("，第%1行是标题）").arg(m_preview.header)
                                       : QStringLiteral("）"));
    m_count->setText(count + QStringLiteral("："));
    m_leftOutCount->setText(QStringLiteral("未导入%1项：").arg(m_preview.leftOut.size()));
    m_import->setEnabled(!m_preview.names.isEmpty());
}

} // namespace ordalis
