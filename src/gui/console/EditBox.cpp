// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditBox.h"

#include "console/ConsoleWidgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ordalis {

EditBox::EditBox(QWidget* page, const QString& name, const QString& caption)
    : QGroupBox(caption, page)
    , m_grid(new QGridLayout) {
    setObjectName(name);
    setProperty("editBox", true);
    setAttribute(Qt::WA_StyledBackground);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_grid);
    hide();
}

QLineEdit* EditBox::addField(const QString& labelName, const QString& label, const QString& boxName,
                             Field field) {
    const int row = m_grid->rowCount();
    QLabel* caption = console::label(this, labelName, label);
    m_grid->addWidget(caption, row, 0);
    QLineEdit* box = field == Field::Editable ? console::lineEdit(this, boxName)
                                              : console::readOnlyLineEdit(this, boxName);
    box->setMinimumWidth(160);
    m_grid->addWidget(box, row, 1);
    caption->setVisible(field != Field::Hidden);
    box->setVisible(field != Field::Hidden);
    m_fields << box;
    return box;
}

void EditBox::addButtons(const QString& confirmName, const QString& confirmCaption,
                         const QString& cancelName) {
    m_confirm = console::button(this, confirmName, confirmCaption);
    m_cancel = console::button(this, cancelName, QStringLiteral("取消"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_confirm);
    row->addWidget(m_cancel);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(m_cancel, &QPushButton::clicked, this, &QWidget::hide);
}

void EditBox::open(const QStringList& values) {
    for (int i = 0; i < m_fields.size(); ++i)
        m_fields[i]->setText(values.value(i));
    showOverPage();
}

void EditBox::showOverPage() {
    const QWidget* page = parentWidget();
    const QSize size = sizeHint().boundedTo(page->size());
    setGeometry(page->width() - size.width() - 8, (page->height() - size.height()) / 2,
                size.width(), size.height());
    show();
    raise();
}

} // namespace ordalis
