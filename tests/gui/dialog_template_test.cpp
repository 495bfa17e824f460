#include "app/window/dialog_units.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <set>

#include "app/window/control_factory.h"

namespace kitvane {
namespace {

TEST(DialogUnits, ConvertWithAQuarterAndAnEighthOfTheBaseUnits) {
    // With the base units of the Windows dialog font, 6 x 13 pixels.
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixels(kMainWindowDialogUnits), QSize(953, 800));
    EXPECT_EQ(units.ToPixels(QRect(7, 471, 355, 14)), QRect(11, 765, 532, 23));
    // Corners are rounded, not widths, so adjacent rectangles meet.
    EXPECT_EQ(units.ToPixels(QRect(1, 1, 1, 1)).right() + 1, units.ToPixels(QRect(2, 1, 1, 1)).left());
}

TEST(DialogUnits, BaseUnitsComeFromTheFont) {
    QFont small;
    small.setPixelSize(10);
    QFont large;
    large.setPixelSize(20);
    const DialogUnits a(small);
    const DialogUnits b(large);
    EXPECT_GT(a.BaseX(), 0);
    EXPECT_GT(b.BaseX(), a.BaseX());
    EXPECT_GT(b.BaseY(), a.BaseY());
}

TEST(MainWindowControls, EachControlLiesAtItsRectangleUnderItsName) {
    QWidget dialog;
    const DialogUnits units(6, 13);
    const std::vector<QWidget*> controls = CreateMainWindowControls(&dialog, units);
    std::set<int> ids;
    for (const ControlSpec& spec : MainWindowControls()) {
        if (spec.id == control::kNone)
            continue;
        EXPECT_TRUE(ids.insert(spec.id).second) << "id twice: " << spec.id;
        auto* widget = dialog.findChild<QWidget*>(ControlName(spec.id));
        ASSERT_NE(widget, nullptr) << spec.id;
        const QRect expected = units.ToPixels(spec.dialogUnits);
        EXPECT_EQ(widget->pos(), expected.topLeft()) << spec.id;
        if (spec.kind != ControlKind::DropDown) {
            EXPECT_EQ(widget->size(), expected.size()) << spec.id;
        }
    }
    auto* banner = dialog.findChild<QWidget*>("banner");
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->size(), QSize(370, 100));
    EXPECT_EQ(banner->pos(), units.ToPixels(QRect(381, 7, 247, 62)).topLeft());
}

}  // namespace
}  // namespace kitvane
