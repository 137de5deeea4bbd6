#include "storage/index_order.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "storage/error.h"
#include "storage/lock_layout.h"
#include "storage/paths.h"

namespace vormel::storage {

namespace {

// Header layout. Bytes 24..39 change while the order is in use; the rest is fixed when
// the order is built and covered by the header checksum.
constexpr char kMagic[8] = {'V', 'M', 'L', 'I', 'D', 'X', '\r', 0x1A};
constexpr uint32_t kFormatVersion = 1;
constexpr size_t kHeaderSize = 512;
constexpr size_t kAtCovered = 24;  // u32 table records seen, u32 flags, u64 journal length
constexpr size_t kAtBaseCrc = 40;
constexpr size_t kAtExpression = 44;  // u32 length, then the text
constexpr size_t kMaxExpression = 400;
constexpr size_t kAtHeaderCrc = 508;
constexpr uint32_t kFlagReplaced = 1;  // a newer build took this file's place

uint32_t get32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t(p[3]) << 24); }
void put32(uint8_t* p, uint32_t v) { for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i)); }
uint64_t get64(const uint8_t* p) { return get32(p) | (uint64_t(get32(p + 4)) << 32); }
void put64(uint8_t* p, uint64_t v) { put32(p, uint32_t(v)); put32(p + 4, uint32_t(v >> 32)); }

uint32_t crc32(const uint8_t* data, size_t n, uint32_t crc = 0) {
  static const auto table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t header_crc(const uint8_t* h) {
  uint32_t crc = crc32(h, kAtCovered);
  return crc32(h + kAtBaseCrc, kAtHeaderCrc - kAtBaseCrc, crc);
}

std::string base_name_of(const std::string& path) {
  std::string name = split_path(path).second;
  auto dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  for (auto& c : name) c = char(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

// Writes a whole order file (header and base) to a temporary file and renames it over
// `path`. The old file, when there is one, is marked replaced first, so that work areas
// still holding it reload.
void write_order_file(const std::string& path, const KeyExpression& key, uint32_t covered,
                      const std::vector<uint32_t>& sorted, const std::string& keys, bool durable = true) {
  const size_t klen = size_t(key.length());
  const size_t entry = 4 + klen;
  std::string bytes(kHeaderSize + sorted.size() * entry, '\0');
  auto* h = reinterpret_cast<uint8_t*>(bytes.data());
  std::memcpy(h, kMagic, 8);
  put32(h + 8, kFormatVersion);
  put32(h + 12, uint32_t(klen));
  put32(h + 16, key.numeric() ? 1 : 0);
  put32(h + 20, uint32_t(sorted.size()));
  put32(h + kAtCovered, covered);
  uint8_t* base = h + kHeaderSize;
  for (size_t i = 0; i < sorted.size(); ++i) {
    put32(base + i * entry, sorted[i]);
    std::memcpy(base + i * entry + 4, keys.data() + size_t(sorted[i]) * klen, klen);
  }
  put32(h + kAtBaseCrc, crc32(base, sorted.size() * entry));
  std::string expression = key.text().substr(0, kMaxExpression);
  put32(h + kAtExpression, uint32_t(expression.size()));
  std::memcpy(h + kAtExpression + 4, expression.data(), expression.size());
  put32(h + kAtHeaderCrc, header_crc(h));

  TemporaryName temporary(temporary_name(path));
  {
    auto out = File::create_new(temporary.path());
    out->write_at(bytes.data(), bytes.size(), 0);
    if (durable) out->sync();
  }
  if (SharedFile old = open_shared(path)) {
    uint8_t flags[4];
    put32(flags, kFlagReplaced);
    old->wait_lock(kIndexByte, 1, LockKind::Write);
    old->write_at(flags, 4, kAtCovered + 4);
    old->unlock(kIndexByte, 1);
  }
  if (durable) replace_file(temporary.path(), path);
  else if (::rename(temporary.path().c_str(), path.c_str()) != 0) throw StorageError("Não foi possível substituir " + path);
  temporary.renamed();
  forget_shared(path);
}

}  // namespace

struct IndexOrder::Less {
  const IndexOrder& order;
  bool operator()(uint32_t a, uint32_t b) const {
    int c = std::memcmp(order.key_of(a).data(), order.key_of(b).data(), size_t(order.key_.length()));
    return c < 0 || (c == 0 && a < b);
  }
};

IndexOrder::IndexOrder(std::string path, KeyExpression key, Table& table)
    : path_(std::move(path)), name_(base_name_of(path_)), key_(std::move(key)), table_(table) {}

void IndexOrder::build(const std::string& path, std::string_view expression, Table& table, bool durable) {
  KeyExpression key = KeyExpression::compile(expression, table);
  const size_t klen = size_t(key.length());
  uint32_t count = table.record_count();
  std::string keys((size_t(count) + 1) * klen, ' ');
  std::vector<uint32_t> sorted(count);
  std::string record;
  for (uint32_t r = 1; r <= count; ++r) {
    table.read(r, record);
    std::string k = key.evaluate(record);
    std::memcpy(keys.data() + size_t(r) * klen, k.data(), klen);
    sorted[r - 1] = r;
  }
  std::stable_sort(sorted.begin(), sorted.end(), [&](uint32_t a, uint32_t b) {
    return std::memcmp(keys.data() + size_t(a) * klen, keys.data() + size_t(b) * klen, klen) < 0;
  });
  write_order_file(path, key, count, sorted, keys, durable);
}

std::unique_ptr<IndexOrder> IndexOrder::open(const std::string& path, std::string_view expression, Table& table,
                                             std::string* why) {
  std::unique_ptr<IndexOrder> order(new IndexOrder(path, KeyExpression::compile(expression, table), table));
  if (!order->load(why)) return nullptr;
  return order;
}

bool IndexOrder::load(std::string* why) {
  auto unusable = [&](const std::string& text) {
    if (why) *why = "O índice " + path_ + " " + text;
    return false;
  };
  file_ = open_shared(path_);
  if (!file_) return unusable("não existe.");
  keys_.clear();
  present_.clear();
  sorted_.clear();
  applied_ = 0;
  file_->wait_lock(kIndexByte, 1, LockKind::Read);
  struct Unlock {
    File& f;
    ~Unlock() { f.unlock(kIndexByte, 1); }
  } unlock{*file_};

  uint8_t h[kHeaderSize];
  if (file_->read_at(h, kHeaderSize, 0) < kHeaderSize || std::memcmp(h, kMagic, 8) != 0)
    return unusable("não é um índice deste programa.");
  if (get32(h + 8) != kFormatVersion) return unusable("é de outra versão do programa.");
  if (header_crc(h) != get32(h + kAtHeaderCrc)) return unusable("está danificado (cabeçalho).");
  uint32_t expression_length = get32(h + kAtExpression);
  std::string expression(reinterpret_cast<const char*>(h + kAtExpression + 4), std::min<size_t>(expression_length, kMaxExpression));
  if (expression != key_.text().substr(0, kMaxExpression) || get32(h + 12) != uint32_t(key_.length()))
    return unusable("foi feito com outra chave.");
  if (get32(h + kAtCovered + 4) & kFlagReplaced) return unusable("foi substituído.");
  base_count_ = get32(h + 20);
  covered_ = get32(h + kAtCovered);
  uint64_t journal = get64(h + kAtCovered + 8);
  const size_t klen = size_t(key_.length()), entry = 4 + klen;
  if (uint64_t(file_->size()) < kHeaderSize + (base_count_ + journal) * entry)
    return unusable("está truncado.");
  if (covered_ > table_.record_count()) return unusable("tem registros que a tabela não tem.");

  std::string base(size_t(base_count_) * entry, '\0');
  file_->read_at(base.data(), base.size(), kHeaderSize);
  const auto* b = reinterpret_cast<const uint8_t*>(base.data());
  if (crc32(b, base.size()) != get32(h + kAtBaseCrc)) return unusable("está danificado.");
  keys_.assign((size_t(covered_) + 1) * klen, ' ');
  present_.assign(size_t(covered_) + 1, 0);
  sorted_.reserve(base_count_);
  for (uint32_t i = 0; i < base_count_; ++i) {
    uint32_t r = get32(b + i * entry);
    if (r == 0 || r > covered_ || present_[r]) return unusable("está danificado.");
    std::memcpy(keys_.data() + size_t(r) * klen, b + i * entry + 4, klen);
    present_[r] = 1;
    sorted_.push_back(r);
  }
  // The checksum vouches for the base; a base out of order is damage all the same.
  for (size_t i = 1; i < sorted_.size(); ++i)
    if (std::memcmp(key_of(sorted_[i - 1]).data(), key_of(sorted_[i]).data(), klen) > 0)
      return unusable("está danificado.");
  replay_journal(journal);
  return true;
}

void IndexOrder::replay_journal(uint64_t upto) {
  if (upto <= applied_) return;
  const size_t klen = size_t(key_.length()), entry = 4 + klen;
  std::string bytes(size_t(upto - applied_) * entry, '\0');
  file_->read_at(bytes.data(), bytes.size(), off_t(kHeaderSize + (base_count_ + applied_) * entry));
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  for (uint64_t i = 0; i < upto - applied_; ++i) {
    uint32_t r = get32(p + i * entry);
    if (r != 0) apply(r, std::string_view(reinterpret_cast<const char*>(p + i * entry + 4), klen));
  }
  applied_ = upto;
}

void IndexOrder::apply(uint32_t recno, std::string_view key) {
  const size_t klen = size_t(key_.length());
  if (recno >= present_.size()) {
    present_.resize(size_t(recno) + 1, 0);
    keys_.resize((size_t(recno) + 1) * klen, ' ');
  }
  if (present_[recno]) {
    if (key_of(recno) == key) return;
    auto at = std::lower_bound(sorted_.begin(), sorted_.end(), recno, Less{*this});
    if (at != sorted_.end() && *at == recno) sorted_.erase(at);
  }
  std::memcpy(keys_.data() + size_t(recno) * klen, key.data(), klen);
  present_[recno] = 1;
  sorted_.insert(std::lower_bound(sorted_.begin(), sorted_.end(), recno, Less{*this}), recno);
  covered_ = std::max(covered_, recno);
}

void IndexOrder::refresh(bool look_for_appends) {
  uint8_t part[16];
  // A glance at the header first: when neither the counter nor the flags moved there
  // is nothing to replay, and no lock is needed to know it.
  file_->read_at(part, sizeof part, kAtCovered);
  if (get64(part + 8) != applied_ || get32(part + 4) != 0) {
    file_->wait_lock(kIndexByte, 1, LockKind::Read);
    file_->read_at(part, sizeof part, kAtCovered);
    uint32_t flags = get32(part + 4);
    if (!(flags & kFlagReplaced)) replay_journal(get64(part + 8));
    file_->unlock(kIndexByte, 1);
    if (flags & kFlagReplaced) {
      // Rebuilt by another work area: take the new file.
      std::string why;
      if (!load(&why)) throw StorageError(why);
      return;
    }
  }
  if (look_for_appends && table_.record_count() > covered_) catch_up();
}

void IndexOrder::catch_up() {
  // Rows appended by a program that does not keep this order: add them now, under the
  // table's append lock so that no append is half done meanwhile. While another
  // terminal holds the table it waits for a later look.
  if (!table_.try_lock_append()) return;
  file_->wait_lock(kIndexByte, 1, LockKind::Write);
  try {
    uint8_t part[16];
    file_->read_at(part, sizeof part, kAtCovered);
    replay_journal(get64(part + 8));
    uint32_t count = table_.record_count();
    std::string record;
    for (uint32_t r = covered_ + 1; r <= count; ++r) {
      table_.read(r, record);
      write_entry(r, key_.evaluate(record));
    }
  } catch (...) {
    file_->unlock(kIndexByte, 1);
    table_.unlock_append();
    throw;
  }
  file_->unlock(kIndexByte, 1);
  table_.unlock_append();
}

void IndexOrder::write_entry(uint32_t recno, const std::string& key) {
  const size_t klen = size_t(key_.length()), entry = 4 + klen;
  std::string bytes(entry, '\0');
  put32(reinterpret_cast<uint8_t*>(bytes.data()), recno);
  std::memcpy(bytes.data() + 4, key.data(), klen);
  file_->write_at(bytes.data(), entry, off_t(kHeaderSize + (base_count_ + applied_) * entry));
  uint8_t part[16];
  put32(part, std::max(covered_, recno));
  put32(part + 4, 0);
  put64(part + 8, applied_ + 1);
  file_->write_at(part, sizeof part, kAtCovered);
  ++applied_;
  apply(recno, key);
}

void IndexOrder::record_written(uint32_t recno, const std::string& record) {
  std::string key = key_.evaluate(record);
  file_->wait_lock(kIndexByte, 1, LockKind::Write);
  try {
    uint8_t part[16];
    file_->read_at(part, sizeof part, kAtCovered);
    replay_journal(get64(part + 8));
    // Rows appended meanwhile without this order (other programs) come first.
    std::string other;
    for (uint32_t r = covered_ + 1; r < recno; ++r) {
      table_.read(r, other);
      write_entry(r, key_.evaluate(other));
    }
    if (recno >= present_.size() || !present_[recno] || key_of(recno) != key) write_entry(recno, key);
  } catch (...) {
    file_->unlock(kIndexByte, 1);
    throw;
  }
  file_->unlock(kIndexByte, 1);
}

void IndexOrder::compact() {
  if (applied_ == 0) return;
  write_order_file(path_, key_, covered_, sorted_, keys_);
  std::string why;
  if (!load(&why)) throw StorageError(why);
}

size_t IndexOrder::lower_bound(std::string_view bytes) const {
  const size_t n = std::min(bytes.size(), size_t(key_.length()));
  auto at = std::partition_point(sorted_.begin(), sorted_.end(), [&](uint32_t r) {
    return std::memcmp(key_of(r).data(), bytes.data(), n) < 0;
  });
  return size_t(at - sorted_.begin());
}

size_t IndexOrder::position_of(uint32_t recno) const {
  if (recno >= present_.size() || !present_[recno]) return sorted_.size();
  auto at = std::lower_bound(sorted_.begin(), sorted_.end(), recno, Less{*this});
  return (at != sorted_.end() && *at == recno) ? size_t(at - sorted_.begin()) : sorted_.size();
}

}  // namespace vormel::storage
