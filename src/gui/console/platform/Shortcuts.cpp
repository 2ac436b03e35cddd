// SPDX-License-Identifier: GPL-3.0-or-later
#include "Shortcuts.h"

#include "console/Launcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#endif

namespace ordalis::shortcuts {

namespace {

const QString GroupFolder = QStringLiteral("Brannock");

#ifdef Q_OS_WIN
const QString FileName = QStringLiteral("Rovani.lnk");

bool writeShortcut(const QString& file) {
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool written = false;
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        const QString target = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
        link->SetPath(reinterpret_cast<const wchar_t*>(target.utf16()));
        IPersistFile* persist = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
            const QString native = QDir::toNativeSeparators(file);
            written =
                SUCCEEDED(persist->Save(reinterpret_cast<const wchar_t*>(native.utf16()), TRUE));
            persist->Release();
        }
        link->Release();
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return written;
}
#else
const QString FileName = QStringLiteral("Rovani.desktop");

bool writeShortcut(const QString& file) {
    QSaveFile launcher(file);
    if (!launcher.open(QIODevice::WriteOnly))
        return false;
    launcher.write(console::launcherText(QCoreApplication::applicationFilePath(),
                                         QCoreApplication::applicationName(),
                                         QStringLiteral("ordalis"))
                       .toUtf8());
    if (!launcher.commit())
        return false;
    // Desktops start only launchers that are marked executable.
    return QFile::setPermissions(file, QFile::permissions(file) | QFileDevice::ExeOwner |
                                           QFileDevice::ReadGroup | QFileDevice::ReadOther);
}
#endif

QString folderOf(int shortcut) {
    const QString folder = QStandardPaths::writableLocation(
        shortcut == Desktop ? QStandardPaths::DesktopLocation
                            : QStandardPaths::ApplicationsLocation);
    if (folder.isEmpty() || shortcut != ProgramGroup)
        return folder;
    return folder + u'/' + GroupFolder;
}

} // namespace

QString path(int shortcut) {
    const QString folder = folderOf(shortcut);
    return folder.isEmpty() ? QString() : folder + u'/' + FileName;
}

bool exists(int shortcut) {
    const QString file = path(shortcut);
    return !file.isEmpty() && QFile::exists(file);
}

bool create(int shortcut) {
    const QString folder = folderOf(shortcut);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    return writeShortcut(path(shortcut));
}

bool remove(int shortcut) {
    const QString folder = folderOf(shortcut);
    if (folder.isEmpty())
        return false;
    if (shortcut == ProgramGroup)
        return QDir(folder).removeRecursively();
    const QString file = path(shortcut);
    return !QFile::exists(file) || QFile::remove(file);
}

} // namespace ordalis::shortcuts
