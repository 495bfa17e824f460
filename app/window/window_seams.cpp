#include "app/window/window_seams.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace kitvane {
namespace {

void ShowMessageBox(QWidget* owner, MessageKind kind, const QString& text) {
    const QString title = QCoreApplication::applicationName();
    if (kind == MessageKind::FileError) {
        QMessageBox::critical(owner, title, text, QMessageBox::Ok);
    } else {
        QMessageBox::warning(owner, title, text, QMessageBox::Ok);
    }
}

QStringList PickFolders(QWidget* owner) {
    const QString folder = QFileDialog::getExistingDirectory(owner);
    return folder.isEmpty() ? QStringList() : QStringList{folder};
}

QString PickFile(QWidget* owner, const QString& initialFolder, const QString& filter) {
    return QFileDialog::getOpenFileName(owner, QStringLiteral("Load"), initialFolder, filter);
}

void OpenUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

}  // namespace

WindowSeams WindowSeams::Platform() {
    return {ShowMessageBox, PickFolders, PickFile, OpenUrl};
}

}  // namespace kitvane
