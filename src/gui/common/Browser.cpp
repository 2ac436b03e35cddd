// SPDX-License-Identifier: GPL-3.0-or-later
#include "Browser.h"

#include <QDesktopServices>

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

void open(const QUrl& url) {
    if (recorder().recording) {
        recorder().opened << url;
        return;
    }
    QDesktopServices::openUrl(url);
}

void setRecording(bool recording) {
    recorder().recording = recording;
    recorder().opened.clear();
}

QList<QUrl> takeOpenedUrls() {
    return std::exchange(recorder().opened, {});
}

} // namespace ordalis::browser
