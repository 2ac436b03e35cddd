// SPDX-License-Identifier: GPL-3.0-or-later
#include "StudentsPage.h"

#include "console/ConsoleWidgets.h"
#include "console/RosterFile.h"
#include "console/RosterImportDialog.h"
#include "net/ServiceEndpoints.h"
#include "record/TeacherRecord.h"
#include "sheets/SheetFile.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ordalis {

namespace {

const QString ClassPrompt = QStringLiteral("班级");
const QString ImportedText = QStringLiteral("已成功导入，请检查后点击添加！");

} // namespace

StudentsPage::StudentsPage(ConsoleActions& actions, QWidget* parent)
    : NameListPage(2, QStringLiteral("学生管理"),
                   {.list = QStringLiteral("List1"),
                    .addBox = QStringLiteral("Text1"),
                    .addLabel = QStringLiteral("Label3"),
                    .addCaption = QStringLiteral("添加学生请输入或者导入，然后添加"),
                    .addButton = QStringLiteral("Command1"),
                    .deleteButton = QStringLiteral("Command6"),
                    .saveButton = QStringLiteral("Command8"),
                    .status = QStringLiteral("Label2"),
                    .warning = QStringLiteral("[警告]删除学生后，计分信息将被同时清除！"),
                    .renameBox = QStringLiteral("Frame3"),
                    .renameCaption = QStringLiteral("学生改名"),
                    .oldLabel = QStringLiteral("Label28"),
                    .oldBox = QStringLiteral("Text14"),
                    .newLabel = QStringLiteral("Label27"),
                    .newBox = QStringLiteral("Text15"),
                    .renameButton = QStringLiteral("Command21"),
                    .cancelButton = QStringLiteral("Command20")},
                   {.nothingToAdd = QStringLiteral("没有需要添加的学生！"),
                    .addedUnit = QStringLiteral("名学生！"),
                    .duplicatesText = QStringLiteral("名学生存在，被忽略！")},
                   actions, parent)
    , m_classes(console::chooser(this, QStringLiteral("Combo2"), ClassPrompt))
    , m_import(console::button(this, QStringLiteral("Command5"), QStringLiteral("导入")))
    , m_selectAll(console::button(this, QStringLiteral("Command2"), QStringLiteral("全选")))
    , m_invert(console::button(this, QStringLiteral("Command3"), QStringLiteral("反选"))) {
    topRow()->addWidget(m_classes, 1);
    listButtons()->insertWidget(0, m_selectAll);
    listButtons()->insertWidget(1, m_invert);
    addButtons()->insertWidget(1, m_import);
    enableButtons(false);

    connect(m_classes, &QComboBox::activated, this, &StudentsPage::chooseClass);
    connect(m_import, &QPushButton::clicked, this, &StudentsPage::import);
    connect(m_selectAll, &QPushButton::clicked, this, [this] {
        status()->clear();
        ConsoleActions::selectAll(list());
        status()->setText(QStringLiteral("成功选择了%1个学生！").arg(list()->count()));
    });
    connect(m_invert, &QPushButton::clicked, this, [this] {
        status()->clear();
        ConsoleActions::invertSelection(list());
        status()->setText(QStringLiteral("成功反向选择了%1个学生！").arg(list()->count()));
    });
}

void StudentsPage::enableButtons(bool enabled) {
    for (QPushButton* button :
         {addButton(), m_selectAll, m_invert, m_import, deleteButton(), saveButton()})
        button->setEnabled(enabled);
}

void StudentsPage::enter(const QStringList& classes, const QStringList&) {
    console::refillChooser(m_classes, classes, ClassPrompt);
    list()->clear();
    console::resetStatus(status());
    enableButtons(false);
}

void StudentsPage::chooseClass() {
    list()->clear();
    console::resetStatus(status());
    const ClassRoster roster =
        TeacherRecord(m_actions.folder().recordFile()).readClassRoster(m_classes->currentText());
    for (const StudentEntry& student : roster.students)
        list()->addItem(student.name);
    enableButtons(true);
}

void StudentsPage::import() {
    addBox()->clear();
    const QString fileName = m_actions.openFileName(
        QStringLiteral("打开"),
        QStringLiteral("名单(*.xlsx *.ods *.csv *.txt)|*.xlsx;*.ods;*.csv;*.txt|"
                       "Txt Files(*.txt)|*.txt|All Files(*.*)|*.*"));
    if (!fileName.isEmpty() && sheets::isSpreadsheetFile(fileName)) {
        importSheet(fileName);
        return;
    }
    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    addBox()->setPlainText(console::rosterFileLines(file.readAll()).join(u'\n'));
    if (!addBox()->toPlainText().isEmpty())
        status()->setText(ImportedText);
}

void StudentsPage::importSheet(const QString& fileName) {
    sheets::Workbook workbook = sheets::readSheetFile(fileName);
    if (!workbook) {
        m_actions.tell(QStringLiteral("提示"), workbook.why(), dialogs::Icon::Warning);
        return;
    }
    // Opened without waiting, like the page itself: the names arrive when the teacher says so.
    auto* preview =
        new RosterImportDialog(std::move(workbook).value(), ConsoleActions::lines(list()), this);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    connect(preview, &QDialog::accepted, this, [this, preview] {
        addBox()->setPlainText(preview->names().join(u'\n'));
        status()->setText(ImportedText);
    });
    preview->open();
}

Expected<> StudentsPage::sendList(const QStringList& names) {
    return m_actions.service().setStudents(m_actions.operationPassword(), m_classes->currentText(),
                                           names);
}

Expected<> StudentsPage::sendRename(const QString& oldName, const QString& newName) {
    return m_actions.service().renameStudent(m_actions.operationPassword(), oldName, newName,
                                             m_classes->currentText());
}

void StudentsPage::deleteSelected() {
    if (!m_actions.guard())
        return;
    const QStringList removed = ConsoleActions::removeSelected(list());
    if (removed.isEmpty()) {
        status()->setText(QStringLiteral("请选择需要删除的学生"));
        return;
    }
    if (save(removed))
        status()->setText(m_actions.withRestoreNote(status()->text()));
}

} // namespace ordalis
