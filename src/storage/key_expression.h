// Index key expressions over a table's fields, the small language the index orders are
// written in: field names, "+" to join texts, UPPER(), STR(number, width[, decimals]),
// DTOS(date) and DTOC(date); names in any case. A single numeric field gives a numeric
// key that sorts by value; everything else gives a text key of fixed length that sorts
// by its CP850 bytes (UPPER uses the program's one upper-case rule).
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/value.h"
#include "storage/dbf_table.h"

namespace vormel::storage {

class KeyExpression {
 public:
  // StorageError when the expression names an unknown field or function.
  static KeyExpression compile(std::string_view text, const Table& table);

  const std::string& text() const { return text_; }
  bool numeric() const { return numeric_; }
  int length() const { return length_; }
  // The key of a record, length() bytes.
  std::string evaluate(const std::string& record) const;
  // The bytes a seek compares: a number for a numeric key (exact), a text for a text
  // key (which may be shorter than the key: a prefix).
  std::string seek_bytes(const core::Value& value) const;
  // True when the key is made from that field (so writing it may change the key).
  bool uses(const Field& field) const;

  struct Node;

 private:
  std::string text_;
  bool numeric_ = false;
  int length_ = 0;
  int decimals_ = 0;
  std::shared_ptr<const Node> root_;
  std::vector<int> field_offsets_;
};

// A number as 8 bytes that sort like the number (scaled to `decimals`).
std::string numeric_key(const core::Decimal& value, int decimals);

}  // namespace vormel::storage
