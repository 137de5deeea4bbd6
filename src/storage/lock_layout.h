// The lock layout of every table file, the same for every terminal. All offsets lie
// beyond any real data, so that a lock never stands in the way of another terminal's
// reads on servers where byte-range locks are mandatory.
//
//   kOpenModeByte      shared open = read lock, exclusive open = write lock, held while open
//   kTerminalByte      (folder-list table only) write lock held by its terminal for the run
//   kAppendByte        write lock while the header is read and rewritten: appends, and the
//                      checks of a table against its indexes
//   kLockBase + r      record r (1-based) locked for writing
//   kLockBase + 1 ...  to the end of the range: the table lock
//
// Index files use one byte, kIndexByte: readers take a read lock to look at the change
// counter, writers a write lock while they add to the journal.
#pragma once
#include <sys/types.h>

#include <cstdint>

namespace vormel::storage {

constexpr off_t kLockBase = 1'000'000'000;
constexpr off_t kOpenModeByte = kLockBase - 1;
constexpr off_t kTerminalByte = kLockBase - 2;
constexpr off_t kAppendByte = kLockBase;
constexpr off_t kTableLockStart = kLockBase + 1;
constexpr off_t kTableLockLength = 0;  // to the end of the file's offset range
constexpr off_t kIndexByte = kLockBase;

constexpr off_t record_lock_offset(uint32_t recno) { return kLockBase + static_cast<off_t>(recno); }

}  // namespace vormel::storage
