// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnsavedWork.h"

#include "common/Dialogs.h"

#include <QLabel>
#include <QSet>
#include <algorithm>

namespace ordalis {

namespace {

const QString KeptMeanwhile = QStringLiteral(
    "在写入成功之前，成绩和点名记录都保留在本窗口中，程序会自动重试保存；请不要关闭程序，"
    "或先用“导出”把成绩另存到别处。");

QString failureText(const QString& thing, const FileWrite& write, const QString& consequence) {
    return QStringLiteral("%1未能写入磁盘：%2。%3")
        .arg(thing, write.reasonWithFolder(), consequence);
}

} // namespace

UnsavedWork::UnsavedWork(QWidget* window, QLabel* mark)
    : QObject(mark)
    , m_window(window)
    , m_mark(mark) {
    m_mark->setText(QStringLiteral("⚠ 未保存"));
    m_mark->setStyleSheet(QStringLiteral("QLabel { color: #c00000; font-weight: bold; }"));
    m_mark->hide();
    m_retryTimer.setInterval(RetryMs);
    connect(&m_retryTimer, &QTimer::timeout, this, &UnsavedWork::retryAll);
}

void UnsavedWork::record(const QString& thing, const FileWrite& write, const Retry& retry) {
    if (write.ok()) {
        if (m_open.remove(write.path()) > 0)
            showMark();
        return;
    }
    const QString trouble = write.reasonWithFolder();
    const bool known = std::any_of(m_open.cbegin(), m_open.cend(), [&trouble](const Open& open) {
        return open.write.reasonWithFolder() == trouble;
    });
    m_open.insert(write.path(), {thing, write, retry});
    showMark();
    if (known)
        return;
    // Told once the write is over, so that no modal box opens in the middle of a save.
    if (m_toTell.isEmpty())
        QTimer::singleShot(0, this, &UnsavedWork::tellNewFailures);
    m_toTell << failureText(thing, write, KeptMeanwhile);
}

void UnsavedWork::tellNewFailures() {
    const QStringList texts = std::exchange(m_toTell, {});
    dialogs::showMessage(m_window, QStringLiteral("错误"), texts.join(QStringLiteral("\r\n\r\n")),
                         dialogs::Icon::Warning);
}

QStringList UnsavedWork::describe() const {
    QStringList lines;
    for (const Open& open : m_open)
        lines << open.thing + QStringLiteral("：") + open.write.reasonWithFolder();
    return lines;
}

void UnsavedWork::tellIfFailed(QWidget* window, const QString& thing, const FileWrite& write,
                               const QString& consequence) {
    if (!write.ok())
        dialogs::showMessage(window, QStringLiteral("错误"), failureText(thing, write, consequence),
                             dialogs::Icon::Warning);
}

void UnsavedWork::retryAll() {
    // A retry records its outcome, which may change the map under the loop. One retry writes
    // every file of its thing (the pending store's three, the logs): each is called once.
    const QMap<QString, Open> open = m_open;
    QSet<QString> retried;
    for (const Open& each : open) {
        if (!each.retry || retried.contains(each.thing))
            continue;
        retried.insert(each.thing);
        each.retry();
    }
}

void UnsavedWork::showMark() {
    m_mark->setVisible(!m_open.isEmpty());
    m_mark->setToolTip(QStringLiteral("以下内容尚未写入磁盘，程序会自动重试：\n") +
                       describe().join(u'\n'));
    if (m_open.isEmpty())
        m_retryTimer.stop();
    else if (!m_retryTimer.isActive())
        m_retryTimer.start();
}

} // namespace ordalis
