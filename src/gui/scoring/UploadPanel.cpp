// SPDX-License-Identifier: GPL-3.0-or-later
#include "UploadPanel.h"

#include "layout/TwipsPlacer.h"

#include <QLabel>
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
    const auto button = [this](const QString& caption, const char* name) {
        auto* result = new QPushButton(caption, this);
        result->setObjectName(QLatin1String(name));
        return result;
    };
    Command13 = button(QStringLiteral("上传"), "Command13");
    Command14 = button(QStringLiteral("导出"), "Command14");
    Command15 = button(QStringLiteral("导入"), "Command15");
    Command27 = button(QStringLiteral("小组统计"), "Command27");
    Command12 = button(QStringLiteral("返回"), "Command12");
    m_caption = new QLabel(QStringLiteral("上传到服务器"), this);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);
    m_topicLabel = new QLabel(QStringLiteral("课题："), this);
    m_passwordLabel = new QLabel(QStringLiteral("操作密码："), this);
}

void UploadPanel::placeDesigned(const TwipsPlacer& placer, QSize size) {
    resize(placer.pixels(size.width()), placer.pixels(size.height()));
    constexpr int margin = 120;
    constexpr int rowHeight = 480;
    constexpr int gap = 120;
    constexpr int captionHeight = 360;
    const int bottom = size.height() - margin - rowHeight;
    const int fieldsTop = bottom - gap - rowHeight;
    const int listTop = margin + captionHeight;
    placer.place(m_caption, QRect(margin, margin, size.width() - 2 * margin, captionHeight));
    placer.place(List4,
                 QRect(margin, listTop, size.width() - 2 * margin, fieldsTop - gap - listTop));
    placer.place(m_topicLabel, QRect(margin, fieldsTop, 700, rowHeight));
    placer.place(Text5, QRect(margin + 700, fieldsTop, 3000, rowHeight));
    placer.place(m_passwordLabel, QRect(margin + 3900, fieldsTop, 1100, rowHeight));
    placer.place(Text4, QRect(margin + 5000, fieldsTop, 2400, rowHeight));
    constexpr int buttonWidth = 1400;
    int left = margin;
    for (QPushButton* button : {Command13, Command14, Command15, Command27}) {
        placer.place(button, QRect(left, bottom, buttonWidth, rowHeight));
        left += buttonWidth + gap;
    }
    placer.place(Command12,
                 QRect(size.width() - margin - buttonWidth, bottom, buttonWidth, rowHeight));
}

} // namespace ordalis
