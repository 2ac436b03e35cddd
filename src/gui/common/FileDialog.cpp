// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDialog.h"

#include <QDir>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QStandardPaths>

namespace ordalis::dialogs {

namespace {

// Qt's file model writes sizes and dates in the system's locale; these use the program's.
class LocalFileDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || files == nullptr)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        constexpr int SizeColumn = 1;
        constexpr int DateColumn = 3;
        if (index.column() == SizeColumn && !files->isDir(source))
            return QLocale().formattedDataSize(files->size(source));
        if (index.column() == DateColumn)
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        return QIdentityProxyModel::data(index, role);
    }
};

// Where the next file dialog opens: the teacher's documents at first (not the folder the
// program was started in), then the folder last chosen in.
QString& nextFolder() {
    static QString folder = [] {
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QDir(documents).exists() ? documents : QDir::homePath();
    }();
    return folder;
}

} // namespace

std::unique_ptr<QFileDialog> makeFileDialog(QWidget* parent, const QString& title,
                                            const QString& qtFilter, QFileDialog::AcceptMode mode) {
    auto dialog = std::make_unique<QFileDialog>(parent, title, nextFolder(), qtFilter);
    QObject::connect(dialog.get(), &QFileDialog::accepted, dialog.get(),
                     [files = dialog.get()] { nextFolder() = files->directory().absolutePath(); });
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    dialog->setProxyModel(new LocalFileDetails(dialog.get()));
    return dialog;
}

} // namespace ordalis::dialogs
