#pragma once
// How the POSIX file system makes the temporary files that writes and copies go through.

namespace kitvane::platform {

// Whether a new temporary file may be unnamed (O_TMPFILE), where the file system offers that; on by
// default. Off, every write goes through a named temporary file, as it does on file systems without
// unnamed files (FAT and exFAT drives, network shares): tests switch it off to exercise that path.
void SetUnnamedTemporaryFilesAllowed(bool allowed);

}  // namespace kitvane::platform
