#pragma once
// Where the core's UTF-8 path text meets Qt's strings: what the user is shown, and what Qt hands back.
#include <QDir>
#include <QString>
#include <string>

#include "platform/path_text.h"

namespace kitvane {

inline QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string ToStdString(const QString& text) {
    return text.toStdString();
}

// Text of the core as the user reads it ("\" shown as "/" on POSIX).
inline QString DisplayText(const std::string& text) {
    return ToQString(platform::ForDisplay(text));
}

// A text the user typed or a path Qt reports (a drop, a picker) as path text. Qt reports paths with "/"
// on every platform, so they are made native first.
inline std::string PathTextOf(const QString& qtPath) {
    return platform::FromNativePath(ToStdString(QDir::toNativeSeparators(qtPath)));
}

}  // namespace kitvane
