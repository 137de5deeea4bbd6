// The lock layout of every table file, the same for every terminal. All offsets lie
// beyond any real data, so that a lock never stands in the way of another terminal's
// reads on servers where byte-range locks are mandatory.
//
//   kOpenModeByte      shared open = read lock, exclusive open = write lock, held while open
//   kAppendByte        write lock while the header is read and rewritten: appends, and the
//                      checks of a table against its indexes
//   kLockBase + r      record r (1-based) locked for writing
//   kLockBase ...      to the end of the range: the table lock, which so also keeps other
//                      terminals from appending while it is held
//
// Index files use one byte, kIndexByte: readers take a read lock to look at the change
// counter, writers a write lock while they add to the journal.
//
// A terminal's own lock file ("DIRET" + terminal + ".LCK" in the program folder) is
// write-locked at kTerminalByte by the program running as that terminal, for the run.
// It is a file of its own because the folder list itself may be replaced by a pack.
#pragma once
#include <sys/types.h>

#include <cstdint>

namespace vormel::storage {

constexpr off_t kLockBase = 1'000'000'000;
constexpr off_t kOpenModeByte = kLockBase - 1;
constexpr off_t kAppendByte = kLockBase;
constexpr off_t kTableLockStart = kLockBase;
constexpr off_t kTableLockLength = 0;  // to the end of the file's offset range
constexpr off_t kIndexByte = kLockBase;
constexpr off_t kTerminalByte = kLockBase;

constexpr off_t record_lock_offset(uint32_t recno) { return kLockBase + static_cast<off_t>(recno); }

}  // namespace vormel::storage
