// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The upload panel Frame4: the pending score lines, the current topic and the operation
// password for sending them.

#include <QWidget>

class QLabel;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ordalis {

class TwipsPlacer;

class UploadPanel : public QWidget {
    Q_OBJECT
public:
    explicit UploadPanel(QWidget* parent = nullptr);

    void placeDesigned(const TwipsPlacer& placer, QSize twipsSize);

    QListWidget* List4;     // pending ScoreLines, oldest first
    QLineEdit* Text5;       // the current topic
    QLineEdit* Text4;       // the operation password
    QPushButton* Command13; // 上传
    QPushButton* Command14; // 导出
    QPushButton* Command15; // 导入
    QPushButton* Command27; // 小组统计
    QPushButton* Command12; // 返回

private:
    QLabel* m_caption;
    QLabel* m_topicLabel;
    QLabel* m_passwordLabel;
};

} // namespace ordalis
