// SPDX-License-Identifier: GPL-3.0-or-later
#include "ManualPanelTabs.h"

namespace ordalis {

QStringList manualTabTitles() {
    return {QStringLiteral("常用"), QStringLiteral("次数"), QStringLiteral("难度"),
            QStringLiteral("分组")};
}

QString manualCategoryCaption(int category) {
    static const QStringList captions{
        QStringLiteral("曾经被点"), QStringLiteral("本次未点"), QStringLiteral("本次已点"),
        QStringLiteral("从未被点"), QStringLiteral("很少"),     QStringLiteral("较少"),
        QStringLiteral("较多"),     QStringLiteral("很多"),     QStringLiteral("很易"),
        QStringLiteral("较易"),     QStringLiteral("较难"),     QStringLiteral("很难")};
    return captions.value(category);
}

ManualTabContents manualTab(int tab, const std::array<QStringList, DrawCategoryCount>& kinds) {
    ManualTabContents contents;
    if (tab < 0 || tab >= GroupsTab)
        return contents;
    for (int i = 0; i < CategoriesPerTab; ++i) {
        const int category = CategoriesPerTab * tab + i;
        contents.captions[i] = manualCategoryCaption(category);
        contents.names[i] = kinds[category];
    }
    if (tab == 0) {
        for (const QString& never : contents.names[3])
            contents.names[0].removeOne(never);
    }
    return contents;
}

} // namespace ordalis
