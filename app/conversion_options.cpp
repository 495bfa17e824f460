#include "app/conversion_options.h"

#include <array>

namespace kitvane {

std::string VolumeText(int index) {
    static const std::array<const char*, 4> kTexts = {"1.000000", "0.900000", "0.800000", "0.750000"};
    return index >= 0 && index < static_cast<int>(kTexts.size()) ? kTexts[index] : kTexts[0];
}

std::string ReleaseText(int index) {
    static const std::array<const char*, 3> kTexts = {"0.600000", "0.670000", "0.750000"};
    return index >= 0 && index < static_cast<int>(kTexts.size()) ? kTexts[index] : kTexts[1];
}

int CheckBoxValue(int stored) {
    return stored >= 0 && stored <= 2 ? stored : 0;
}

}  // namespace kitvane
