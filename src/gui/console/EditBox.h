// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A page's edit box: a captioned frame, hidden at first, with labelled text boxes, a button
// that sends the change and "取消", which hides it without sending anything. It opens over
// the page's right side, filled from the line the teacher double-clicked.

#include <QGroupBox>
#include <QList>

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace ordalis {

class EditBox : public QGroupBox {
    Q_OBJECT
public:
    EditBox(QWidget* page, const QString& name, const QString& caption);

    enum class Field {
        Editable,
        ReadOnly, // shown, for what the change is about
        Hidden,   // a row id the change sends, of no meaning to the teacher
    };
    // A row of the box: its label and its text box.
    QLineEdit* addField(const QString& labelName, const QString& label, const QString& boxName,
                        Field field = Field::Editable);
    // The grid the rows go into, for boxes with rows of their own.
    QGridLayout* grid() const { return m_grid; }
    // The two buttons, below the rows; the cancel button hides the box.
    void addButtons(const QString& confirmName, const QString& confirmCaption,
                    const QString& cancelName);
    QPushButton* confirmButton() const { return m_confirm; }
    QPushButton* cancelButton() const { return m_cancel; }

    // Fills the text boxes in order (missing values leave a box empty) and shows the box.
    void open(const QStringList& values);
    // Shows the box over the page's right side.
    void showOverPage();

private:
    QGridLayout* m_grid;
    QList<QLineEdit*> m_fields;
    QPushButton* m_confirm = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace ordalis
