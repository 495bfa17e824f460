#pragma once
// The window's artwork, drawn in code: a grid of lit pads as the window icon, and the banner beside the
// library area.
#include <QIcon>
#include <QImage>

#include "app/dialog_template.h"

namespace kitvane {

inline constexpr QSize kBannerSize{kBannerWidth, kBannerHeight};

// The banner, exactly kBannerSize.
QImage BannerImage();
// The window icon at the sizes a desktop asks for, from 16 to 256 pixels.
QIcon WindowIcon();
// The icon's image at one size (square).
QImage IconImage(int size);

}  // namespace kitvane
