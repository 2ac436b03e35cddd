// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatisticsPanel.h"

#include "common/EscapeKey.h"
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
    , m_standingsList(new QListWidget(this))
    , m_hint(new QLabel(QStringLiteral("双击列表项目可显示详细信息"), this))
    , m_backButton(new QPushButton(QStringLiteral("返回"), this)) {
    setObjectName(QStringLiteral("Frame8"));
    setAttribute(Qt::WA_StyledBackground);
    m_standingsList->setObjectName(QStringLiteral("List9"));
    m_standingsList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_hint->setObjectName(QStringLiteral("Label26"));
    m_backButton->setObjectName(QStringLiteral("Command28"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption(this, QStringLiteral("小组统计")));
    layout->addWidget(m_standingsList, 1);
    layout->addWidget(m_hint);
    layout->addLayout(backRow(m_backButton));

    connect(m_backButton, &QPushButton::clicked, this, &StatisticsPanel::back);
    onEscape(this, [this] { Q_EMIT back(); });
    connect(m_standingsList, &QListWidget::itemDoubleClicked, this, [this] {
        const QList<QListWidgetItem*> selected = m_standingsList->selectedItems();
        if (!selected.isEmpty())
            Q_EMIT detailRequested(selected.first()->text());
    });
}

void StatisticsPanel::fill(const QStringList& pendingLines, const GroupLists& groups) {
    m_standingsList->clear();
    for (const GroupStanding& standing : computeGroupStandings(pendingLines, groups))
        m_standingsList->addItem(standing.line());
}

GroupDetailPanel::GroupDetailPanel(QWidget* parent)
    : QWidget(parent)
    , m_placeLabel(new QLabel(this))
    , m_scoreLabel(new QLabel(this))
    , m_contributorsBox(new QLineEdit(this))
    , m_membersBox(new QLineEdit(this))
    , m_backButton(new QPushButton(QStringLiteral("返回"), this)) {
    setObjectName(QStringLiteral("Frame1"));
    setAttribute(Qt::WA_StyledBackground);
    m_placeLabel->setObjectName(QStringLiteral("Label22"));
    m_scoreLabel->setObjectName(QStringLiteral("Label23"));
    m_contributorsBox->setObjectName(QStringLiteral("Text7"));
    m_contributorsBox->setReadOnly(true);
    m_membersBox->setObjectName(QStringLiteral("Text12"));
    m_membersBox->setReadOnly(true);
    m_backButton->setObjectName(QStringLiteral("Command2"));
    QFont big = m_placeLabel->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    m_placeLabel->setFont(big);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("贡献者："), m_contributorsBox);
    form->addRow(QStringLiteral("组员："), m_membersBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_placeLabel);
    layout->addWidget(m_scoreLabel);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(backRow(m_backButton));

    connect(m_backButton, &QPushButton::clicked, this, &GroupDetailPanel::back);
}

void GroupDetailPanel::showStanding(const QString& line) {
    const StandingDetail detail = splitStandingLine(line);
    m_placeLabel->setText(detail.place);
    m_scoreLabel->setText(QStringLiteral("得分：") + detail.score);
    m_contributorsBox->setText(detail.contributors);
    m_membersBox->setText(detail.members);
}

} // namespace ordalis
