// Any bytes as a group file, read and assembled into pads. The first byte chooses whether the bytes
// stand for the kit whose sample names are corrected; its copies go to a library that doesn't exist.
#include "fuzz/fuzz_support.h"
#include "groups/group_reader.h"
#include "groups/pad_assembly.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kitvane;
    if (size == 0)
        return 0;
    const bool kitFlag = (data[0] & 1) != 0;
    const std::string bytes = fuzzing::BytesOf(data + 1, size - 1);
    PadTable table;
    ReadGroupBytes(bytes, kitFlag, "\\kitvane-fuzz-missing-library", table);
    const std::size_t references = table.RowCount();
    AssemblePads(table);
    const std::size_t pads = table.RowCount();
    fuzzing::Require(pads <= references && table.layer2.size() == pads && table.layer3.size() == pads &&
                     table.layer4.size() == pads);
    return 0;
}
