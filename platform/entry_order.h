#pragma once
// The order in which ListDirectory gives a folder's entries, shared by the platforms' listings.
#include <vector>

#include "platform/file_system.h"

namespace kitvane::platform {

// Sorts by name compared after upper-casing ASCII letters, ties by the raw bytes.
void SortByEntryOrder(std::vector<DirectoryEntry>& entries);

}  // namespace kitvane::platform
