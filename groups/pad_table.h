#pragma once
// The samples of one group: four parallel lists, one entry per row in each. After reading, a row is one
// sample reference in layer1; after pad assembly, a row is one pad whose slot k holds velocity band k.
// An empty string marks an empty slot.
#include <cstddef>
#include <string>
#include <vector>

namespace kitvane {

struct PadTable {
    std::vector<std::string> layer1;
    std::vector<std::string> layer2;
    std::vector<std::string> layer3;
    std::vector<std::string> layer4;

    void AddRow(std::string first, std::string second = {}, std::string third = {}, std::string fourth = {}) {
        layer1.push_back(std::move(first));
        layer2.push_back(std::move(second));
        layer3.push_back(std::move(third));
        layer4.push_back(std::move(fourth));
    }
    std::size_t RowCount() const { return layer1.size(); }
};

}  // namespace kitvane
