// The reference tables supplied with the program (code lists of the tax authority,
// help texts) live as reviewed UTF-8 text files under data/; a table missing from the
// program folder is made from its file. The format is described in data/README.md.
#pragma once
#include <string>
#include <vector>

#include "storage/field.h"

namespace vormel::storage {

// The folder of the text sources: $VORMEL_DATA, else "data" beside or above the
// program, else the source tree's.
std::string reference_data_folder();

struct ReferenceSource {
  std::string table;  // the name the program opens it by
  Layout layout;
  std::vector<std::vector<std::string>> rows;  // fields as CP850 text, memo escapes undone
};

// Reads a text source; StorageError naming the file and line when it is malformed.
ReferenceSource read_reference_source(const std::string& path);
// Whether the program supplies table `name` from a text source.
bool has_reference_source(const std::string& name);
// Makes table `name` at `path` (a ".DBF" path) from its source; false when the program
// has no source for it.
bool build_reference_table(const std::string& name, const std::string& path);

}  // namespace vormel::storage
