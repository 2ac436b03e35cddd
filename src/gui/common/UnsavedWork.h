// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program could not write to disk yet (a full disk, a read-only folder): each thing
// is told to the teacher once, when its write first fails, in Chinese with where and why; it
// stays marked in the status bar until a write of it succeeds, and a timer retries it
// meanwhile. What is kept stays in memory all that time.

#include "session/FileWrite.h"

#include <QMap>
#include <QObject>
#include <QTimer>
#include <functional>

class QLabel;
class QWidget;

namespace ordalis {

class UnsavedWork : public QObject {
    Q_OBJECT

public:
    static constexpr int RetryMs = 10000;
    using Retry = std::function<void()>;

    // The message boxes open over `window`; `mark` (a label of its status bar) shows while
    // anything is unsaved, its tooltip saying what and why.
    UnsavedWork(QWidget* window, QLabel* mark);

    // The outcome of writing `thing` (「待上传的成绩」) to its file: a success takes the file's
    // mark away; a failure marks it, and `retry` is called by the timer until a write of the
    // file succeeds. The teacher is told once for each trouble (a folder and why): the other
    // files a full disk refuses meanwhile are only marked.
    void record(const QString& thing, const FileWrite& write, const Retry& retry);
    bool isEmpty() const { return m_open.isEmpty(); }
    // What is unsaved, with the reason: 「待上传的成绩：磁盘空间不足（/home/…/Ordalis）」.
    QStringList describe() const;

    // One write that nothing retries (a setting, a downloaded file): told when it failed.
    static void tellIfFailed(QWidget* window, const QString& thing, const FileWrite& write,
                             const QString& consequence);

private:
    void retryAll();
    void showMark();
    void tellNewFailures();

    struct Open {
        QString thing;
        FileWrite write;
        Retry retry;
    };
    QWidget* m_window;
    QLabel* m_mark;
    QMap<QString, Open> m_open; // by the file's path
    QStringList m_toTell;       // failures of this moment, told together in one box
    QTimer m_retryTimer;
};

} // namespace ordalis
