// One open file of the operating system, the only way the storage layer touches disk.
// Everything goes through here so that a test can make the Nth write fail or cut it
// short, and check that the tables stay whole.
#pragma once
#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <string>
#include <utility>

namespace vormel::storage {

enum class LockKind { Read, Write };

class File {
 public:
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // Opens an existing file read-write; nullptr when it does not exist.
  static std::unique_ptr<File> open_existing(const std::string& path);
  // Creates a new file; fails (StorageError) when it already exists.
  static std::unique_ptr<File> create_new(const std::string& path);

  const std::string& path() const { return path_; }
  void renamed_to(std::string path) { path_ = std::move(path); }
  // How many tables of this process hold the file open in each mode, so that the
  // open-mode lock is dropped only by the last of them.
  int shared_opens = 0;
  int exclusive_opens = 0;
  dev_t device() const { return device_; }
  ino_t inode() const { return inode_; }

  // Reads up to n bytes at offset; returns how many were there.
  size_t read_at(void* data, size_t n, off_t offset) const;
  // Writes all n bytes or throws StorageError.
  void write_at(const void* data, size_t n, off_t offset);
  off_t size() const;
  void truncate(off_t length);
  void sync();

  // Byte-range locks of this open file description. try_lock does not wait;
  // wait_lock waits (used only for locks that are held a few microseconds).
  bool try_lock(off_t start, off_t length, LockKind kind);
  void wait_lock(off_t start, off_t length, LockKind kind);
  void unlock(off_t start, off_t length);

 private:
  File(int fd, std::string path);
  bool lock_call(int command_ofd, int command_classic, short type, off_t start, off_t length);

  int fd_;
  std::string path_;
  dev_t device_ = 0;
  ino_t inode_ = 0;
};

// True once a file system refused open-file-description locks and the classic ones
// are used instead (some SMB mounts); the program says so on the status line once.
bool classic_locks_in_use();

// Test hook for the Nth write from now: fail it, or write half of it and then fail
// (as a crash in the middle of a write would leave it). 0 switches the hook off.
struct WriteFaults {
  static void fail_write(long nth);
  static void cut_write(long nth);
  // The process stops itself (SIGSTOP) just before the Nth write, for a test to kill it.
  static void stop_before_write(long nth);
  static void clear();
};

// A temporary file's name that removes the file when it goes out of scope, unless it
// was renamed into place: a failed rewrite leaves nothing behind.
class TemporaryName {
 public:
  explicit TemporaryName(std::string path);
  ~TemporaryName();
  TemporaryName(const TemporaryName&) = delete;
  TemporaryName& operator=(const TemporaryName&) = delete;
  const std::string& path() const { return path_; }
  void renamed() { renamed_ = true; }

 private:
  std::string path_;
  bool renamed_ = false;
};

// Renames a finished temporary file over its target (atomic on one file system).
void replace_file(const std::string& temporary, const std::string& target);
// Name for a temporary file beside `target`, unique to this process.
std::string temporary_name(const std::string& target);
// Flushes a folder's entry list, so a rename survives a power cut.
void sync_folder_of(const std::string& path);

}  // namespace vormel::storage
