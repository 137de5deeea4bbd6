#include "storage/reference_data.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "core/cp850.h"
#include "core/date.h"
#include "core/decimal.h"
#include "core/text.h"
#include "storage/dbf_table.h"
#include "storage/error.h"
#include "storage/file.h"
#include "storage/layout_text.h"
#include "storage/paths.h"

#ifndef VORMEL_SOURCE_DATA
#define VORMEL_SOURCE_DATA "data"
#endif

namespace vormel::storage {

namespace {

std::string program_folder() {
  char buffer[4096];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return {};
  return split_path(std::string(buffer, size_t(n))).first;
}

std::vector<std::string> split_tabs(const std::string& line) {
  std::vector<std::string> out(1);
  for (char c : line) {
    if (c == '\t') out.emplace_back();
    else out.back() += c;
  }
  return out;
}

std::string unescape_memo(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      char next = text[++i];
      if (next == 'n') out += "\r\n";
      else out += next;
    } else {
      out += text[i];
    }
  }
  return out;
}

// A memo file in the dBASE III way: 512-byte blocks, block 0 holding the next free one;
// returns the first block of each text.
std::vector<uint32_t> write_memo_file(const std::string& path, const std::vector<std::string>& texts) {
  std::string bytes(512, '\0');
  std::vector<uint32_t> blocks;
  for (const auto& t : texts) {
    if (t.empty()) {
      blocks.push_back(0);
      continue;
    }
    blocks.push_back(uint32_t(bytes.size() / 512));
    bytes += t;
    bytes += "\x1A\x1A";
    bytes.resize((bytes.size() + 511) / 512 * 512, '\0');
  }
  uint32_t next = uint32_t(bytes.size() / 512);
  for (int i = 0; i < 4; ++i) bytes[size_t(i)] = char(next >> (8 * i));
  TemporaryName temporary(temporary_name(path));
  {
    auto file = File::create_new(temporary.path());
    file->write_at(bytes.data(), bytes.size(), 0);
    file->sync();
  }
  replace_file(temporary.path(), path);
  temporary.renamed();
  return blocks;
}

}  // namespace

std::string reference_data_folder() {
  if (const char* env = std::getenv("VORMEL_DATA"); env && *env) {
    std::string folder = env;
    return folder.back() == '/' ? folder : folder + "/";
  }
  std::string exe = program_folder();
  for (const std::string& candidate : {exe + "data/", exe + "../data/", exe + "../share/vormel/data/"})
    if (file_exists(candidate, "README.md")) return candidate;
  return std::string(VORMEL_SOURCE_DATA) + "/";
}

ReferenceSource read_reference_source(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw StorageError("Não foi possível ler " + path + ".");
  ReferenceSource source;
  std::string line;
  int number = 0;
  auto fail = [&](const std::string& why) {
    throw StorageError(path + ", linha " + std::to_string(number) + ": " + why);
  };
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (line.rfind("@table ", 0) == 0) {
      source.table = core::trim(line.substr(7));
      continue;
    }
    if (line.rfind("@fields ", 0) == 0) {
      try {
        source.layout = parse_layout(line.substr(8));
      } catch (const StorageError& e) {
        fail(e.what());
      }
      continue;
    }
    if (source.layout.empty()) fail("registro antes de @fields");
    std::vector<std::string> fields = split_tabs(line);
    if (fields.size() != source.layout.size())
      fail(std::to_string(fields.size()) + " campos em vez de " + std::to_string(source.layout.size()));
    for (size_t i = 0; i < fields.size(); ++i) {
      std::string text = core::cp850::from_utf8(fields[i], '\x7F');
      if (text.find('\x7F') != std::string::npos) fail("caractere fora da página 850 em \"" + fields[i] + "\"");
      const FieldSpec& f = source.layout[i];
      if (f.type == 'M') text = unescape_memo(text);
      else if (f.type == 'C' && int(text.size()) > f.width) fail("\"" + fields[i] + "\" não cabe em " + f.name);
      fields[i] = text;
    }
    source.rows.push_back(std::move(fields));
  }
  if (source.table.empty() || source.layout.empty()) throw StorageError(path + ": falta @table ou @fields.");
  return source;
}

bool has_reference_source(const std::string& name) {
  return find_file(reference_data_folder(), name + ".txt").has_value();
}

bool build_reference_table(const std::string& name, const std::string& path) {
  std::string folder = reference_data_folder();
  auto source_path = find_file(folder, name + ".txt");
  if (!source_path) return false;
  ReferenceSource source = read_reference_source(*source_path);

  std::vector<std::string> memo_texts;
  int memo_field = -1;
  for (size_t i = 0; i < source.layout.size(); ++i)
    if (source.layout[i].type == 'M') memo_field = int(i);
  if (memo_field >= 0) {
    for (const auto& row : source.rows) memo_texts.push_back(row[size_t(memo_field)]);
    auto [dbf_folder, dbf_name] = split_path(path);
    std::string base = dbf_name.substr(0, dbf_name.rfind('.'));
    auto blocks = write_memo_file(dbf_folder + base + ".DBT", memo_texts);
    for (size_t r = 0; r < source.rows.size(); ++r)
      source.rows[r][size_t(memo_field)] = blocks[r] ? std::to_string(blocks[r]) : "";
  }

  std::vector<std::string> records;
  for (const auto& row : source.rows) {
    std::string record = " ";
    for (size_t i = 0; i < row.size(); ++i) {
      const FieldSpec& f = source.layout[i];
      core::Value value = row[i];
      if (f.type == 'N') {
        auto n = core::Decimal::parse(row[i]);
        if (!row[i].empty() && !n) throw StorageError(*source_path + ": número inválido \"" + row[i] + "\"");
        value = n ? core::Value(*n) : core::Value(std::string());
      } else if (f.type == 'D') {
        value = core::STOD(row[i]);
      } else if (f.type == 'L') {
        value = row[i] == "T";
      } else if (f.type == 'M') {
        std::string digits = row[i];
        record += std::string(10 - std::min<size_t>(10, digits.size()), ' ') + digits;
        continue;
      }
      record += encode_field(f, value, *source_path);
    }
    records.push_back(std::move(record));
  }
  Table::create(path, source.layout, records);
  return true;
}

}  // namespace vormel::storage
