// One open file object per file (device and inode) in the process, shared by every
// work area and order that opens it. Open-file-description locks would conflict
// between two opens inside the process, and classic locks vanish when any descriptor
// of the file is closed: holding each file once avoids both. This is process-wide on
// purpose, like the locks themselves.
#pragma once
#include <memory>
#include <string>

#include "storage/file.h"

namespace vormel::storage {

using SharedFile = std::shared_ptr<File>;

// The file at `path`, opened once for the process; nullptr when it does not exist.
SharedFile open_shared(const std::string& path);
// Forgets the file object of `path` (after a rename replaced it) so the next
// open_shared opens the new file. Holders of the old object keep it until they drop it.
void forget_shared(const std::string& path);
// Makes `file` the process's object for its device and inode (a file this process
// just renamed into place).
void adopt_shared(const SharedFile& file);

}  // namespace vormel::storage
