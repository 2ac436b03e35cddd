#include "UploadPanel.h"

#include "layout/TwipsPlacer.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace ordalis {

UploadPanel::UploadPanel(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("Frame4"));
    setAttribute(Qt::WA_StyledBackground);
    List4 = new QListWidget(this);
    List4->setObjectName(QStringLiteral("List4"));
    List4->setSelectionMode(QAbstractItemView::MultiSelection);
    Text5 = new QLineEdit(this);
    Text5->setObjectName(QStringLiteral("Text5"));
    Text5->setPlaceholderText(QStringLiteral("课题"));
    Text4 = new QLineEdit(this);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setEchoMode(QLineEdit::Password);
    Text4->setPlaceholderText(QStringLiteral("操作密码"));
    Command12 = new QPushButton(QStringLiteral("返回"), this);
    Command12->setObjectName(QStringLiteral("Command12"));
}

void UploadPanel::placeDesigned(const TwipsPlacer& placer, QSize size) {
    resize(placer.pixels(size.width()), placer.pixels(size.height()));
    constexpr int margin = 120;
    constexpr int rowHeight = 480;
    const int bottom = size.height() - margin - rowHeight;
    placer.place(List4, QRect(margin, margin, size.width() - 2 * margin, bottom - 2 * margin));
    placer.place(Text5, QRect(margin, bottom, 3000, rowHeight));
    placer.place(Text4, QRect(margin + 3120, bottom, 2400, rowHeight));
    placer.place(Command12, QRect(size.width() - margin - 1400, bottom, 1400, rowHeight));
}

} // namespace ordalis
