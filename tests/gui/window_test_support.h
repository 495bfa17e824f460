#pragma once
// A main window for one test, with its boxes, pickers and browser answered by the test, its settings
// in the test's store, and helpers that act on the controls as a user does.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/window/kitvane_dlg.h"
#include "app/window/qt_settings_profile.h"

class QListWidget;
class QWidget;

// Readable failure messages for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& rows, std::ostream* out) {
    *out << '{';
    for (const QString& row : rows)
        *out << " \"" << row.toStdString() << '"';
    *out << " }";
}

namespace kitvane::testing {

class WindowDriver {
public:
    WindowDriver();
    ~WindowDriver();

    // The window, made and shown on first use, so a test can store settings before it starts.
    CKitvaneDlg& Window();
    template <typename Widget>
    Widget* Control(int id) {
        return Window().findChild<Widget*>(QStringLiteral("control%1").arg(id));
    }

    // Acting as the user.
    void Click(int id);
    void ClickRow(int listId, int row);
    void Drop(const QStringList& nativePaths);
    void TypeInto(int editId, const QString& text);
    void ChooseItem(int dropDownId, int index);
    QStringList Rows(int listId);
    QString TextOf(int id);

    // What the seams were asked, and how they answer.
    std::vector<QString> messages;
    QStringList nextFolders;  // the next folder picker confirms these; empty cancels
    QString nextFile;         // the next file-open dialog confirms this; empty cancels
    std::vector<QUrl> openedUrls;

private:
    QtSettingsProfile profile_;
    std::unique_ptr<CKitvaneDlg> window_;
};

// Writes the demo library as folder "Demo Library" below parent (path text); returns its native path.
QString WriteDemo(const std::string& parent);

// Runs action at the first moment the window pumps its events, for acting in the middle of a run.
void DuringNextPump(std::function<void()> action);

}  // namespace kitvane::testing
