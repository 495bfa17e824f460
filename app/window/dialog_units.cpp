#include "app/window/dialog_units.h"

#include <QFontMetrics>
#include <cmath>

namespace kitvane {
namespace {

int Scaled(int units, int base, int divisor) {
    return static_cast<int>(std::lround(static_cast<double>(units) * base / divisor));
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseX_ = static_cast<int>(std::lround(metrics.horizontalAdvance(alphabet) / 52.0));
    baseY_ = metrics.height();
}

int DialogUnits::ToPixelsX(int units) const {
    return Scaled(units, baseX_, 4);
}

int DialogUnits::ToPixelsY(int units) const {
    return Scaled(units, baseY_, 8);
}

// The corners are converted, as the platform maps a dialog rectangle, so that adjacent controls meet.
QRect DialogUnits::ToPixels(const QRect& units) const {
    const QPoint topLeft(ToPixelsX(units.x()), ToPixelsY(units.y()));
    const QPoint end(ToPixelsX(units.x() + units.width()), ToPixelsY(units.y() + units.height()));
    return {topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y())};
}

QSize DialogUnits::ToPixels(const QSize& units) const {
    return {ToPixelsX(units.width()), ToPixelsY(units.height())};
}

QFont DialogFont() {
#ifdef Q_OS_WIN
    return QFont(QStringLiteral("MS Shell Dlg"), 8);
#else
    return QFont();
#endif
}

Qt::Alignment AlignmentOf(HeadingStyle style) {
    switch (style) {
        case HeadingStyle::Centred:
            return Qt::AlignHCenter;
        case HeadingStyle::Right:
            return Qt::AlignRight;
        case HeadingStyle::Left:
            break;
    }
    return Qt::AlignLeft;
}

}  // namespace kitvane
