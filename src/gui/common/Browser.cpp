// SPDX-License-Identifier: GPL-3.0-or-later
#include "Browser.h"

#include "common/Dialogs.h"

#include <QDesktopServices>
#include <QDir>

namespace ordalis::browser {
namespace {

struct Recorder {
    bool recording = false;
    QList<QUrl> opened;
};

Recorder& recorder() {
    static Recorder instance;
    return instance;
}

} // namespace

void open(QWidget* parent, const QUrl& url) {
    if (recorder().recording) {
        recorder().opened << url;
        return;
    }
    if (QDesktopServices::openUrl(url))
        return;
    dialogs::showMessage(
        parent, QStringLiteral("无法打开"),
        url.isLocalFile()
            ? QStringLiteral("无法打开文件管理器。请在文件管理器中打开这个文件夹：\r\n%1")
                  .arg(QDir::toNativeSeparators(url.toLocalFile()))
            : QStringLiteral("无法打开浏览器。请复制下面的地址，在浏览器中打开：\r\n%1")
                  .arg(url.toString()),
        dialogs::Icon::Warning);
}

void setRecording(bool recording) {
    recorder().recording = recording;
    recorder().opened.clear();
}

QList<QUrl> takeOpenedUrls() {
    return std::exchange(recorder().opened, {});
}

} // namespace ordalis::browser
