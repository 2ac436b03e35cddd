// SPDX-License-Identifier: GPL-3.0-or-later
#include "StandardsPage.h"

#include "console/ConsoleWidgets.h"
#include "console/EditBox.h"
#include "net/ServiceEndpoints.h"
#include "text/WireText.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace ordalis {

StandardsPage::StandardsPage(ConsoleActions& actions, std::function<QString()> scoreClass,
                             QWidget* parent)
    : StandardsPage(new StandardModel, actions, std::move(scoreClass), parent) {}

StandardsPage::StandardsPage(StandardModel* standards, ConsoleActions& actions,
                             std::function<QString()> scoreClass, QWidget* parent)
    : ServiceListPage(6, QStringLiteral("评分标准"),
                      {.chooser = QStringLiteral("Combo3"),
                       .chooserLabel = QStringLiteral("Label37"),
                       .chooserCaption = QStringLiteral("课题："),
                       .prompt = QStringLiteral("课题"),
                       .list = QStringLiteral("List5"),
                       .selectAll = QStringLiteral("Command34"),
                       .invert = QStringLiteral("Command33"),
                       .deleteButton = QStringLiteral("Command32"),
                       .saveButton = QStringLiteral("Command31"),
                       .status = QStringLiteral("Label38"),
                       .warning = QStringLiteral("[警告]删除标准不会影响已记录的积分！")},
                      {.selectFirst = QStringLiteral("请选择需要删除的标准！"),
                       .deletedUnit = QStringLiteral("条标准！")},
                      standards, actions, parent)
    , m_standards(standards)
    , m_scoreClass(std::move(scoreClass))
    , m_new(console::button(this, QStringLiteral("Command37"), QStringLiteral("新建")))
    , m_editBox(new EditBox(this, QStringLiteral("Frame6"), QStringLiteral("计分标准修改")))
    , m_newBox(new EditBox(this, QStringLiteral("Frame7"), QStringLiteral("新建标准"))) {
    topRow()->addWidget(m_new);
    m_new->setEnabled(false);

    m_editBox->addField(QStringLiteral("Label35"), QStringLiteral("所属课题:"),
                        QStringLiteral("Text21"), EditBox::Field::ReadOnly);
    m_id = m_editBox->addField(QStringLiteral("Label42"), QStringLiteral("ID:"),
                               QStringLiteral("Text25"), EditBox::Field::Hidden);
    m_text = m_editBox->addField(QStringLiteral("Label43"), QStringLiteral("标准:"),
                                 QStringLiteral("Text26"));
    m_score = m_editBox->addField(QStringLiteral("Label41"), QStringLiteral("计分:"),
                                  QStringLiteral("Text27"));
    m_editBox->addButtons(QStringLiteral("Command29"), QStringLiteral("修改"),
                          QStringLiteral("Command30"));
    buildNewBox();
    actions.gate().guard({m_editBox->confirmButton(), m_newBox->confirmButton()});

    connect(list(), &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const StandardLine& standard = m_standards->rows().at(index.row());
        m_editBox->open({chooser()->currentText(), standard.id, standard.text, standard.score});
    });
    connect(m_editBox->confirmButton(), &QPushButton::clicked, this, &StandardsPage::edit);
    connect(m_new, &QPushButton::clicked, this, &StandardsPage::openNewBox);
    connect(m_newBox->confirmButton(), &QPushButton::clicked, this, &StandardsPage::create);
}

void StandardsPage::buildNewBox() {
    // The topic and the existing standards span the score columns as well.
    QGridLayout* grid = m_newBox->grid();
    m_newTopic = console::lineEdit(m_newBox, QStringLiteral("Text28"));
    grid->addWidget(
        console::label(m_newBox, QStringLiteral("Label36"), QStringLiteral("所属课题：")), 0, 0);
    grid->addWidget(m_newTopic, 0, 1, 1, 3);
    m_existingStandards = new StandardModel(m_newBox);
    m_existing = rowTable(m_newBox, QStringLiteral("List6"), m_existingStandards);
    m_existing->horizontalHeader()->hide();
    m_existing->setMaximumHeight(72);
    grid->addWidget(
        console::label(m_newBox, QStringLiteral("Label40"), QStringLiteral("已有标准：")), 1, 0,
        Qt::AlignTop);
    grid->addWidget(m_existing, 1, 1, 1, 3);
    for (int i = 0; i < int(m_newTexts.size()); ++i) {
        const int row = grid->rowCount();
        m_newTexts[i] = console::lineEdit(m_newBox, QStringLiteral("txtNewScale_%1").arg(i));
        m_newScores[i] = console::lineEdit(m_newBox, QStringLiteral("txtNewScore_%1").arg(i));
        m_newScores[i]->setMaximumWidth(60);
        grid->addWidget(new QLabel(QStringLiteral("新标准%1：").arg(i + 1), m_newBox), row, 0);
        grid->addWidget(m_newTexts[i], row, 1);
        grid->addWidget(new QLabel(QStringLiteral("评分："), m_newBox), row, 2);
        grid->addWidget(m_newScores[i], row, 3);
    }
    m_newBox->addButtons(QStringLiteral("Command35"), QStringLiteral("确定"),
                         QStringLiteral("Command36"));
}

void StandardsPage::enter(const QStringList&, const QStringList& topics) {
    reset(topics);
    m_new->setEnabled(false);
}

QString StandardsPage::fetch(const QString& choice) {
    return m_actions.service().getScales(choice);
}

Expected<> StandardsPage::sendDeletions(const QString& deletionText) {
    return m_actions.service().deleteScales(m_actions.operationPassword(), chooser()->currentText(),
                                            deletionText);
}

void StandardsPage::choose() {
    ServiceListPage::choose();
    m_new->setEnabled(true);
}

void StandardsPage::deleteSelected() {
    ServiceListPage::deleteSelected();
    m_actions.showTopicStandards();
}

void StandardsPage::openNewBox() {
    m_newTopic->setText(chooser()->currentText());
    m_newTopic->setEnabled(false);
    m_existing->setEnabled(false);
    m_existingStandards->setRows(m_standards->rows());
    m_newBox->showOverPage();
    m_actions.showTopicStandards();
}

void StandardsPage::create() {
    if (!m_actions.guard())
        return;
    requests::StandardTexts texts;
    requests::StandardScores scores;
    QString everything;
    for (int i = 0; i < int(m_newTexts.size()); ++i) {
        // A filled score box shows the number that is sent; blanks count as empty.
        if (!m_newScores[i]->text().trimmed().isEmpty()) {
            m_newScores[i]->setText(console::numberText(m_newScores[i]->text()));
            scores[i] = leadingNumber(m_newScores[i]->text());
        }
        texts[i] = m_newTexts[i]->text();
        everything += texts[i] + (scores[i] ? m_newScores[i]->text() : QString());
    }
    if (everything.remove(u'\t').trimmed().isEmpty()) {
        m_actions.tell(QStringLiteral("提示"), QStringLiteral("至少填写一个标准或评分！"),
                       dialogs::Icon::Warning);
        return;
    }
    // A standard without a score would be stored as worth 0 without a word.
    for (int i = 0; i < int(m_newTexts.size()); ++i)
        if (!texts[i].trimmed().isEmpty() && !scores[i]) {
            m_actions.tell(QStringLiteral("提示"),
                           QStringLiteral("请填写标准“%1”的评分！").arg(texts[i].trimmed()),
                           dialogs::Icon::Warning);
            m_newScores[i]->setFocus();
            return;
        }
    if (!m_actions.namesFit(QStringList(texts.begin(), texts.end())))
        return;
    const QString topic = m_newTopic->text();
    m_actions.request(
        [&] {
            return m_actions.service().newScales(m_actions.operationPassword(), topic, texts,
                                                 scores);
        },
        {.status = status(),
         .successText = QStringLiteral("操作成功！"),
         .refusalText = QStringLiteral("操作失败！"),
         .beforeMessage =
             [this] {
                 m_actions.downloadRecord();
                 choose();
             },
         .afterMessage =
             [this] {
                 m_actions.showTopicStandards();
                 m_newBox->hide();
                 for (int i = 0; i < int(m_newTexts.size()); ++i) {
                     m_newTexts[i]->clear();
                     m_newScores[i]->clear();
                 }
             }});
}

void StandardsPage::edit() {
    if (!m_actions.namesFit({m_text->text()}))
        return;
    const QString className = m_scoreClass ? m_scoreClass() : QString();
    const QString id = m_id->text();
    const QString text = m_text->text();
    const double score = leadingNumber(m_score->text());
    m_actions.request(
        [&] {
            return m_actions.service().editScale(m_actions.operationPassword(), className, id, text,
                                                 score);
        },
        {.status = status(),
         .successText = QStringLiteral("修改成功！"),
         .refusalText = QStringLiteral("修改失败！"),
         .beforeMessage =
             [this] {
                 choose();
                 m_actions.downloadRecord();
             },
         .afterMessage =
             [this] {
                 m_actions.showTopicStandards();
                 m_editBox->hide();
             }});
}

} // namespace ordalis
