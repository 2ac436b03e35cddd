// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages whose list the service sends for the item chosen above it: the scores of a class
// and the standards of a topic. Lines are deleted by their identifiers, which wait as the
// pending deletions until they are sent. A deletion the service does not store leaves the
// list read again, the lines still selected for a second try.

#include "console/ConsoleActions.h"
#include "console/ConsolePage.h"

class QBoxLayout;
class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace ordalis {

class EditBox;
class RowModel;

class ServiceListPage : public ConsolePage {
    Q_OBJECT
public:
    struct Names {
        QString chooser;
        QString chooserLabel;
        QString chooserCaption;
        QString prompt; // the chooser's text before a choice
        QString list;
        QString selectAll;
        QString invert;
        QString deleteButton;
        QString saveButton;
        QString status;
        QString warning;
    };
    struct Texts {
        QString selectFirst; // nothing selected
        QString deletedUnit; // after "已删除" and the count
    };

    // The list shows the rows of `model`, which the page takes over.
    ServiceListPage(int index, const QString& caption, const Names& names, const Texts& texts,
                    RowModel* model, ConsoleActions& actions, QWidget* parent);

    QComboBox* chooser() const { return m_chooser; }
    QTableView* list() const { return m_list; }
    QLabel* status() const { return m_status; }

protected:
    QBoxLayout* topRow() const { return m_topRow; }
    // Fills the chooser with the items, the prompt as its text; the list emptied.
    void reset(const QStringList& items);

    // The chosen item's lines, read from the service.
    virtual QString fetch(const QString& choice) = 0;
    virtual Expected<> sendDeletions(const QString& deletionText) = 0;
    // The list fetched anew for the chooser's text; the pending deletions emptied.
    virtual void choose();
    virtual void deleteSelected();
    // The pending deletions sent; also run by deleting. Whether the service stored them;
    // showStored runs when not.
    bool sendPending(const std::function<void()>& showStored);

private:
    void selectIds(const QStringList& ids);

    Texts m_texts;
    QString m_prompt;
    QComboBox* m_chooser;
    RowModel* m_model;
    QTableView* m_list;
    QLabel* m_status;
    QBoxLayout* m_topRow;
    QString m_pending; // "|15|12"
};

} // namespace ordalis
