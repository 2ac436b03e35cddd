// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real program from inside its own process, as a person at the screen would: a Qt
// generic plugin that the tests load into `ordalis` (QT_QPA_GENERIC_PLUGINS=ordalisdriver) and
// that plays the steps of ORDALIS_DRIVE, separated by ";":
//   click WINDOW/NAME        a button, once it is shown and enabled
//   choose WINDOW/NAME N     item N of a combo box or a list, as if the teacher picked it
//   type WINDOW/NAME TEXT    the text of a line edit or of an editable combo box
//   select WINDOW/NAME N...  rows N... of a list or table, and no other
//   print WINDOW/NAME        "WINDOW/NAME: " and the widget's text on stdout; a list or table:
//                            its row count, then a line per row, its columns joined by TAB
//   answer [no]              the default button (or No) of the message box that is open
//   pause MS                 waits
//   close WINDOW             closes the window as its close button does
//   shoot WINDOW NAME        a screenshot of the window, as NAME.png in ORDALIS_SCREENSHOTS
//   minimize WINDOW          minimises the window
//   state WINDOW [STATE]     "state WINDOW: " and the window's state on stdout: "hidden", or
//                            normal, minimised, maximised or full-screen and then active or
//                            inactive ("normal active"); with STATE, once it is in that state
//   where WINDOW[/NAME]      "where WINDOW/NAME: " the native id of the window, then the
//                            widget's rectangle in it ("0x2a00007 10 20 80 30"), once the
//                            window is exposed; the window "modal" is the modal box open
//   wait                     waits for a line on stdin: the test has looked at the screen
// Widgets are found by objectName under the top-level window of that objectName. A step that
// cannot be played within 20 s ends the program with exit code 3.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGenericPlugin>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <unistd.h>

namespace {

struct Step {
    QString verb;
    QString window;
    QString widget;
    QString argument;
};

QList<Step> readSteps(const QString& script) {
    QList<Step> steps;
    for (const QString& text : script.split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = text.trimmed();
        Step step;
        step.verb = trimmed.section(u' ', 0, 0);
        const QString target = trimmed.section(u' ', 1, 1);
        step.window = target.section(u'/', 0, 0);
        step.widget = target.section(u'/', 1);
        step.argument = trimmed.section(u' ', 2);
        steps << step;
    }
    return steps;
}

// A hidden window counts only for closing it (the main window hides behind the login window)
// and telling its state.
QWidget* topLevel(const QString& name, bool hiddenToo) {
    if (name == QLatin1String("modal"))
        return QApplication::activeModalWidget();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && (hiddenToo || window->isVisible()))
            return window;
    }
    return nullptr;
}

QWidget* usable(const Step& step) {
    QWidget* window = topLevel(step.window, step.verb == QLatin1String("close") ||
                                                step.verb == QLatin1String("state"));
    if (window == nullptr || step.widget.isEmpty())
        return window;
    auto* widget = window->findChild<QWidget*>(step.widget);
    const bool needsInput = step.verb != QLatin1String("print");
    if (widget == nullptr || (needsInput && (!widget->isVisible() || !widget->isEnabled())))
        return nullptr;
    return widget;
}

QString shownText(QWidget* widget) {
    if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
        const QAbstractItemModel* model = view->model();
        QStringList lines;
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList columns;
            for (int column = 0; column < model->columnCount(); ++column)
                columns << model->index(row, column).data().toString();
            lines << columns.join(u'\t');
        }
        return QString::number(lines.size()) + u'\n' + lines.join(u'\n');
    }
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(widget))
        return combo->currentText();
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    return widget->windowTitle();
}

QString windowState(const QWidget* window) {
    if (!window->isVisible())
        return QStringLiteral("hidden");
    const Qt::WindowStates state = window->windowState();
    const QString shown = state & Qt::WindowMinimized    ? QStringLiteral("minimised")
                          : state & Qt::WindowFullScreen ? QStringLiteral("full-screen")
                          : state & Qt::WindowMaximized  ? QStringLiteral("maximised")
                                                         : QStringLiteral("normal");
    return shown +
           (window->isActiveWindow() ? QStringLiteral(" active") : QStringLiteral(" inactive"));
}

// A state step with a state to wait for is played once the window is in it; a where step once
// the window is on the screen.
bool awaited(const Step& step, const QWidget* target) {
    if (step.verb == QLatin1String("where")) {
        const QWindow* window = target->window()->windowHandle();
        return window != nullptr && window->isExposed();
    }
    return step.verb != QLatin1String("state") || step.argument.isEmpty() ||
           windowState(target) == step.argument;
}

class Driver : public QObject {
public:
    explicit Driver(QList<Step> steps)
        : m_steps(std::move(steps)) {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, &Driver::poll);
        m_timer.start();
        m_waiting.start();
        auto* input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(input, &QSocketNotifier::activated, this, [this, input] {
            char line[256];
            const ssize_t got = ::read(STDIN_FILENO, line, sizeof line);
            if (got <= 0)
                input->setEnabled(false); // the test closed it
            for (ssize_t i = 0; i < got; ++i)
                m_linesRead += line[i] == '\n' ? 1 : 0;
        });
    }

private:
    // Runs the next step once its widget can take it. The step index moves on before a step
    // is played, so a step that opens a modal box (and so does not return) lets the next
    // steps play in the box's event loop.
    void poll() {
        if (m_next >= m_steps.size())
            return;
        const Step step = m_steps.at(m_next);
        QWidget* target = nullptr;
        if (step.verb == QLatin1String("answer")) {
            target = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        } else if (step.verb == QLatin1String("pause")) {
            if (m_waiting.elapsed() < step.window.toInt())
                return;
        } else if (step.verb == QLatin1String("wait")) {
            // The test takes its time: no limit.
            if (m_linesRead == 0) {
                m_waiting.restart();
                return;
            }
            --m_linesRead;
        } else {
            target = usable(step);
            if (target != nullptr && !awaited(step, target))
                target = nullptr;
        }
        const bool needsNoTarget =
            step.verb == QLatin1String("pause") || step.verb == QLatin1String("wait");
        if (target == nullptr && !needsNoTarget) {
            if (m_waiting.elapsed() > 20000) {
                std::fprintf(stderr, "driver: step %lld (%s %s/%s) could not be played\n",
                             qlonglong(m_next + 1), qPrintable(step.verb), qPrintable(step.window),
                             qPrintable(step.widget));
                std::fflush(stderr);
                QCoreApplication::exit(3);
            }
            return;
        }
        ++m_next;
        m_waiting.restart();
        // Played from a timer of its own: a timer does not fire again while its own handler
        // runs, and the step may open a modal box that the next steps answer.
        QTimer::singleShot(0, this, [this, step, target = QPointer<QWidget>(target)] {
            if (target || step.verb == QLatin1String("pause"))
                play(step, target);
        });
    }

    void play(const Step& step, QWidget* target) {
        if (step.verb == QLatin1String("click")) {
            if (auto* button = qobject_cast<QAbstractButton*>(target))
                button->click();
        } else if (step.verb == QLatin1String("choose")) {
            if (auto* combo = qobject_cast<QComboBox*>(target)) {
                const int index = step.argument.toInt();
                combo->setCurrentIndex(index);
                Q_EMIT combo->activated(index);
            } else if (auto* list = qobject_cast<QListWidget*>(target)) {
                list->setCurrentRow(step.argument.toInt());
            }
        } else if (step.verb == QLatin1String("type")) {
            if (auto* edit = qobject_cast<QLineEdit*>(target))
                edit->setText(step.argument);
            else if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->isEditable())
                combo->setEditText(step.argument);
        } else if (step.verb == QLatin1String("select")) {
            if (auto* view = qobject_cast<QAbstractItemView*>(target)) {
                view->clearSelection();
                for (const QString& row : step.argument.split(u' ', Qt::SkipEmptyParts))
                    view->selectionModel()->select(view->model()->index(row.toInt(), 0),
                                                   QItemSelectionModel::Select |
                                                       QItemSelectionModel::Rows);
            }
        } else if (step.verb == QLatin1String("print")) {
            std::printf("%s/%s: %s\n", qPrintable(step.window), qPrintable(step.widget),
                        shownText(target).toUtf8().constData());
            std::fflush(stdout);
        } else if (step.verb == QLatin1String("answer")) {
            auto* box = static_cast<QMessageBox*>(target);
            std::printf("answer: %s\n", box->text().toUtf8().constData());
            std::fflush(stdout);
            QAbstractButton* button = step.window == QLatin1String("no")
                                          ? box->button(QMessageBox::No)
                                          : box->defaultButton();
            if (button == nullptr && !box->buttons().isEmpty())
                button = box->buttons().constFirst();
            if (button != nullptr)
                button->click();
        } else if (step.verb == QLatin1String("close")) {
            target->close();
        } else if (step.verb == QLatin1String("shoot")) {
            const QString folder = qEnvironmentVariable("ORDALIS_SCREENSHOTS");
            QDir().mkpath(folder);
            target->grab().save(QDir(folder).filePath(step.argument + QStringLiteral(".png")));
        } else if (step.verb == QLatin1String("minimize")) {
            target->showMinimized();
        } else if (step.verb == QLatin1String("where")) {
            const QRect rect(target->mapTo(target->window(), QPoint()), target->size());
            std::printf("where %s/%s: 0x%llx %d %d %d %d\n", qPrintable(step.window),
                        qPrintable(step.widget), qulonglong(target->window()->winId()), rect.x(),
                        rect.y(), rect.width(), rect.height());
            std::fflush(stdout);
        } else if (step.verb == QLatin1String("state")) {
            std::printf("state %s: %s\n", qPrintable(step.window), qPrintable(windowState(target)));
            std::fflush(stdout);
        }
    }

    QList<Step> m_steps;
    qsizetype m_next = 0;
    int m_linesRead = 0; // from stdin, not yet waited for
    QTimer m_timer;
    QElapsedTimer m_waiting;
};

} // namespace

class ProgramDriverPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "ProgramDriver.json")

public:
    QObject* create(const QString& key, const QString&) override {
        if (key.compare(QLatin1String("ordalisdriver"), Qt::CaseInsensitive) != 0)
            return nullptr;
        return new Driver(readSteps(qEnvironmentVariable("ORDALIS_DRIVE")));
    }
};

#include "ProgramDriver.moc"
