#include "storage/paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <strings.h>

namespace vormel::storage {

std::optional<std::string> find_file(const std::string& folder, const std::string& name) {
  std::string exact = folder + name;
  struct stat st {};
  if (::stat(exact.c_str(), &st) == 0) return exact;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return std::nullopt;
  std::optional<std::string> found;
  while (dirent* entry = ::readdir(dir)) {
    if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = folder + entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

std::string file_path(const std::string& folder, const std::string& name) {
  return find_file(folder, name).value_or(folder + name);
}

bool file_exists(const std::string& folder, const std::string& name) {
  return find_file(folder, name).has_value();
}

bool folder_exists(const std::string& folder) {
  struct stat st {};
  return ::stat(folder.empty() ? "." : folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool remove_file(const std::string& folder, const std::string& name) {
  auto found = find_file(folder, name);
  return found && ::unlink(found->c_str()) == 0;
}

std::pair<std::string, std::string> split_path(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

}  // namespace vormel::storage
