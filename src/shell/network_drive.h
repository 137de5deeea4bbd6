// Whether a folder lives on a network file system (NFS, SMB/CIFS and the like), which is
// when the program asks the user which terminal it runs as.
#pragma once
#include <string>

namespace vormel::shell {

bool on_network_drive(const std::string& folder);

}  // namespace vormel::shell
