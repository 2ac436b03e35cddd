// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes and file dialogs of the whole program. Tests switch them to scripted mode, in
// which nothing modal opens: messages are recorded, questions and file dialogs take the answers
// queued beforehand (like KeePassXC's setNextAnswer/setNextFileName).

#include <QList>
#include <QString>

class QWidget;

namespace ordalis::dialogs {

enum class Icon { None, Information, Warning, Critical };

void showMessage(QWidget* parent, const QString& title, const QString& text, Icon icon);
// The same without waiting for the teacher: the box stays open beside the windows, which go on
// taking clicks, until it is closed (object name "Notice").
void showNotice(QWidget* parent, const QString& title, const QString& text, Icon icon);
// Yes/No question; true for Yes.
bool askYesNo(QWidget* parent, const QString& title, const QString& text, Icon icon = Icon::None);
// Filters are written "Description(*.ext)|*.ext|All Files(*.*)|*.*"; an empty result means
// the teacher cancelled.
QString openFileName(QWidget* parent, const QString& title, const QString& filter);
// suggested: the file name the save dialog proposes, if any.
QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                     const QString& suggested = {});

// An existing folder; empty when the teacher cancelled.
QString chooseFolder(QWidget* parent, const QString& title);

// "A(*.a)|*.a|B(*.*)|*.*" as a Qt filter "A(*.a);;B(*.*)".
QString toQtFilter(const QString& filter);

// ---- scripted mode, for tests ----
struct ShownMessage {
    QString title;
    QString text;
    Icon icon;
};
void setScripted(bool scripted);
void setNextAnswer(bool yes);              // consumed by the next askYesNo
void setNextFileName(const QString& path); // consumed by the next file or folder dialog
QList<ShownMessage> takeShownMessages();   // messages, notices and questions since last call
QStringList takeFileDialogTitles();        // titles of the file dialogs shown since last call

} // namespace ordalis::dialogs
