#pragma once
// The window's artwork, drawn in code: a grid of lit pads as the window icon, and the banner beside the
// library area.
#include <QIcon>
#include <QImage>

namespace kitvane {

inline constexpr QSize kBannerSize{370, 100};

// The banner, exactly kBannerSize.
QImage BannerImage();
// The window icon at the sizes a desktop asks for, from 16 to 256 pixels.
QIcon WindowIcon();
// The icon's image at one size (square).
QImage IconImage(int size);

}  // namespace kitvane
