// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatisticsPanel.h"

#include "scoring/GroupStatistics.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ordalis {
namespace {

QLabel* caption(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QHBoxLayout* backRow(QPushButton* button) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    return row;
}

} // namespace

StatisticsPanel::StatisticsPanel(QWidget* parent)
    : QWidget(parent)
    , List9(new QListWidget(this))
    , Label26(new QLabel(QStringLiteral("双击列表项目可显示详细信息"), this))
    , Command28(new QPushButton(QStringLiteral("返回"), this)) {
    setObjectName(QStringLiteral("Frame8"));
    setAttribute(Qt::WA_StyledBackground);
    List9->setObjectName(QStringLiteral("List9"));
    List9->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Label26->setObjectName(QStringLiteral("Label26"));
    Command28->setObjectName(QStringLiteral("Command28"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption(this, QStringLiteral("小组统计")));
    layout->addWidget(List9, 1);
    layout->addWidget(Label26);
    layout->addLayout(backRow(Command28));

    connect(Command28, &QPushButton::clicked, this, &StatisticsPanel::back);
    connect(List9, &QListWidget::itemDoubleClicked, this, [this] {
        const QList<QListWidgetItem*> selected = List9->selectedItems();
        if (!selected.isEmpty())
            Q_EMIT detailRequested(selected.first()->text());
    });
}

void StatisticsPanel::fill(const QStringList& pendingLines, const GroupLists& groups) {
    List9->clear();
    for (const GroupStanding& standing : computeGroupStandings(pendingLines, groups))
        List9->addItem(standing.line());
}

GroupDetailPanel::GroupDetailPanel(QWidget* parent)
    : QWidget(parent)
    , Label22(new QLabel(this))
    , Label23(new QLabel(this))
    , Text7(new QLineEdit(this))
    , Text12(new QLineEdit(this))
    , Command2(new QPushButton(QStringLiteral("返回"), this)) {
    setObjectName(QStringLiteral("Frame1"));
    setAttribute(Qt::WA_StyledBackground);
    Label22->setObjectName(QStringLiteral("Label22"));
    Label23->setObjectName(QStringLiteral("Label23"));
    Text7->setObjectName(QStringLiteral("Text7"));
    Text7->setReadOnly(true);
    Text12->setObjectName(QStringLiteral("Text12"));
    Text12->setReadOnly(true);
    Command2->setObjectName(QStringLiteral("Command2"));
    QFont big = Label22->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    Label22->setFont(big);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("贡献者："), Text7);
    form->addRow(QStringLiteral("组员："), Text12);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label22);
    layout->addWidget(Label23);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(backRow(Command2));

    connect(Command2, &QPushButton::clicked, this, &GroupDetailPanel::back);
}

void GroupDetailPanel::showStanding(const QString& line) {
    const StandingDetail detail = splitStandingLine(line);
    Label22->setText(detail.place);
    Label23->setText(QStringLiteral("得分：") + detail.score);
    Text7->setText(detail.contributors);
    Text12->setText(detail.members);
}

} // namespace ordalis
