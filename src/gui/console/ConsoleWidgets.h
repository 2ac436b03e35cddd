// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The console's widgets are made with their object names, which tests and style sheets find
// them by; the lists select several lines at once.

#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace ordalis::console {

QPushButton* button(QWidget* parent, const QString& name, const QString& caption);
QLabel* label(QWidget* parent, const QString& name, const QString& caption);
// A status label: wraps its text, which the page's handlers overwrite.
QLabel* statusLabel(QWidget* parent, const QString& name, const QString& caption);
// Gives a status label its first caption back: what it said of another class or topic is
// no news about this one.
void resetStatus(QLabel* status);
QLineEdit* lineEdit(QWidget* parent, const QString& name);
QLineEdit* readOnlyLineEdit(QWidget* parent, const QString& name);
QLineEdit* passwordBox(QWidget* parent, const QString& name);
QPlainTextEdit* addBox(QWidget* parent, const QString& name);
QListWidget* multiList(QWidget* parent, const QString& name);
// An editable chooser whose text can be a word that is none of its items ("班级").
QComboBox* chooser(QWidget* parent, const QString& name, const QString& text);
// The chooser's items replaced, with no item chosen and the prompt as its text.
void refillChooser(QComboBox* box, const QStringList& items, const QString& prompt);

} // namespace ordalis::console
