// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineEditPanel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ordalis {
namespace {

QLineEdit* box(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

LineEditPanel::LineEditPanel(QWidget* parent)
    : QWidget(parent)
    , txt_class(box(this, "txt_class"))
    , Text8(box(this, "Text8"))
    , Text9(box(this, "Text9"))
    , Text10(box(this, "Text10"))
    , Text14(box(this, "Text14"))
    , Command25(new QPushButton(QStringLiteral("确定"), this))
    , Command26(new QPushButton(QStringLiteral("取消"), this)) {
    setObjectName(QStringLiteral("Frame7"));
    setAttribute(Qt::WA_StyledBackground);
    Command25->setObjectName(QStringLiteral("Command25"));
    Command26->setObjectName(QStringLiteral("Command26"));

    auto* title = new QLabel(QStringLiteral("修改数据"), this);
    title->setObjectName(QStringLiteral("Frame7Caption"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("班级："), txt_class);
    form->addRow(QStringLiteral("姓名："), Text8);
    form->addRow(QStringLiteral("计分："), Text9);
    form->addRow(QStringLiteral("时间："), Text10);
    form->addRow(QStringLiteral("标准："), Text14);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command25);
    buttons->addWidget(Command26);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(Command25, &QPushButton::clicked, this, &LineEditPanel::confirmed);
    connect(Command26, &QPushButton::clicked, this, &LineEditPanel::cancelled);
}

void LineEditPanel::setLine(const QString& line) {
    const QStringList fields = line.split(u'\t');
    const QList<QLineEdit*> boxes{txt_class, Text8, Text9, Text10, Text14};
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(fields.value(i));
}

QString LineEditPanel::line() const {
    return QStringList{txt_class->text(), Text8->text(), Text9->text(), Text10->text(),
                       Text14->text()}
        .join(u'\t');
}

} // namespace ordalis
