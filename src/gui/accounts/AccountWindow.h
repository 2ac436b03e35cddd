// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the two account windows share: a window of its own that its 返回 button, Escape or the
// window frame hide, handing back to the login window. Hidden, not closed, it keeps its fields.

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace ordalis {

class AccountWindow : public QWidget {
    Q_OBJECT

public:
    explicit AccountWindow(QWidget* parent = nullptr);

Q_SIGNALS:
    // 返回, Escape or closed: the window has hidden itself.
    void returned();

protected:
    void closeEvent(QCloseEvent* event) override;

    QPushButton* backButton() const { return m_back; }
    // A text box of this window, of the size every field of the account windows has.
    QLineEdit* newBox(const char* objectName);
    // A new password (`which`: "登录密码") and its second box that differ: the teacher is told
    // so, with the focus in the second box; true when refused.
    bool refusesUnconfirmed(QLineEdit* password, QLineEdit* again, const QString& which);

private:
    QPushButton* m_back;
};

} // namespace ordalis
