#include "storage/file_registry.h"

#include <sys/stat.h>

#include <map>
#include <utility>

namespace vormel::storage {

namespace {

using FileId = std::pair<dev_t, ino_t>;

std::map<FileId, std::weak_ptr<File>>& registry() {
  static std::map<FileId, std::weak_ptr<File>> files;
  return files;
}

}  // namespace

SharedFile open_shared(const std::string& path) {
  auto& files = registry();
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return nullptr;
  FileId id{st.st_dev, st.st_ino};
  if (auto it = files.find(id); it != files.end()) {
    if (auto held = it->second.lock()) return held;
    files.erase(it);
  }
  SharedFile file = File::open_existing(path);
  if (!file) return nullptr;
  files[{file->device(), file->inode()}] = file;
  return file;
}

void forget_shared(const std::string& path) {
  auto& files = registry();
  for (auto it = files.begin(); it != files.end();) {
    auto held = it->second.lock();
    if (!held || held->path() == path) it = files.erase(it);
    else ++it;
  }
}

void adopt_shared(const SharedFile& file) {
  registry()[{file->device(), file->inode()}] = file;
}

}  // namespace vormel::storage
