#pragma once
// The group file reader: a group file is treated as plain bytes, and every embedded sample path stored
// as printable ASCII becomes one row of a PadTable, in file order.
#include <string>
#include <string_view>

#include "groups/pad_table.h"

namespace kitvane {

// True when the group file is the kit whose sample names need the hi-hat corrections: the path is longer
// than 40 characters and ends in exactly "Abbey Road 60s Early Direct Kit.mxgrp".
bool IsCorrectedKitGroup(const std::string& groupFilePath);

// Appends the sample references of the group file to table (which is not cleared). A file that can't be
// read, or is empty, adds nothing. libraryFolder is where the kit's corrected samples are copied.
void ReadGroupFile(const std::string& groupFilePath, const std::string& libraryFolder, PadTable& table);

// The scan behind ReadGroupFile, over bytes in memory: any content, of any size, is safe to pass.
void ReadGroupBytes(std::string_view bytes, bool kitFlag, const std::string& libraryFolder, PadTable& table);

}  // namespace kitvane
