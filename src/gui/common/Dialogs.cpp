// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialogs.h"

#include "common/FileDialog.h"
#include "common/WindowPlace.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QQueue>
#include <QShowEvent>

namespace ordalis::dialogs {
namespace {

struct Script {
    bool scripted = false;
    QQueue<bool> answers;
    QQueue<QString> fileNames;
    QList<ShownMessage> shown;
    QStringList fileDialogTitles;
};

Script& script() {
    static Script instance;
    return instance;
}

QMessageBox::Icon toQt(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Qt centres a box over its parent by the insides of both, before the window manager has told
// the box's frame: the box comes up a title bar too low. Once Qt sized it, the frames decide.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        if (parentWidget() != nullptr && !event->spontaneous())
            placeOver(this, parentWidget());
    }
};

// A box as wide as its title needs: a window manager cuts the title of a narrow box ("Success!")
// down to "…".
std::unique_ptr<QMessageBox> messageBox(QWidget* parent, Icon icon, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons) {
    auto box = std::make_unique<CentredMessageBox>(toQt(icon), title, text, buttons, parent);
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        // The title bar's own buttons and margins take about this much beside the text.
        constexpr int TitleBarExtra = 160;
        const int width = box->fontMetrics().horizontalAdvance(title) + TitleBarExtra;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

QString scriptedFileName(const QString& title) {
    script().fileDialogTitles << title;
    return script().fileNames.isEmpty() ? QString() : script().fileNames.dequeue();
}

QString chooseFile(QWidget* parent, const QString& title, const QString& filter,
                   QFileDialog::AcceptMode mode, const QString& suggested = {}) {
    const auto dialog = makeFileDialog(parent, title, toQtFilter(filter), mode);
    if (!suggested.isEmpty())
        dialog->selectFile(suggested);
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
}

} // namespace

void showMessage(QWidget* parent, const QString& title, const QString& text, Icon icon) {
    if (script().scripted) {
        script().shown << ShownMessage{title, text, icon};
        return;
    }
    messageBox(parent, icon, title, text, QMessageBox::Ok)->exec();
}

void showNotice(QWidget* parent, const QString& title, const QString& text, Icon icon) {
    if (script().scripted) {
        script().shown << ShownMessage{title, text, icon};
        return;
    }
    QMessageBox* box = messageBox(parent, icon, title, text, QMessageBox::Ok).release();
    box->setObjectName(QStringLiteral("Notice"));
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

bool askYesNo(QWidget* parent, const QString& title, const QString& text, Icon icon) {
    if (script().scripted) {
        script().shown << ShownMessage{title, text, icon};
        return script().answers.isEmpty() ? false : script().answers.dequeue();
    }
    return messageBox(parent, icon, title, text, QMessageBox::Yes | QMessageBox::No)->exec() ==
           QMessageBox::Yes;
}

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList descriptions;
    for (int i = 0; i < parts.size(); i += 2)
        descriptions << parts.at(i);
    return descriptions.join(QStringLiteral(";;"));
}

QString openFileName(QWidget* parent, const QString& title, const QString& filter) {
    if (script().scripted)
        return scriptedFileName(title);
    return chooseFile(parent, title, filter, QFileDialog::AcceptOpen);
}

QString saveFileName(QWidget* parent, const QString& title, const QString& filter,
                     const QString& suggested) {
    if (script().scripted)
        return scriptedFileName(title);
    return chooseFile(parent, title, filter, QFileDialog::AcceptSave, suggested);
}

QString chooseFolder(QWidget* parent, const QString& title) {
    if (script().scripted)
        return scriptedFileName(title);
    const auto dialog = makeFileDialog(parent, title, QString(), QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
}

void setScripted(bool scripted) {
    script() = Script{};
    script().scripted = scripted;
}

void setNextAnswer(bool yes) {
    script().answers.enqueue(yes);
}

void setNextFileName(const QString& path) {
    script().fileNames.enqueue(path);
}

QList<ShownMessage> takeShownMessages() {
    return std::exchange(script().shown, {});
}

QStringList takeFileDialogTitles() {
    return std::exchange(script().fileDialogTitles, {});
}

} // namespace ordalis::dialogs
