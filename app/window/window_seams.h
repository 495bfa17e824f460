#pragma once
// The places where the window waits for the user outside itself: message boxes, pickers and the
// browser. Each is a function the window calls; tests replace them to answer without a person.
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

class QWidget;

namespace kitvane {

enum class MessageKind { Warning, FileError };

struct WindowSeams {
    // Shows a box with one OK button and returns when it is closed.
    std::function<void(QWidget* owner, MessageKind kind, const QString& text)> showMessage;
    // A folder picker; the folders the user confirmed, none when cancelled.
    std::function<QStringList(QWidget* owner)> pickFolders;
    // A file-open dialog for one existing file matching the filter; empty when cancelled.
    std::function<QString(QWidget* owner, const QString& initialFolder, const QString& filter)> pickFile;
    // Opens a page in the user's browser.
    std::function<void(const QUrl& url)> openUrl;

    // The real boxes, pickers and browser.
    static WindowSeams Platform();
};

}  // namespace kitvane
