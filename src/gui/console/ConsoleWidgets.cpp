// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleWidgets.h"

#include "common/StarEcho.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ordalis::console {

namespace {

template <typename W> W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

QPushButton* button(QWidget* parent, const QString& name, const QString& caption) {
    auto* result = named(new QPushButton(caption, parent), name);
    result->setMinimumHeight(28);
    return result;
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption) {
    return named(new QLabel(caption, parent), name);
}

QLabel* statusLabel(QWidget* parent, const QString& name, const QString& caption) {
    QLabel* result = label(parent, name, caption);
    result->setWordWrap(true);
    result->setProperty("status", true);
    result->setProperty("caption", caption);
    return result;
}

void resetStatus(QLabel* status) {
    status->setText(status->property("caption").toString());
}

QLineEdit* lineEdit(QWidget* parent, const QString& name) {
    return named(new QLineEdit(parent), name);
}

QLineEdit* readOnlyLineEdit(QWidget* parent, const QString& name) {
    QLineEdit* result = lineEdit(parent, name);
    result->setReadOnly(true);
    return result;
}

QLineEdit* passwordBox(QWidget* parent, const QString& name) {
    QLineEdit* result = lineEdit(parent, name);
    echoStars(result);
    return result;
}

QPlainTextEdit* addBox(QWidget* parent, const QString& name) {
    auto* result = named(new QPlainTextEdit(parent), name);
    result->setLineWrapMode(QPlainTextEdit::NoWrap);
    return result;
}

QListWidget* multiList(QWidget* parent, const QString& name) {
    auto* result = named(new QListWidget(parent), name);
    result->setSelectionMode(QAbstractItemView::MultiSelection);
    result->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return result;
}

QComboBox* chooser(QWidget* parent, const QString& name, const QString& text) {
    auto* result = named(new QComboBox(parent), name);
    result->setEditable(true);
    result->setInsertPolicy(QComboBox::NoInsert);
    result->setEditText(text);
    return result;
}

void refillChooser(QComboBox* box, const QStringList& items, const QString& prompt) {
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setEditText(prompt);
}

} // namespace ordalis::console
