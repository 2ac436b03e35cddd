// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ordalis {

namespace {

// The file types of the file dialogs' type column, which Qt's Chinese catalogue leaves in
// English.
class FileTypeTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        static const QHash<QByteArray, QString> types{
            {"Folder", QStringLiteral("文件夹")},
            {"File", QStringLiteral("文件")},
            {"%1 File", QStringLiteral("%1 文件")},
            {"Drive", QStringLiteral("驱动器")},
        };
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0)
            return QString();
        return types.value(QByteArray(sourceText));
    }
};

} // namespace

bool installQtChinese(QCoreApplication& app) {
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    const QDir translations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    bool loaded = false;
    // qtbase, qtmultimedia, qtdeclarative, …: each module's catalogue, skipping the "qt_"
    // one that only names some of them.
    for (const QString& file :
         translations.entryList({QStringLiteral("qt*_zh_CN.qm")}, QDir::Files, QDir::Name)) {
        if (file == QStringLiteral("qt_zh_CN.qm"))
            continue;
        auto* translator = new QTranslator(&app);
        if (translator->load(translations.filePath(file)) &&
            QCoreApplication::installTranslator(translator)) {
            loaded = true;
        } else {
            delete translator;
        }
    }
    // Installed last, so asked first; it answers only what the catalogues lack.
    QCoreApplication::installTranslator(new FileTypeTexts(&app));
    return loaded;
}

} // namespace ordalis
