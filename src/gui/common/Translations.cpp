// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ordalis {

bool installQtChinese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    // "qt" gathers the catalogues of Qt's modules (qtbase among them).
    if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qt"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace ordalis
