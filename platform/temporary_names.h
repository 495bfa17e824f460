#pragma once
// Names of the temporary files that writes go through: ".<name>.kvtmp-<pid>-<16 hex digits>" beside
// their destination. A writer killed between naming one and publishing it leaves it behind; the pid tells
// a later run whether its writer is gone. Shared by the platforms' file systems.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kitvane::platform {

// The temporary name for a file named name, made by process pid; random tells apart a process's files.
std::string TemporaryNameFor(std::string_view name, long pid, std::uint64_t random);

// The pid of the writer of a temporary file of ours, or none for any other name.
std::optional<long> WriterOfTemporary(std::string_view name);

// True only the first time this process asks about a folder: the time to remove from it the temporary
// files that killed writers left, so that a rerun cleans up after the run it completes.
bool FirstWriteInto(const std::string& nativeFolder);

}  // namespace kitvane::platform
