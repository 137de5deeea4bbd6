// What the storage layer throws when a file cannot be used as a table or an index.
// The text is for the user: it names the file and says what is wrong with it. It is
// kept in UTF-8 (for logs and tests); screens show it in CP850.
#pragma once
#include <stdexcept>
#include <string>

#include "core/cp850.h"

namespace vormel::storage {

struct StorageError : std::runtime_error {
  using std::runtime_error::runtime_error;
  std::string text_cp850() const { return core::cp850::from_utf8(what()); }
};

}  // namespace vormel::storage
