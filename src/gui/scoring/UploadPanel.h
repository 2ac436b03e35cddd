#pragma once
// The upload panel Frame4: the pending score lines, the current topic and the operation
// password for sending them.

#include <QWidget>

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
    QPushButton* Command12; // 返回
};

} // namespace ordalis
