#include "app/window/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace kitvane {
namespace {

// Pad colours of the grid, row by row from the top: warm drums above, cool tones below.
const QColor kPadColours[4][4] = {
    {{0xF2, 0x4B, 0x3D}, {0xF2, 0x7B, 0x2E}, {0xF2, 0xB1, 0x2E}, {0xE8, 0xD9, 0x3A}},
    {{0xF2, 0x7B, 0x2E}, {0xF2, 0xB1, 0x2E}, {0x8B, 0xD1, 0x4E}, {0x3C, 0xC4, 0x8A}},
    {{0x3C, 0xC4, 0x8A}, {0x2E, 0xB8, 0xC9}, {0x35, 0x8B, 0xE8}, {0x5A, 0x6C, 0xF0}},
    {{0x35, 0x8B, 0xE8}, {0x5A, 0x6C, 0xF0}, {0x8E, 0x5C, 0xE8}, {0xC2, 0x4F, 0xD6}},
};

const QColor kBodyColour{0x1B, 0x20, 0x2B};

// Four by four rounded pads filling square, with a gap between them; the pads of the diagonal are lit.
void DrawPadGrid(QPainter& painter, const QRectF& square) {
    const double gap = square.width() * 0.06;
    const double pad = (square.width() - 3 * gap) / 4;
    const double radius = pad * 0.18;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const QRectF cell(square.left() + column * (pad + gap), square.top() + row * (pad + gap), pad,
                              pad);
            QColor colour = kPadColours[row][column];
            if (row != column)
                colour = colour.darker(165);
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawRoundedRect(cell, radius, radius);
        }
    }
}

// A decaying tone along the banner's foot: the sound that a pad plays.
void DrawWave(QPainter& painter, const QRectF& band) {
    QPainterPath path(QPointF(band.left(), band.center().y()));
    const int steps = static_cast<int>(band.width());
    for (int step = 1; step <= steps; ++step) {
        const double t = static_cast<double>(step) / steps;
        const double level = std::exp(-3.2 * t) * std::sin(t * 46.0);
        path.lineTo(band.left() + step, band.center().y() - level * band.height() / 2);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0x2E, 0xB8, 0xC9, 170), 1.4));
    painter.drawPath(path);
}

QFont BannerFont(int pixelSize, bool bold) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setFamily(QStringLiteral("Sans Serif"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

}  // namespace

QImage BannerImage() {
    QImage image(kBannerSize, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, kBannerSize.width(), kBannerSize.height());
    background.setColorAt(0, QColor(0x14, 0x18, 0x22));
    background.setColorAt(1, QColor(0x23, 0x2C, 0x3F));
    painter.fillRect(image.rect(), background);

    DrawPadGrid(painter, QRectF(14, 12, 76, 76));
    DrawWave(painter, QRectF(104, 70, 252, 22));

    painter.setPen(Qt::white);
    painter.setFont(BannerFont(30, true));
    painter.drawText(QRectF(104, 8, 256, 38), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Kitvane"));
    painter.setPen(QColor(0xC9, 0xD3, 0xE6));
    painter.setFont(BannerFont(13, false));
    painter.drawText(QRectF(106, 44, 256, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Expansion libraries  \u2192  MPC & Force"));
    return image;
}

QImage IconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(0, 0, size, size);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kBodyColour);
    painter.drawRoundedRect(body, size * 0.18, size * 0.18);
    const double margin = size * 0.14;
    DrawPadGrid(painter, body.adjusted(margin, margin, -margin, -margin));
    return image;
}

QIcon WindowIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(QPixmap::fromImage(IconImage(size)));
    return icon;
}

}  // namespace kitvane
