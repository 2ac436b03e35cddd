// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages that keep a list of names and save it whole: classes, students and topics. Each
// has the list, an add box, delete and save buttons, a status label and a rename box; the
// pages differ in their texts, their requests and what follows a change.

#include "console/ConsoleActions.h"
#include "console/ConsolePage.h"

class QBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace ordalis {

class EditBox;

class NameListPage : public ConsolePage {
    Q_OBJECT
public:
    // Object names and fixed captions of a page's widgets.
    struct Names {
        QString list;
        QString addBox;
        QString addLabel;
        QString addCaption;
        QString addButton;
        QString deleteButton;
        QString saveButton;
        QString status;
        QString warning; // the status label's first caption
        QString renameBox;
        QString renameCaption;
        QString oldLabel;
        QString oldBox;
        QString newLabel;
        QString newBox;
        QString renameButton;
        QString cancelButton;
    };

    NameListPage(int index, const QString& caption, const Names& names,
                 const ConsoleActions::AddTexts& addTexts, ConsoleActions& actions,
                 QWidget* parent);

    QListWidget* list() const { return m_list; }
    QLabel* status() const { return m_status; }

Q_SIGNALS:
    void reenterRequested(); // the page switch, refilling the page from the new record

protected:
    // The list and the add box side by side, the buttons below; pages add rows and buttons.
    QBoxLayout* topRow() const { return m_topRow; }
    QBoxLayout* listButtons() const { return m_listButtons; }
    QBoxLayout* addButtons() const { return m_addButtons; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* saveButton() const { return m_save; }
    QPlainTextEdit* addBox() const { return m_addBox; }
    EditBox* renameBox() const { return m_renameBox; }

    // The page's two requests.
    virtual Expected<> sendList(const QStringList& names) = 0;
    virtual Expected<> sendRename(const QString& oldName, const QString& newName) = 0;
    virtual ConsoleActions::RecordAfterSave recordAfterSave() const {
        return ConsoleActions::RecordAfterSave::Shown;
    }
    // After a rename: the list refilled from the new record.
    virtual void refill() { Q_EMIT reenterRequested(); }
    // Whether the rename may be sent; the default refuses names the service cannot store.
    virtual bool renameAllowed(const QString& newName);
    virtual void add();
    virtual void deleteSelected() = 0;

    // The whole list sent; also run by adding and deleting. Whether the service stored it:
    // when not, the list shows the service's names again, the lines of `reselect` (those the
    // teacher deleted) selected for a second try.
    bool save(const QStringList& reselect = {});
    void rename();

private:
    ConsoleActions::AddTexts m_addTexts;
    QListWidget* m_list;
    QPlainTextEdit* m_addBox;
    QPushButton* m_add;
    QPushButton* m_delete;
    QPushButton* m_save;
    QLabel* m_status;
    EditBox* m_renameBox;
    QLineEdit* m_oldName;
    QLineEdit* m_newName;
    QBoxLayout* m_topRow;
    QBoxLayout* m_listButtons;
    QBoxLayout* m_addButtons;
};

} // namespace ordalis
