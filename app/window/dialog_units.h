#pragma once
// Dialog units as Qt pixels: a horizontal unit is a quarter of the dialog font's average character
// width, a vertical unit an eighth of its height.
#include <QFont>
#include <QRect>

#include "app/dialog_template.h"

namespace kitvane {

inline QRect ToQRect(const DialogRect& rect) {
    return {rect.left, rect.top, rect.width, rect.height};
}

// The size of the window's client area in dialog units.
inline constexpr QSize kMainWindowDialogUnits{kMainWindowWidth, kMainWindowHeight};

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : baseX_(baseX), baseY_(baseY) {}

    int BaseX() const { return baseX_; }
    int BaseY() const { return baseY_; }
    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    QRect ToPixels(const QRect& units) const;
    QRect ToPixels(const DialogRect& units) const { return ToPixels(ToQRect(units)); }
    QSize ToPixels(const QSize& units) const;

private:
    int baseX_;
    int baseY_;
};

// The font the window's dialog units are measured in: "MS Shell Dlg" 8 on Windows, elsewhere the
// application's font.
QFont DialogFont();

// A heading's static style as Qt's alignment.
Qt::Alignment AlignmentOf(HeadingStyle style);

}  // namespace kitvane
