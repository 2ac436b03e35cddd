// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An X server of its own (Xvfb, on a display number it picks free) with a real window manager
// on it, for the tests that look at the program's windows as a teacher's desktop shows them:
// the stacking order, the active window and where each frame lies, as the window manager
// publishes them, and a pointer and keyboard that send real X events (xdotool). Everything it
// starts ends with it.

#include <QImage>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace ordalis::test {

using XWindow = qulonglong;

class ManagedDisplay {
public:
    explicit ManagedDisplay(QSize size, const QString& windowManager = QStringLiteral("openbox"));
    ~ManagedDisplay();
    ManagedDisplay(const ManagedDisplay&) = delete;
    ManagedDisplay& operator=(const ManagedDisplay&) = delete;

    // The programs this needs that are not installed, for a test to skip with.
    static QStringList missingPrograms(const QString& windowManager = QStringLiteral("openbox"));
    // Empty once the server and its window manager run; otherwise what went wrong.
    const QString& problem() const { return m_problem; }

    // What a Qt program needs to be shown here: the display and the xcb platform.
    QProcessEnvironment environment() const;

    // The managed windows, bottom to top; the focused one (0 for none).
    QList<XWindow> stacking() const;
    XWindow activeWindow() const;
    // Where the window's frame lies on the screen, and its inside (what Qt calls its geometry).
    QRect frameOf(XWindow window) const;
    QRect insideOf(XWindow window) const;
    // The pointer moves there and clicks, or only moves; a key (an X keysym name such as "Next")
    // goes to the focused window.
    bool clickAt(QPoint at) const;
    bool movePointer(QPoint to) const;
    bool pressKey(const QString& keysym) const;
    // What the screen shows now; a null image when it could not be read.
    QImage screen() const;

private:
    // A tool's output, none when it failed or took too long.
    std::optional<QByteArray> runForBytes(const QString& program,
                                          const QStringList& arguments) const;
    std::optional<QString> run(const QString& program, const QStringList& arguments) const;
    QString property(const QString& id, const QString& name) const;

    QProcess m_server;
    QProcess m_manager;
    QString m_display;
    QString m_problem;
};

// Parses a window id as the X tools and the driver print it ("0x1e00007").
XWindow windowId(const QString& text);

} // namespace ordalis::test
