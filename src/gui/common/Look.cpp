// SPDX-License-Identifier: GPL-3.0-or-later
#include "Look.h"

#include <QApplication>
#include <QFontDatabase>

namespace ordalis::look {

QString fontFamily() {
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char* wanted : {"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Micro Hei"}) {
            if (families.contains(QString::fromLatin1(wanted)))
                return QString::fromLatin1(wanted);
        }
        return QApplication::font().family();
    }();
    return family;
}

QFont font(int points, bool bold) {
    QFont f(fontFamily());
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/ordalis.png").arg(size), QSize(size, size));
    return icon;
}

void apply(QApplication& app) {
    app.setFont(font(10));
    app.setWindowIcon(programIcon());
    app.setStyleSheet(QStringLiteral(R"(
QWidget { color: #1d2a33; }
QMainWindow, QWidget#Frame5, QWidget#Frame6, QWidget#Frame4 { background: #eef2f5; }
QPushButton { background: #ffffff; border: 1px solid #b9c6d0; border-radius: 6px; padding: 2px 8px; }
QPushButton:hover { background: #e3f0f7; border-color: #2e86ab; }
QPushButton:pressed { background: #cfe5f0; }
QPushButton:disabled { color: #a8b3bb; background: #f4f6f8; border-color: #dde3e8; }
QPushButton[category="true"] { font-size: 15pt; font-weight: bold; }
QPushButton[rolling="true"] { background: #e07a5f; color: white; border-color: #c0573c; }
QComboBox, QLineEdit, QListWidget { background: #ffffff; border: 1px solid #b9c6d0; border-radius: 4px; }
QComboBox:disabled, QLineEdit:disabled, QListWidget:disabled { background: #f4f6f8; color: #8d99a3; }
QListWidget#List2 { border: none; background: #fffbe8; }
QWidget#Frame5 QLineEdit#Text2 { background: transparent; border: none; color: #fff6d5; }
QWidget#Frame5 QLineEdit#Text2[blanked="true"] { color: transparent; }
QPushButton[tool="true"] { padding: 2px; }
QWidget#Frame5[projector="true"] QPushButton[category="true"] { font-size: 20pt; }
QWidget#Frame5[projector="true"] QComboBox, QWidget#Frame5[projector="true"] QSpinBox { font-size: 16pt; }
QWidget#Frame5[projector="true"] QListWidget#List1 { font-size: 18pt; }
QPushButton[tool="true"]:checked { background: #cfe5f0; border-color: #2e86ab; }
QFrame#Text13 { background: #1f3b4d; border-radius: 10px; }
QLabel#lblBoardHint { color: #fff6d5; }
QPushButton[drawn="true"] { background: transparent; color: #fff6d5; border: 3px solid transparent; border-radius: 12px; padding: 0; }
QPushButton[drawn="true"]:hover { background: #2a4d63; border-color: #6fa8c8; }
QPushButton[drawn="true"]:checked, QPushButton[drawn="true"]:pressed { background: #2e86ab; border-color: #fff6d5; }
QLabel[figure="true"] { font-size: 13pt; font-weight: bold; color: #2e86ab; }
QGroupBox { font-weight: bold; border: 1px solid #c7d2da; border-radius: 6px; margin-top: 14px; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QTabBar::tab { padding: 6px 18px; font-size: 11pt; }
QTabBar::tab:selected { background: #ffffff; border-bottom: 3px solid #2e86ab; }
)"));
}

} // namespace ordalis::look
