#pragma once
// The main window's dialog template, made from the control table shared with the Qt window.
#include "app/win32/dialog_builder.h"

namespace kitvane::win32 {

DialogBuilder MainWindowTemplate();

}  // namespace kitvane::win32
