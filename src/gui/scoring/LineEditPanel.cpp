// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineEditPanel.h"

#include "wire/ScoreLine.h"

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
    , m_classBox(box(this, "txt_class"))
    , m_studentBox(box(this, "Text8"))
    , m_scoreBox(box(this, "Text9"))
    , m_timeBox(box(this, "Text10"))
    , m_standardBox(box(this, "Text14"))
    , m_confirmButton(new QPushButton(QStringLiteral("确定"), this))
    , m_cancelButton(new QPushButton(QStringLiteral("取消"), this)) {
    setObjectName(QStringLiteral("Frame7"));
    setAttribute(Qt::WA_StyledBackground);
    m_confirmButton->setObjectName(QStringLiteral("Command25"));
    m_cancelButton->setObjectName(QStringLiteral("Command26"));

    auto* title = new QLabel(QStringLiteral("修改数据"), this);
    title->setObjectName(QStringLiteral("Frame7Caption"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("班级："), m_classBox);
    form->addRow(QStringLiteral("姓名："), m_studentBox);
    form->addRow(QStringLiteral("计分："), m_scoreBox);
    form->addRow(QStringLiteral("时间："), m_timeBox);
    form->addRow(QStringLiteral("标准："), m_standardBox);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_confirmButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_confirmButton, &QPushButton::clicked, this, &LineEditPanel::confirmed);
    connect(m_cancelButton, &QPushButton::clicked, this, &LineEditPanel::cancelled);
}

void LineEditPanel::setLine(const QString& line) {
    const ScoreLine score = ScoreLine::fromText(line);
    m_classBox->setText(score.className);
    m_studentBox->setText(score.student);
    m_scoreBox->setText(score.score);
    m_timeBox->setText(score.time);
    m_standardBox->setText(score.standard);
}

QString LineEditPanel::line() const {
    return ScoreLine{m_classBox->text(), m_studentBox->text(), m_scoreBox->text(),
                     m_timeBox->text(), m_standardBox->text()}
        .toText();
}

} // namespace ordalis
