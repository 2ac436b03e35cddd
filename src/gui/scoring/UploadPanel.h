// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The upload panel: the pending list of score lines (objectName List4), the current topic and
// the operation password for sending them, and the buttons that upload, export, import and
// total.

#include "common/RowTableModel.h"
#include "scoring/PendingColumns.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace ordalis {

class TwipsPlacer;

class UploadPanel : public QWidget {
    Q_OBJECT
public:
    explicit UploadPanel(QWidget* parent = nullptr);

    void placeDesigned(const TwipsPlacer& placer, QSize twipsSize);

    // ---- the pending score lines, oldest first ----
    void addPendingLine(const QString& line);
    QStringList pendingLines() const;
    QStringList selectedLines() const;
    // Replaces every pending line, all selected.
    void setPendingLines(const QStringList& lines);
    void clearPending();
    // The oldest lines, sent meanwhile; lines added later stay.
    void removeOldestLines(int count);
    // One line of the same score as each of `lines`, wherever it stands.
    void removeLines(const QStringList& lines);
    void selectAllPending();
    QString pendingLine(int row) const;
    // A line edited in place, selected and current afterwards.
    void replacePendingLine(int row, const QString& line);
    void togglePendingSelection(int row);

    QString topic() const;
    void setTopic(const QString& topic);
    QString operationPassword() const;
    void setOperationPassword(const QString& password);
    void setUploadEnabled(bool enabled);

    // The controls that send or change the pending lines.
    QList<QWidget*> dataControls() const;

Q_SIGNALS:
    void uploadClicked();     // 上传
    void exportClicked();     // 导出
    void importClicked();     // 导入
    void statisticsClicked(); // 小组统计
    void undoClicked();       // 撤销
    void back();              // 返回
    void lineDoubleClicked(int row);
    // A pending line was added, removed or edited through the methods above. Only those
    // emit it, never the list's own teardown, so that closing the window cannot pass for a
    // teacher's change and empty the stored lines.
    void pendingChanged();
    void operationPasswordEdited(const QString& password);

private:
    RowTableModel<PendingColumns>* m_pending;
    QTableView* m_pendingList;
    QLineEdit* m_topicBox;
    QLineEdit* m_passwordBox;
    QPushButton* m_uploadButton;
    QPushButton* m_exportButton;
    QPushButton* m_importButton;
    QPushButton* m_statisticsButton;
    QPushButton* m_undoButton;
    QPushButton* m_backButton;
    QLabel* m_caption;
    QLabel* m_topicLabel;
    QLabel* m_passwordLabel;
};

} // namespace ordalis
