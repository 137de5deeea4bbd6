#include "shell/network_drive.h"

#include <sys/vfs.h>

#include <cstdint>

namespace vormel::shell {

bool on_network_drive(const std::string& folder) {
  struct statfs fs {};
  if (::statfs(folder.empty() ? "." : folder.c_str(), &fs) != 0) return false;
  switch (static_cast<uint32_t>(fs.f_type)) {
    case 0x6969:      // NFS
    case 0x517B:      // SMB
    case 0xFF534D42:  // CIFS
    case 0xFE534D42:  // SMB2
    case 0x73757245:  // Coda
    case 0x5346414F:  // AFS
    case 0x6B414653:  // kAFS
    case 0x013111A8:  // IBRIX
    case 0x47504653:  // GPFS
    case 0x00C36400:  // Ceph
    case 0x19830326:  // FhGFS / BeeGFS
    case 0x0BD00BD0:  // Lustre
      return true;
    default:
      return false;
  }
}

}  // namespace vormel::shell
