// Every table of the program by its number (which is also its work area): the layout
// the program creates it with, and how it is opened: from which folder, in which mode,
// with which index orders. Numbers 21–40 are second copies of 1–20.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "storage/field.h"

namespace vormel::storage {

enum class Folder { Work, Program };
enum class OpenMode { Shared, AsAsked, Exclusive };

struct OrderDef {
  std::string expression;
  std::string file;  // index file base name; "" = the table's own, "B"/"C" = table + letter
};

struct TableDef {
  int number = 0;
  std::string name;    // "IMP09", "CONFIG", "DIRET" (the terminal number follows), "LisErro"
  const char* layout;  // nullptr: a reference table supplied with the program
  Folder folder = Folder::Program;
  OpenMode mode = OpenMode::Shared;
  std::vector<OrderDef> orders;
  bool per_terminal = false;  // the file name carries the terminal number
};

// The table of that number (21–40 give the table of number − 20); nullptr when none.
const TableDef* table_def(int number);
const std::vector<TableDef>& all_tables();
// The layout the program creates table `number` with; empty when it has none.
Layout layout_of(int number);
// The file base name: "IMP0916", "DIRET03", "CONFIG".
std::string file_base_name(const TableDef& def, const std::string& terminal);

}  // namespace vormel::storage
