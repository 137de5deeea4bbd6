#include "storage/dbf_table.h"

#include <unistd.h>

#include <cstring>
#include <ctime>

#include "core/cp850.h"
#include "core/date.h"
#include "storage/error.h"
#include "storage/lock_layout.h"
#include "storage/paths.h"

namespace vormel::storage {

namespace {

constexpr uint8_t kVersionPlain = 0x03;
constexpr uint8_t kVersionMemo = 0x83;
constexpr uint8_t kCodePage850 = 0x02;
constexpr char kEndOfFile = 0x1A;

uint32_t get32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
uint16_t get16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
void put32(uint8_t* p, uint32_t v) { for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i)); }
void put16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }

[[noreturn]] void bad(const std::string& path, const std::string& why) {
  throw StorageError("O arquivo " + path + " " + why);
}

// Checks a field descriptor against what each type can be.
bool sound_field(const FieldSpec& f) {
  switch (f.type) {
    case 'C': return f.width >= 1 && f.width <= 65535;
    case 'N': return f.width >= 1 && f.width <= 20 && f.decimals >= 0 && (f.decimals == 0 || f.decimals < f.width - 1);
    case 'D': return f.width == 8;
    case 'L': return f.width == 1;
    case 'M': return f.width == 10;
    default: return false;
  }
}

void stamp_date(uint8_t* header) {
  std::time_t now = std::time(nullptr);
  std::tm tm {};
  localtime_r(&now, &tm);
  header[1] = uint8_t(tm.tm_year);  // years since 1900, as dBASE writes it
  header[2] = uint8_t(tm.tm_mon + 1);
  header[3] = uint8_t(tm.tm_mday);
}

}  // namespace

std::string encode_header(const Layout& layout, uint32_t count, bool has_memo) {
  size_t header_length = 32 + 32 * layout.size() + 1;
  std::string out(header_length, '\0');
  auto* h = reinterpret_cast<uint8_t*>(out.data());
  h[0] = has_memo ? kVersionMemo : kVersionPlain;
  stamp_date(h);
  put32(h + 4, count);
  put16(h + 8, uint16_t(header_length));
  int record_length = 1;
  for (const auto& f : layout) record_length += f.width;
  put16(h + 10, uint16_t(record_length));
  h[29] = kCodePage850;
  for (size_t i = 0; i < layout.size(); ++i) {
    uint8_t* d = h + 32 + 32 * i;
    const auto& f = layout[i];
    std::string name = core::cp850::upper(f.name).substr(0, 10);
    std::memcpy(d, name.data(), name.size());
    d[11] = uint8_t(f.type);
    if (f.type == 'C') {
      d[16] = uint8_t(f.width & 0xFF);
      d[17] = uint8_t(f.width >> 8);
    } else {
      d[16] = uint8_t(f.width);
      d[17] = uint8_t(f.decimals);
    }
  }
  h[header_length - 1] = 0x0D;
  return out;
}

std::string encode_field(const FieldSpec& f, const core::Value& value, const std::string& file) {
  std::string out;
  switch (f.type) {
    case 'C':
    case 'M': {
      const std::string* text = std::get_if<std::string>(&value);
      out = text ? *text : std::string();
      break;
    }
    case 'N': {
      const core::Decimal* n = std::get_if<core::Decimal>(&value);
      if (!n) return std::string(size_t(f.width), ' ');
      std::string digits = n->to_string(f.decimals);
      if (int(digits.size()) > f.width)
        throw StorageError("O valor " + digits + " não cabe no campo " + f.name + " (N" +
                           std::to_string(f.width) + "." + std::to_string(f.decimals) + ") de " + file);
      out.assign(size_t(f.width) - digits.size(), ' ');
      out += digits;
      break;
    }
    case 'D': {
      const core::Date* d = std::get_if<core::Date>(&value);
      out = d ? core::DTOS(*d) : std::string(8, ' ');
      break;
    }
    case 'L': {
      const bool* b = std::get_if<bool>(&value);
      out.assign(1, (b && *b) ? 'T' : 'F');
      break;
    }
  }
  out.resize(size_t(f.width), ' ');
  return out;
}

Table::~Table() { unlock_open_mode(); }

std::unique_ptr<Table> Table::open(const std::string& path) {
  SharedFile file = open_shared(path);
  if (!file) throw StorageError("O arquivo " + path + " não existe.");
  std::unique_ptr<Table> table(new Table());
  table->path_ = path;
  table->file_ = file;
  table->read_header();
  for (const auto& f : table->fields_) {
    if (f.type != 'M') continue;
    auto [folder, name] = split_path(path);
    auto dot = name.rfind('.');
    std::string memo_name = (dot == std::string::npos ? name : name.substr(0, dot)) + ".DBT";
    if (auto found = find_file(folder, memo_name)) table->memo_file_ = open_shared(*found);
    break;
  }
  return table;
}

void Table::read_header() {
  uint8_t head[32];
  off_t size = file_->size();
  if (file_->read_at(head, 32, 0) < 32) bad(path_, "está truncado: não tem nem o cabeçalho de uma tabela.");
  if (head[0] != kVersionPlain && head[0] != kVersionMemo)
    bad(path_, "não é uma tabela dBASE (cabeçalho desconhecido).");
  version_ = head[0];
  uint32_t count = get32(head + 4);
  header_length_ = get16(head + 8);
  record_length_ = get16(head + 10);
  if (header_length_ < 65 || (header_length_ - 1) % 32 != 0 || record_length_ < 2)
    bad(path_, "não é uma tabela dBASE (cabeçalho inválido).");
  if (size < header_length_) bad(path_, "está truncado: o cabeçalho não está completo.");
  std::string descriptors(size_t(header_length_ - 32), '\0');
  file_->read_at(descriptors.data(), descriptors.size(), 32);
  int offset = 1;
  size_t n = (size_t(header_length_) - 33) / 32;
  for (size_t i = 0; i < n; ++i) {
    const auto* d = reinterpret_cast<const uint8_t*>(descriptors.data() + 32 * i);
    if (d[0] == 0x0D) bad(path_, "não é uma tabela dBASE (lista de campos incompleta).");
    Field f;
    f.name.assign(reinterpret_cast<const char*>(d), strnlen(reinterpret_cast<const char*>(d), 11));
    f.type = char(d[11]);
    if (f.type == 'C') {
      f.width = d[16] | (d[17] << 8);
    } else {
      f.width = d[16];
      f.decimals = d[17];
    }
    if (f.name.empty() || !sound_field(f))
      bad(path_, "tem um campo impossível: \"" + f.name + "\" tipo " + std::string(1, f.type) +
                     " largura " + std::to_string(f.width) + ".");
    f.offset = offset;
    offset += f.width;
    by_name_.emplace(core::cp850::upper(f.name), fields_.size());
    fields_.push_back(f);
  }
  if (descriptors.back() != 0x0D) bad(path_, "não é uma tabela dBASE (fim da lista de campos ausente).");
  if (offset != record_length_)
    bad(path_, "não é uma tabela dBASE: os campos somam " + std::to_string(offset) +
                   " bytes e o registro tem " + std::to_string(record_length_) + ".");
  uint64_t whole = uint64_t(size - header_length_) / uint64_t(record_length_);
  if (count > whole)
    bad(path_, "está truncado: o cabeçalho anuncia " + std::to_string(count) + " registros e o arquivo tem " +
                   std::to_string(whole) + ".");
}

const Field* Table::field(std::string_view name) const {
  auto it = by_name_.find(core::cp850::upper(name));
  return it == by_name_.end() ? nullptr : &fields_[it->second];
}

uint32_t Table::record_count() const {
  // Whole records in the file; the end-of-file byte and a record cut short by a crash
  // in the middle of an append do not count (the next append writes over them).
  off_t size = file_->size();
  if (size <= header_length_) return 0;
  return uint32_t(uint64_t(size - header_length_) / uint64_t(record_length_));
}

bool Table::read(uint32_t recno, std::string& record) const {
  record.resize(size_t(record_length_));
  if (recno == 0) return false;
  off_t at = header_length_ + off_t(recno - 1) * record_length_;
  return file_->read_at(record.data(), record.size(), at) == record.size();
}

void Table::write(uint32_t recno, const std::string& record) {
  file_->write_at(record.data(), size_t(record_length_), header_length_ + off_t(recno - 1) * record_length_);
}

void Table::write_field(uint32_t recno, const Field& f, const std::string& record) {
  file_->write_at(record.data() + f.offset, size_t(f.width),
                  header_length_ + off_t(recno - 1) * record_length_ + f.offset);
}

void Table::write_deleted_mark(uint32_t recno, bool deleted) {
  char mark = deleted ? '*' : ' ';
  file_->write_at(&mark, 1, header_length_ + off_t(recno - 1) * record_length_);
}

uint32_t Table::append(const std::string& record) {
  uint32_t recno = record_count() + 1;
  std::string bytes = record;
  bytes.resize(size_t(record_length_), ' ');
  bytes.push_back(kEndOfFile);
  file_->write_at(bytes.data(), bytes.size(), header_length_ + off_t(recno - 1) * record_length_);
  write_header_count(recno);
  return recno;
}

void Table::write_header_count(uint32_t count) {
  uint8_t part[8];
  file_->read_at(part, 8, 0);
  stamp_date(part);
  put32(part + 4, count);
  file_->write_at(part + 1, 7, 1);
}

core::Value Table::get(const Field& f, const std::string& record) const {
  std::string_view raw(record.data() + f.offset, size_t(f.width));
  switch (f.type) {
    case 'N': {
      std::string_view t = raw;
      while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
      if (t.empty()) return core::Decimal(0).rescaled(f.decimals);
      auto n = core::Decimal::parse(t);
      return n ? n->rescaled(f.decimals, core::Rounding::HalfUp) : core::Decimal(0).rescaled(f.decimals);
    }
    case 'D': return core::STOD(raw);
    case 'L': return raw[0] == 'T' || raw[0] == 't' || raw[0] == 'Y' || raw[0] == 'y';
    case 'M': return memo(f, record);
    default: return std::string(raw);
  }
}

void Table::put(const Field& f, std::string& record, const core::Value& value) const {
  std::string bytes = encode_field(f, value, path_);
  record.replace(size_t(f.offset), size_t(f.width), bytes);
}

std::string Table::memo(const Field& f, const std::string& record) const {
  std::string_view raw(record.data() + f.offset, size_t(f.width));
  uint32_t block = 0;
  for (char c : raw)
    if (c >= '0' && c <= '9') block = block * 10 + uint32_t(c - '0');
  if (block == 0 || !memo_file_) return {};
  std::string text;
  char chunk[512];
  for (off_t at = off_t(block) * 512;; at += 512) {
    size_t got = memo_file_->read_at(chunk, sizeof chunk, at);
    for (size_t i = 0; i < got; ++i) {
      if (chunk[i] == kEndOfFile) return text;
      text.push_back(chunk[i]);
    }
    if (got < sizeof chunk || text.size() > (1u << 20)) return text;
  }
}

bool Table::lock_open_mode(bool exclusive) {
  unlock_open_mode();
  File& f = *file_;
  if (exclusive) {
    // When another work area of this process has the table, this upgrades the one lock.
    if (!f.try_lock(kOpenModeByte, 1, LockKind::Write)) return false;
    ++f.exclusive_opens;
    mode_ = Mode::Exclusive;
  } else {
    if (f.exclusive_opens == 0 && !f.try_lock(kOpenModeByte, 1, LockKind::Read)) return false;
    ++f.shared_opens;
    mode_ = Mode::Shared;
  }
  return true;
}

void Table::unlock_open_mode() {
  if (mode_ == Mode::None || !file_) return;
  File& f = *file_;
  if (mode_ == Mode::Exclusive) --f.exclusive_opens;
  else --f.shared_opens;
  mode_ = Mode::None;
  if (f.exclusive_opens == 0 && f.shared_opens == 0) f.unlock(kOpenModeByte, 1);
  else if (f.exclusive_opens == 0) f.try_lock(kOpenModeByte, 1, LockKind::Read);  // downgrade
}

bool Table::try_become_alone() {
  if (mode_ == Mode::Exclusive) return true;
  if (!file_->try_lock(kOpenModeByte, 1, LockKind::Write)) return false;
  ++file_->exclusive_opens;
  return true;
}

void Table::stop_being_alone() {
  if (mode_ == Mode::Exclusive) return;
  --file_->exclusive_opens;
  if (file_->exclusive_opens == 0) file_->try_lock(kOpenModeByte, 1, LockKind::Read);
}

bool Table::try_lock_record(uint32_t recno) { return file_->try_lock(record_lock_offset(recno), 1, LockKind::Write); }
void Table::unlock_record(uint32_t recno) { file_->unlock(record_lock_offset(recno), 1); }
bool Table::try_lock_table() { return file_->try_lock(kTableLockStart, kTableLockLength, LockKind::Write); }
void Table::unlock_table() { file_->unlock(kTableLockStart, kTableLockLength); }
bool Table::try_lock_append() { return file_->try_lock(kAppendByte, 1, LockKind::Write); }
void Table::lock_append() { file_->wait_lock(kAppendByte, 1, LockKind::Write); }
void Table::unlock_append() { file_->unlock(kAppendByte, 1); }

bool Table::create(const std::string& path, const Layout& layout, const std::vector<std::string>& records,
                   bool durable) {
  bool has_memo = false;
  for (const auto& f : layout) has_memo = has_memo || f.type == 'M';
  std::string bytes = encode_header(layout, uint32_t(records.size()), has_memo);
  for (const auto& r : records) bytes += r;
  bytes.push_back(kEndOfFile);
  TemporaryName temporary(temporary_name(path));
  {
    auto file = File::create_new(temporary.path());
    file->write_at(bytes.data(), bytes.size(), 0);
    if (durable) file->sync();
  }
  // link() refuses to replace: when another terminal created the table meanwhile,
  // its file stays and ours is dropped.
  bool made = ::link(temporary.path().c_str(), path.c_str()) == 0;
  if (made && durable) sync_folder_of(path);
  return made;
}

uint32_t Table::pack() {
  if (mode_ != Mode::Exclusive) throw StorageError("A tabela " + path_ + " precisa estar aberta com exclusividade.");
  TemporaryName temporary(temporary_name(path_));
  uint32_t count = record_count(), kept = 0;
  std::string header(size_t(header_length_), '\0');
  file_->read_at(header.data(), header.size(), 0);
  SharedFile out = File::create_new(temporary.path());
  // The new file is ours alone before anybody can see it under the table's name.
  out->try_lock(kOpenModeByte, 1, LockKind::Write);
  std::string chunk, record;
  off_t at = header_length_;
  for (uint32_t r = 1; r <= count; ++r) {
    read(r, record);
    if (is_deleted(record)) continue;
    chunk += record;
    ++kept;
    if (chunk.size() > (1u << 20)) {
      out->write_at(chunk.data(), chunk.size(), at);
      at += off_t(chunk.size());
      chunk.clear();
    }
  }
  chunk.push_back(kEndOfFile);
  out->write_at(chunk.data(), chunk.size(), at);
  put32(reinterpret_cast<uint8_t*>(header.data()) + 4, kept);
  out->write_at(header.data(), header.size(), 0);
  out->sync();
  replace_file(temporary.path(), path_);
  temporary.renamed();
  out->renamed_to(path_);
  forget_shared(path_);
  adopt_shared(out);
  ++out->exclusive_opens;
  unlock_open_mode();
  file_ = out;
  mode_ = Mode::Exclusive;
  return count - kept;
}

}  // namespace vormel::storage
