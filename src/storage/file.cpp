#include "storage/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "storage/error.h"

namespace vormel::storage {

namespace {

bool g_classic_locks = false;
long g_fail_at = 0;  // counts down; the write that brings it to zero fails
bool g_cut = false;
long g_stop_at = 0;

std::string system_error(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

bool classic_locks_in_use() { return g_classic_locks; }

void WriteFaults::fail_write(long nth) { g_fail_at = nth; g_cut = false; }
void WriteFaults::cut_write(long nth) { g_fail_at = nth; g_cut = true; }
void WriteFaults::stop_before_write(long nth) { g_stop_at = nth; }
void WriteFaults::clear() { g_fail_at = 0; g_stop_at = 0; }

File::File(int fd, std::string path) : fd_(fd), path_(std::move(path)) {
  struct stat st {};
  if (::fstat(fd_, &st) == 0) {
    device_ = st.st_dev;
    inode_ = st.st_ino;
  }
}

File::~File() { ::close(fd_); }

std::unique_ptr<File> File::open_existing(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return nullptr;
    throw StorageError(system_error("Não foi possível abrir", path));
  }
  return std::unique_ptr<File>(new File(fd, path));
}

std::unique_ptr<File> File::create_new(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) throw StorageError(system_error("Não foi possível criar", path));
  return std::unique_ptr<File>(new File(fd, path));
}

size_t File::read_at(void* data, size_t n, off_t offset) const {
  size_t done = 0;
  while (done < n) {
    ssize_t got = ::pread(fd_, static_cast<char*>(data) + done, n - done, offset + done);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw StorageError(system_error("Erro de leitura em", path_));
    }
    if (got == 0) break;
    done += static_cast<size_t>(got);
  }
  return done;
}

void File::write_at(const void* data, size_t n, off_t offset) {
  if (g_stop_at > 0 && --g_stop_at == 0) ::raise(SIGSTOP);
  if (g_fail_at > 0 && --g_fail_at == 0) {
    if (g_cut && n > 1) (void)!::pwrite(fd_, data, n / 2, offset);
    errno = EIO;
    throw StorageError(system_error("Erro de gravação em", path_));
  }
  size_t done = 0;
  while (done < n) {
    ssize_t put = ::pwrite(fd_, static_cast<const char*>(data) + done, n - done, offset + done);
    if (put < 0) {
      if (errno == EINTR) continue;
      throw StorageError(system_error("Erro de gravação em", path_));
    }
    done += static_cast<size_t>(put);
  }
}

off_t File::size() const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) throw StorageError(system_error("Erro de leitura em", path_));
  return st.st_size;
}

void File::truncate(off_t length) {
  if (::ftruncate(fd_, length) != 0) throw StorageError(system_error("Erro de gravação em", path_));
}

void File::sync() {
  if (::fdatasync(fd_) != 0) throw StorageError(system_error("Erro de gravação em", path_));
}

bool File::lock_call(int command_ofd, int command_classic, short type, off_t start, off_t length) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = start;
  fl.l_len = length;
  for (;;) {
    if (!g_classic_locks) {
      if (::fcntl(fd_, command_ofd, &fl) == 0) return true;
      if (errno == EINVAL) {
        // The file system does not know open-file-description locks: the classic
        // ones are safe here because the process holds every file exactly once.
        g_classic_locks = true;
        continue;
      }
    } else {
      fl.l_pid = 0;
      if (::fcntl(fd_, command_classic, &fl) == 0) return true;
    }
    if (errno == EINTR) continue;
    if (errno == EACCES || errno == EAGAIN) return false;
    throw StorageError(system_error("Erro de bloqueio em", path_));
  }
}

bool File::try_lock(off_t start, off_t length, LockKind kind) {
  return lock_call(F_OFD_SETLK, F_SETLK, kind == LockKind::Read ? F_RDLCK : F_WRLCK, start, length);
}

void File::wait_lock(off_t start, off_t length, LockKind kind) {
  lock_call(F_OFD_SETLKW, F_SETLKW, kind == LockKind::Read ? F_RDLCK : F_WRLCK, start, length);
}

void File::unlock(off_t start, off_t length) {
  lock_call(F_OFD_SETLK, F_SETLK, F_UNLCK, start, length);
}

TemporaryName::TemporaryName(std::string path) : path_(std::move(path)) { ::unlink(path_.c_str()); }

TemporaryName::~TemporaryName() {
  if (!renamed_) ::unlink(path_.c_str());
}

void replace_file(const std::string& temporary, const std::string& target) {
  if (::rename(temporary.c_str(), target.c_str()) != 0)
    throw StorageError(system_error("Não foi possível substituir", target));
  sync_folder_of(target);
}

std::string temporary_name(const std::string& target) {
  return target + ".tmp" + std::to_string(::getpid());
}

void sync_folder_of(const std::string& path) {
  auto slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace vormel::storage
