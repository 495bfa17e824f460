#include "app/window/head_static.h"

#include <gtest/gtest.h>

#include <QImage>

namespace kitvane {
namespace {

// The columns and rows in which the caption's white strokes lie.
struct Strokes {
    int left = -1;
    int right = -1;
    int top = -1;
    int bottom = -1;
};

Strokes WhiteStrokes(const QImage& image) {
    Strokes strokes;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::min({pixel.red(), pixel.green(), pixel.blue()}) < 230)
                continue;
            if (strokes.left < 0 || x < strokes.left)
                strokes.left = x;
            strokes.right = std::max(strokes.right, x);
            if (strokes.top < 0)
                strokes.top = y;
            strokes.bottom = y;
        }
    }
    return strokes;
}

QImage Painted(CHeadStatic& heading) {
    heading.ensurePolished();
    return heading.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(CHeadStatic, BarColourFollowsTheAlignment) {
    const struct {
        Qt::Alignment alignment;
        QColor colour;
    } cases[] = {{Qt::AlignLeft, {86, 152, 233}},
                 {Qt::AlignRight, {128, 128, 192}},
                 {Qt::AlignHCenter, {192, 128, 128}},
                 {Qt::AlignRight | Qt::AlignHCenter, {128, 128, 192}}};
    for (const auto& c : cases) {
        CHeadStatic heading(QStringLiteral("Options"));
        heading.setAlignment(c.alignment | Qt::AlignVCenter);
        heading.resize(200, 14);
        const QImage image = Painted(heading);
        EXPECT_EQ(image.pixelColor(0, 0), c.colour) << int(c.alignment);
        EXPECT_EQ(image.pixelColor(199, 13), c.colour) << int(c.alignment);
    }
}

TEST(CHeadStatic, CaptionIsCentredOnOneLineWhateverTheAlignment) {
    for (Qt::Alignment alignment : {Qt::AlignLeft, Qt::AlignRight}) {
        CHeadStatic heading(QStringLiteral("Output folder"));
        heading.setAlignment(alignment | Qt::AlignTop);
        heading.resize(300, 16);
        const Strokes strokes = WhiteStrokes(Painted(heading));
        ASSERT_GE(strokes.left, 0) << "no caption painted";
        EXPECT_NEAR((strokes.left + strokes.right) / 2.0, 150.0, 2.5);
        EXPECT_NEAR((strokes.top + strokes.bottom) / 2.0, 8.0, 2.5);
        EXPECT_LT(strokes.right - strokes.left, 120);  // bold 10-pixel text, not the dialog font
    }
}

TEST(CHeadStatic, WideCaptionIsCutAtBothEnds) {
    CHeadStatic heading(QStringLiteral("Drag And Drop SINGLE Maschine Expansion Library"));
    heading.resize(60, 14);
    const Strokes strokes = WhiteStrokes(Painted(heading));
    EXPECT_LE(strokes.left, 2);
    EXPECT_GE(strokes.right, 57);
    EXPECT_LE(strokes.bottom - strokes.top, 12);  // one line
}

TEST(CHeadStatic, NewTextIsPaintedCentred) {
    CHeadStatic heading(QStringLiteral("Options"));
    heading.resize(300, 14);
    const Strokes before = WhiteStrokes(Painted(heading));
    heading.setText(QStringLiteral("A much longer heading text"));
    const Strokes after = WhiteStrokes(Painted(heading));
    EXPECT_GT(after.right - after.left, before.right - before.left);
    EXPECT_NEAR((after.left + after.right) / 2.0, 150.0, 2.5);
}

}  // namespace
}  // namespace kitvane
