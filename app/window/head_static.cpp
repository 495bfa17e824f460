#include "app/window/head_static.h"

#include <QPainter>

namespace kitvane {

CHeadStatic::CHeadStatic(const QString& text, QWidget* parent) : QLabel(text, parent) {
    // The paint fills the whole bar itself, so nothing is erased beneath it and the bar doesn't flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void CHeadStatic::SetBarColour(const QColor& colour) {
    barColour_ = colour;
    update();
}

QColor CHeadStatic::BackgroundColour() const {
    if (alignment() & Qt::AlignRight)
        return {128, 128, 192};
    if (alignment() & Qt::AlignHCenter)
        return {192, 128, 128};
    return barColour_;
}

QFont CHeadStatic::CaptionFont() {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    font.setBold(true);
    return font;
}

void CHeadStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), BackgroundColour());
    painter.setPen(Qt::white);
    painter.setFont(CaptionFont());
    // Centred on one line whatever the alignment; a caption wider than the bar is cut at both ends.
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

}  // namespace kitvane
