// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackupWindow.h"

#include "common/Dialogs.h"
#include "common/EscapeKey.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ordalis {
namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(QLatin1String(name));
    result->setMinimumHeight(34);
    return result;
}

// "2026-12-09 08:15（恢复前）　2 个班级，80 名学生，1234 个成绩　本机"
QString entryLine(const BackupEntry& entry) {
    QString when = entry.name.shownTime();
    if (entry.name.occasion == BackupOccasion::BeforeRestore)
        when += QStringLiteral("（恢复前）");
    else if (entry.name.occasion == BackupOccasion::BeforeUpgrade)
        when += QStringLiteral("（升级前）");
    const QString contents = entry.contents ? QStringLiteral("%1 个班级，%2 名学生，%3 个成绩")
                                                  .arg(entry.contents->classes)
                                                  .arg(entry.contents->students)
                                                  .arg(entry.contents->scores)
                                            : QStringLiteral("无法读取");
    const QString where =
        entry.inSecondFolder ? QStringLiteral("第二备份位置") : QStringLiteral("本机");
    return QStringLiteral("%1　%2　%3").arg(when, contents, where);
}

} // namespace

BackupWindow::BackupWindow(Backups& backups, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_backups(backups)
    , m_list(new QListWidget(this))
    , m_secondFolder(new QLabel(this))
    , m_status(new QLabel(this))
    , m_chooseFolderButton(button(this, "btnSecondFolder", QStringLiteral("选择第二备份位置…")))
    , m_forgetFolderButton(button(this, "btnNoSecondFolder", QStringLiteral("不用第二备份位置")))
    , m_backupButton(button(this, "btnBackupNow", QStringLiteral("立即备份")))
    , m_restoreButton(button(this, "btnRestore", QStringLiteral("恢复")))
    , m_closeButton(button(this, "btnClose", QStringLiteral("关闭"))) {
    setObjectName(QStringLiteral("frmBackup"));
    setWindowTitle(QStringLiteral("备份与恢复"));
    // While it is open no login changes the data a restore replaces.
    setWindowModality(Qt::ApplicationModal);
    m_list->setObjectName(QStringLiteral("lstBackups"));
    m_list->setMinimumSize(560, 260);
    m_secondFolder->setObjectName(QStringLiteral("lblSecondFolder"));
    m_status->setObjectName(QStringLiteral("lblStatus"));
    auto* hint = new QLabel(
        QStringLiteral("每天第一次启动时自动备份一次，保留最近 7 天、4 周和 12 个月的备份。"),
        this);
    hint->setWordWrap(true);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(m_secondFolder, 1);
    folderRow->addWidget(m_chooseFolderButton);
    folderRow->addWidget(m_forgetFolderButton);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_backupButton);
    buttons->addWidget(m_restoreButton);
    buttons->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addWidget(hint);
    layout->addWidget(m_list, 1);
    layout->addLayout(folderRow);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, &BackupWindow::updateButtons);
    connect(m_chooseFolderButton, &QPushButton::clicked, this, &BackupWindow::chooseSecondFolder);
    connect(m_forgetFolderButton, &QPushButton::clicked, this, &BackupWindow::forgetSecondFolder);
    connect(m_backupButton, &QPushButton::clicked, this, &BackupWindow::backUpNow);
    connect(m_restoreButton, &QPushButton::clicked, this, &BackupWindow::restoreChosen);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);
    onEscape(this, [this] { close(); });
    connect(&m_backups, &Backups::backedUp, this, [this](const QString& file) {
        m_status->setText(file.isEmpty()
                              ? QStringLiteral("备份失败。")
                              : QStringLiteral("已备份：%1").arg(QFileInfo(file).fileName()));
        refresh();
    });
    connect(&m_backups, &Backups::restored, this, [this](bool done, const QString& message) {
        m_restoring = false;
        m_status->setText(done ? QStringLiteral("已恢复。") : QStringLiteral("没有恢复。"));
        refresh();
        dialogs::showMessage(this, QStringLiteral("恢复"), message,
                             done ? dialogs::Icon::Information : dialogs::Icon::Critical);
    });
}

void BackupWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The day's copy may be at work still.
    m_status->setText(m_backups.isBusy() ? QStringLiteral("正在备份…") : QString());
    refresh();
}

void BackupWindow::closeEvent(QCloseEvent* event) {
    if (m_restoring)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void BackupWindow::refresh() {
    const QString chosen = m_entries.value(m_list->currentRow()).file;
    m_entries = m_backups.list();
    m_list->clear();
    for (const BackupEntry& entry : std::as_const(m_entries))
        m_list->addItem(entryLine(entry));
    const auto again = std::find_if(m_entries.cbegin(), m_entries.cend(),
                                    [&chosen](const BackupEntry& e) { return e.file == chosen; });
    m_list->setCurrentRow(again != m_entries.cend() ? int(again - m_entries.cbegin()) : 0);
    const QString second = m_backups.secondFolder();
    m_secondFolder->setText(
        QStringLiteral("第二备份位置：%1")
            .arg(second.isEmpty() ? QStringLiteral("未选择") : QDir::toNativeSeparators(second)));
    updateButtons();
}

void BackupWindow::updateButtons() {
    const bool idle = !m_backups.isBusy();
    const int row = m_list->currentRow();
    m_backupButton->setEnabled(idle);
    m_restoreButton->setEnabled(idle && row >= 0 && m_entries.value(row).contents.has_value());
    m_forgetFolderButton->setEnabled(!m_backups.secondFolder().isEmpty());
    m_closeButton->setEnabled(!m_restoring);
}

void BackupWindow::chooseSecondFolder() {
    const QString folder = dialogs::chooseFolder(this, QStringLiteral("选择第二备份位置"));
    if (folder.isEmpty())
        return;
    m_backups.setSecondFolder(folder);
    refresh();
}

void BackupWindow::forgetSecondFolder() {
    m_backups.setSecondFolder(QString());
    refresh();
}

void BackupWindow::backUpNow() {
    m_backups.backUpNow();
    m_status->setText(QStringLiteral("正在备份…"));
    updateButtons();
}

void BackupWindow::restoreChosen() {
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_entries.size())
        return;
    const BackupEntry entry = m_entries.at(row);
    const QString question =
        QStringLiteral("用 %1 的备份替换现在的全部数据吗？\n现在的数据会先另存为一个备份；"
                       "恢复后请重新登录。")
            .arg(entry.name.shownTime());
    if (!dialogs::askYesNo(this, QStringLiteral("恢复"), question, dialogs::Icon::Warning))
        return;
    m_restoring = true;
    m_backups.restore(entry.file);
    m_status->setText(QStringLiteral("正在恢复…"));
    updateButtons();
}

} // namespace ordalis
