// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManagedDisplay.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QtEndian>

namespace ordalis::test {
namespace {

constexpr int StartMs = 15000;
constexpr int ToolMs = 10000;

// The numbers after "=" or "#" of an xprop line, such as "_NET_FRAME_EXTENTS(CARDINAL) = 1, 1,
// 21, 5" or "_NET_ACTIVE_WINDOW(WINDOW): window id # 0x200007".
QStringList propertyValues(const QString& line) {
    const qsizetype at = line.indexOf(QRegularExpression(QStringLiteral("[=#]")));
    if (at < 0)
        return {};
    QStringList values = line.mid(at + 1).split(u',', Qt::SkipEmptyParts);
    for (QString& value : values)
        value = value.trimmed();
    values.removeAll(QString());
    return values;
}

int xwininfoValue(const QString& text, const QString& label) {
    const QRegularExpression line(QRegularExpression::escape(label) +
                                  QStringLiteral(":\\s*(-?\\d+)"));
    return line.match(text).captured(1).toInt();
}

} // namespace

XWindow windowId(const QString& text) {
    return text.trimmed().toULongLong(nullptr, 0);
}

QStringList ManagedDisplay::missingPrograms(const QString& windowManager) {
    QStringList missing;
    for (const QString& program :
         {QStringLiteral("Xvfb"), windowManager, QStringLiteral("xprop"),
          QStringLiteral("xwininfo"), QStringLiteral("xdotool"), QStringLiteral("xwd")}) {
        if (QStandardPaths::findExecutable(program).isEmpty())
            missing << program;
    }
    return missing;
}

ManagedDisplay::ManagedDisplay(QSize size, const QString& windowManager) {
    if (const QStringList missing = missingPrograms(windowManager); !missing.isEmpty()) {
        m_problem = QStringLiteral("not installed: ") + missing.join(u' ');
        return;
    }
    // -displayfd: the server takes a free number and writes it on its standard output once it
    // accepts connections.
    m_server.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                    QStringLiteral("0"),
                    QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray number;
    QDeadlineTimer deadline(StartMs);
    while (!number.contains('\n') && m_server.waitForReadyRead(int(deadline.remainingTime())))
        number += m_server.readAllStandardOutput();
    if (!number.contains('\n')) {
        m_problem = QStringLiteral("Xvfb did not start: ") +
                    QString::fromLocal8Bit(m_server.readAllStandardError());
        return;
    }
    m_display = u':' + QString::fromLatin1(number.trimmed());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    m_manager.setProcessEnvironment(environment);
    m_manager.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList managerArguments;
    if (windowManager == QLatin1String("openbox"))
        managerArguments << QStringLiteral("--sm-disable");
    m_manager.start(windowManager, managerArguments);
    // The manager is up once it names itself on the root window. One that gave up at once
    // (seen on a loaded machine, the server just up) is started once more.
    bool startedAgain = false;
    while (!deadline.hasExpired()) {
        if (m_manager.state() == QProcess::NotRunning) {
            if (startedAgain)
                break;
            startedAgain = true;
            m_manager.start(windowManager, managerArguments);
            continue;
        }
        if (!propertyValues(
                 property(QStringLiteral("root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")))
                 .isEmpty())
            return;
        QThread::msleep(50);
    }
    m_problem = windowManager + QStringLiteral(" did not start on ") + m_display;
}

ManagedDisplay::~ManagedDisplay() {
    for (QProcess* process : {&m_manager, &m_server}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished();
        }
    }
}

QProcessEnvironment ManagedDisplay::environment() const {
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    return environment;
}

std::optional<QByteArray> ManagedDisplay::runForBytes(const QString& program,
                                                      const QStringList& arguments) const {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    if (!tool.waitForFinished(ToolMs)) {
        tool.kill();
        tool.waitForFinished();
        return std::nullopt;
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return std::nullopt;
    return tool.readAllStandardOutput();
}

std::optional<QString> ManagedDisplay::run(const QString& program,
                                           const QStringList& arguments) const {
    const std::optional<QByteArray> output = runForBytes(program, arguments);
    if (!output)
        return std::nullopt;
    return QString::fromLocal8Bit(*output);
}

QString ManagedDisplay::property(const QString& id, const QString& name) const {
    const QStringList window = id == QLatin1String("root") ? QStringList{QStringLiteral("-root")}
                                                           : QStringList{QStringLiteral("-id"), id};
    return run(QStringLiteral("xprop"), window + QStringList{name}).value_or(QString()).trimmed();
}

QList<XWindow> ManagedDisplay::stacking() const {
    QList<XWindow> windows;
    for (const QString& value : propertyValues(
             property(QStringLiteral("root"), QStringLiteral("_NET_CLIENT_LIST_STACKING"))))
        windows << windowId(value);
    return windows;
}

XWindow ManagedDisplay::activeWindow() const {
    const QStringList values =
        propertyValues(property(QStringLiteral("root"), QStringLiteral("_NET_ACTIVE_WINDOW")));
    return values.isEmpty() ? 0 : windowId(values.constFirst());
}

QRect ManagedDisplay::insideOf(XWindow window) const {
    const QString info =
        run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(window)})
            .value_or(QString());
    return QRect(xwininfoValue(info, QStringLiteral("Absolute upper-left X")),
                 xwininfoValue(info, QStringLiteral("Absolute upper-left Y")),
                 xwininfoValue(info, QStringLiteral("Width")),
                 xwininfoValue(info, QStringLiteral("Height")));
}

QRect ManagedDisplay::frameOf(XWindow window) const {
    // Left, right, top, bottom: what the manager's frame adds around the inside.
    const QStringList extents =
        propertyValues(property(QString::number(window), QStringLiteral("_NET_FRAME_EXTENTS")));
    const QRect inside = insideOf(window);
    if (extents.size() != 4)
        return inside;
    return inside.adjusted(-extents[0].toInt(), -extents[2].toInt(), extents[1].toInt(),
                           extents[3].toInt());
}

bool ManagedDisplay::clickAt(QPoint at) const {
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                QStringLiteral("click"), QStringLiteral("1")})
        .has_value();
}

bool ManagedDisplay::movePointer(QPoint to) const {
    return run(QStringLiteral("xdotool"),
               {QStringLiteral("mousemove"), QString::number(to.x()), QString::number(to.y())})
        .has_value();
}

bool ManagedDisplay::pressKey(const QString& keysym) const {
    return run(QStringLiteral("xdotool"), {QStringLiteral("key"), keysym}).has_value();
}

// xwd's dump of the root window: a header of big-endian 32-bit fields, the window's name, the
// colour map, then the pixels, row by row.
QImage ManagedDisplay::screen() const {
    const std::optional<QByteArray> dump =
        runForBytes(QStringLiteral("xwd"), {QStringLiteral("-root"), QStringLiteral("-silent")});
    constexpr int Fields = 25;
    if (!dump || dump->size() < Fields * 4)
        return {};
    const auto field = [&dump](int index) {
        return qFromBigEndian<quint32>(dump->constData() + index * 4);
    };
    const quint32 headerSize = field(0), width = field(4), height = field(5);
    const bool lsbFirst = field(7) == 0;
    const quint32 bytesPerPixel = field(11) / 8, bytesPerLine = field(12), colours = field(19);
    const qsizetype pixels = qsizetype(headerSize) + qsizetype(colours) * 12;
    if ((bytesPerPixel != 3 && bytesPerPixel != 4) || bytesPerLine < width * bytesPerPixel ||
        dump->size() < pixels + qsizetype(bytesPerLine) * height)
        return {};
    QImage image(int(width), int(height), QImage::Format_RGB32);
    for (quint32 y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uchar*>(dump->constData()) + pixels +
                          qsizetype(y) * bytesPerLine;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (quint32 x = 0; x < width; ++x) {
            const uchar* pixel = row + x * bytesPerPixel;
            // Blue, green, red from the lowest byte up, or the other way round.
            line[x] = lsbFirst ? qRgb(pixel[2], pixel[1], pixel[0])
                               : qRgb(pixel[bytesPerPixel - 3], pixel[bytesPerPixel - 2],
                                      pixel[bytesPerPixel - 1]);
        }
    }
    return image;
}

} // namespace ordalis::test
