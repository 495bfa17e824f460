#include "tests/gui/window_test_support.h"

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "cli/demo_library.h"
#include "platform/path_text.h"

namespace kitvane::testing {

WindowDriver::WindowDriver() {
    QSettings().clear();
}

WindowDriver::~WindowDriver() = default;

CKitvaneDlg& WindowDriver::Window() {
    if (!window_) {
        WindowSeams seams;
        seams.showMessage = [this](QWidget*, MessageKind, const QString& text) { messages.push_back(text); };
        seams.pickFolders = [this](QWidget*) { return std::exchange(nextFolders, {}); };
        seams.pickFile = [this](QWidget*, const QString&, const QString&) {
            return std::exchange(nextFile, {});
        };
        seams.openUrl = [this](const QUrl& url) { openedUrls.push_back(url); };
        window_ = std::make_unique<CKitvaneDlg>(profile_, std::move(seams));
        window_->show();
    }
    return *window_;
}

void WindowDriver::Click(int id) {
    QTest::mouseClick(Control<QWidget>(id), Qt::LeftButton);
}

void WindowDriver::ClickRow(int listId, int row) {
    auto* list = Control<QListWidget>(listId);
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

void WindowDriver::Drop(const QStringList& nativePaths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : nativePaths)
        urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    CKitvaneDlg& window = Window();
    const QPoint where = window.rect().center();
    QDragEnterEvent enter(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

void WindowDriver::TypeInto(int editId, const QString& text) {
    auto* edit = Control<QLineEdit>(editId);
    edit->clear();
    QTest::keyClicks(edit, text);
}

void WindowDriver::ChooseItem(int dropDownId, int index) {
    // As a user's pick: the selection changes, no command follows.
    Control<QComboBox>(dropDownId)->setCurrentIndex(index);
}

QStringList WindowDriver::Rows(int listId) {
    QStringList rows;
    auto* list = Control<QListWidget>(listId);
    for (int row = 0; row < list->count(); ++row)
        rows.append(list->item(row)->text());
    return rows;
}

QString WindowDriver::TextOf(int id) {
    QWidget* control = Control<QWidget>(id);
    const QVariant text = control->property("text");
    return text.toString();
}

QString WriteDemo(const std::string& parent) {
    const std::string folder = parent + "\\Demo Library";
    cli::WriteDemoLibrary(folder, {});
    return QString::fromStdString(platform::ToNativePath(folder));
}

void DuringNextPump(std::function<void()> action) {
    QTimer::singleShot(0, std::move(action));
}

}  // namespace kitvane::testing
