// A dBASE III table file: header, field descriptors, fixed-width records with the
// deleted mark, and the end-of-file byte; readable by ordinary DBF tools. Text fields
// wider than 255 keep the high byte of their width in the decimals byte, the usual
// extension. The memo file of a table (".DBT") is read here too.
//
// The record count always comes from the file size, never from a cached figure, since
// another terminal may have appended; appends take the append lock, write the record,
// then the header.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/value.h"
#include "storage/field.h"
#include "storage/file_registry.h"

namespace vormel::storage {

class Table {
 public:
  // Opens an existing table; StorageError (naming the file) when it is missing or is
  // not a sound table. Takes no lock.
  static std::unique_ptr<Table> open(const std::string& path);
  // Creates the table at `path` with the layout and the given records (already
  // encoded), through a temporary file: when `path` exists meanwhile it is left as it
  // is and false is returned. `memo_texts` (HELPTXT) writes the ".DBT" beside it.
  // `durable` false skips the flushes, for a terminal's scratch copies, which lose
  // nothing the folder's tables do not hold.
  static bool create(const std::string& path, const Layout& layout,
                     const std::vector<std::string>& records = {}, bool durable = true);

  ~Table();
  const std::string& path() const { return path_; }
  const std::vector<Field>& fields() const { return fields_; }
  const Field* field(std::string_view name) const;  // any case; nullptr when absent
  int record_length() const { return record_length_; }
  uint32_t record_count() const;

  // A record of blanks, not deleted.
  std::string blank_record() const { return std::string(record_length_, ' '); }
  // Reads record `recno` (1-based); false when beyond the end.
  bool read(uint32_t recno, std::string& record) const;
  void write(uint32_t recno, const std::string& record);
  // Writes only the bytes of one field (and nothing else of the record).
  void write_field(uint32_t recno, const Field& f, const std::string& record);
  void write_deleted_mark(uint32_t recno, bool deleted);
  // Appends a record; the caller holds the append lock. Returns its number.
  uint32_t append(const std::string& record);

  static bool is_deleted(const std::string& record) { return !record.empty() && record[0] == '*'; }
  core::Value get(const Field& f, const std::string& record) const;
  // Puts a value into the record buffer; StorageError when a number does not fit.
  void put(const Field& f, std::string& record, const core::Value& value) const;
  // Memo text of a memo field ("" when empty).
  std::string memo(const Field& f, const std::string& record) const;

  // Locks (see lock_layout.h). Open mode: taken once per table object.
  bool lock_open_mode(bool exclusive);
  void unlock_open_mode();
  bool exclusive() const { return mode_ == Mode::Exclusive; }
  bool try_lock_record(uint32_t recno);
  void unlock_record(uint32_t recno);
  bool try_lock_table();
  void unlock_table();
  bool try_lock_append();
  void lock_append();  // waits; held only for a few writes
  void unlock_append();
  // Upgrades a shared open to exclusive when nobody else has the table open.
  bool try_become_alone();
  void stop_being_alone();

  // Removes the deleted records through a temporary file renamed over the table; the
  // table must be open exclusively. Returns how many records were removed.
  uint32_t pack();
  SharedFile file() const { return file_; }

 private:
  Table() = default;
  void read_header();
  void write_header_count(uint32_t count);

  enum class Mode { None, Shared, Exclusive };
  std::string path_;
  SharedFile file_;
  SharedFile memo_file_;
  std::vector<Field> fields_;
  std::unordered_map<std::string, size_t> by_name_;  // upper-case name → field
  int header_length_ = 0;
  int record_length_ = 0;
  uint8_t version_ = 0x03;
  Mode mode_ = Mode::None;
};

// Encodes a layout's header (descriptors included) for `count` records.
std::string encode_header(const Layout& layout, uint32_t count, bool has_memo);
// A value as the bytes of a field; StorageError (naming `file`) when a number is too wide.
std::string encode_field(const FieldSpec& f, const core::Value& value, const std::string& file);

}  // namespace vormel::storage
