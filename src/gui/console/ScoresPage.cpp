// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoresPage.h"

#include "console/EditBox.h"
#include "net/ServiceEndpoints.h"
#include "text/WireText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace ordalis {

ScoresPage::ScoresPage(ConsoleActions& actions, QWidget* parent)
    : ScoresPage(new ScoreModel, actions, parent) {}

ScoresPage::ScoresPage(ScoreModel* scores, ConsoleActions& actions, QWidget* parent)
    : ServiceListPage(3, QStringLiteral("计分管理"),
                      {.chooser = QStringLiteral("Combo1"),
                       .chooserLabel = QStringLiteral("Label56"),
                       .chooserCaption = QStringLiteral("选择班级："),
                       .prompt = QStringLiteral("班级"),
                       .list = QStringLiteral("List3"),
                       .selectAll = QStringLiteral("Command17"),
                       .invert = QStringLiteral("Command16"),
                       .deleteButton = QStringLiteral("Command15"),
                       .saveButton = QStringLiteral("Command7"),
                       .status = QStringLiteral("Label16"),
                       .warning = QStringLiteral("[警告]计分信息删除后不可恢复！")},
                      {.selectFirst = QStringLiteral("请选择需要删除的计分！"),
                       .deletedUnit = QStringLiteral("条计分！")},
                      scores, actions, parent)
    , m_scores(scores)
    , m_editBox(new EditBox(this, QStringLiteral("Frame4"), QStringLiteral("计分修改")))
    , m_id(m_editBox->addField(QStringLiteral("Label30"), QStringLiteral("ID:"),
                               QStringLiteral("Text16"), EditBox::Field::Hidden)) {
    m_editBox->addField(QStringLiteral("Label29"), QStringLiteral("姓名:"),
                        QStringLiteral("Text17"), EditBox::Field::ReadOnly);
    m_score = m_editBox->addField(QStringLiteral("Label31"), QStringLiteral("计分:"),
                                  QStringLiteral("Text18"));
    m_time = m_editBox->addField(QStringLiteral("Label32"), QStringLiteral("时间:"),
                                 QStringLiteral("Text19"));
    m_topic = m_editBox->addField(QStringLiteral("Label33"), QStringLiteral("课题:"),
                                  QStringLiteral("Text20"));
    m_remark = m_editBox->addField(QStringLiteral("Label39"), QStringLiteral("说明:"),
                                   QStringLiteral("Text24"));
    m_editBox->addButtons(QStringLiteral("Command23"), QStringLiteral("修改"),
                          QStringLiteral("Command22"));
    actions.gate().guard(m_editBox->confirmButton());

    connect(list(), &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        const ScoreRecord& score = m_scores->rows().at(index.row());
        m_editBox->open(
            {score.id, score.student, score.value, score.time, score.topic, score.standard});
    });
    connect(m_editBox->confirmButton(), &QPushButton::clicked, this, &ScoresPage::edit);
}

void ScoresPage::enter(const QStringList& classes, const QStringList&) {
    reset(classes);
}

QString ScoresPage::fetch(const QString& choice) {
    return m_actions.service().getScores(choice);
}

Expected<> ScoresPage::sendDeletions(const QString& deletionText) {
    return m_actions.service().deleteScores(m_actions.operationPassword(), chooser()->currentText(),
                                            deletionText);
}

void ScoresPage::edit() {
    const std::optional<qint32> time = readWireTime(m_time->text());
    if (!time) {
        m_actions.tell(
            QStringLiteral("提示"),
            QStringLiteral("时间“%1”不是可以识别的日期，请按“2013-03-15 08:00:00”的格式填写！")
                .arg(m_time->text()),
            dialogs::Icon::Warning);
        return;
    }
    if (!m_actions.namesFit({m_topic->text(), m_remark->text()}))
        return;
    const QString className = chooser()->currentText();
    const QString id = m_id->text();
    const double score = leadingNumber(m_score->text());
    const QString topic = m_topic->text();
    const QString remark = m_remark->text();
    m_actions.request(
        [&] {
            return m_actions.service().editScore(m_actions.operationPassword(), className, id,
                                                 score, *time, topic, remark);
        },
        {.status = status(),
         .successText = QStringLiteral("修改成功！"),
         .refusalText = QStringLiteral("修改失败！"),
         .beforeMessage = [this] { choose(); },
         .afterMessage = [this] { m_editBox->hide(); }});
}

} // namespace ordalis
