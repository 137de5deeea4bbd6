// File names on Linux: created in the case the program gives them, found whatever
// their case, so folders copied from other systems still open.
#pragma once
#include <optional>
#include <string>

namespace vormel::storage {

// `folder` + `name`, where the name matches an existing entry of the folder ignoring
// case; nullopt when there is none.
std::optional<std::string> find_file(const std::string& folder, const std::string& name);
// The path to use for `name` in `folder`: the existing file when there is one in
// any case, otherwise the name as given.
std::string file_path(const std::string& folder, const std::string& name);
bool file_exists(const std::string& folder, const std::string& name);
bool folder_exists(const std::string& folder);
// Removes the file of that name (any case); true when one was removed.
bool remove_file(const std::string& folder, const std::string& name);
// Splits a path into folder (with its trailing "/", or "") and file name.
std::pair<std::string, std::string> split_path(const std::string& path);

}  // namespace vormel::storage
