#include "storage/key_expression.h"

#include <cctype>
#include <vector>

#include "core/cp850.h"
#include "core/picture.h"
#include "storage/error.h"

namespace vormel::storage {

struct KeyExpression::Node {
  enum class Kind { Field, Join, Upper, Str, Dtos, Dtoc } kind = Kind::Field;
  const Field* field = nullptr;
  std::vector<std::shared_ptr<const Node>> parts;
  int width = 10, decimals = 0;
  char type = 'C';  // type of the result: C, N or D
  int length = 0;
};

namespace {

using Node = KeyExpression::Node;
using NodePtr = std::shared_ptr<const Node>;

std::shared_ptr<Node> make_node(Node::Kind kind) {
  auto node = std::make_shared<Node>();
  node->kind = kind;
  return node;
}

class Parser {
 public:
  Parser(std::string_view text, const Table& table) : text_(text), table_(table) {}

  NodePtr parse() {
    NodePtr node = sum();
    skip_blanks();
    if (at_ < text_.size()) fail("sobra texto");
    return node;
  }

 private:
  [[noreturn]] void fail(const std::string& why) {
    throw StorageError("Expressão de índice \"" + std::string(text_) + "\" inválida para " + table_.path() +
                       ": " + why + ".");
  }
  void skip_blanks() {
    while (at_ < text_.size() && text_[at_] == ' ') ++at_;
  }
  bool take(char c) {
    skip_blanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  std::string word() {
    skip_blanks();
    size_t start = at_;
    while (at_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_')) ++at_;
    return core::cp850::upper(text_.substr(start, at_ - start));
  }
  int integer() {
    std::string w = word();
    if (w.empty() || !std::isdigit(static_cast<unsigned char>(w[0]))) fail("número esperado");
    return std::stoi(w);
  }

  NodePtr sum() {
    NodePtr first = term();
    if (!take('+')) return first;
    auto join = make_node(Node::Kind::Join);
    join->parts.push_back(first);
    do join->parts.push_back(term());
    while (take('+'));
    for (const auto& p : join->parts) {
      if (p->type != 'C') fail("só textos podem ser somados");
      join->length += p->length;
    }
    return join;
  }

  NodePtr term() {
    std::string name = word();
    if (name.empty()) fail("nome esperado");
    if (take('(')) {
      auto node = make_node(Node::Kind::Field);
      NodePtr argument = sum();
      node->parts.push_back(argument);
      if (name == "UPPER") {
        if (argument->type != 'C') fail("UPPER precisa de texto");
        node->kind = Node::Kind::Upper;
        node->length = argument->length;
      } else if (name == "STR") {
        if (argument->type != 'N') fail("STR precisa de número");
        node->kind = Node::Kind::Str;
        node->width = take(',') ? integer() : 10;
        node->decimals = take(',') ? integer() : 0;
        node->length = node->width;
      } else if (name == "DTOS" || name == "DTOC") {
        if (argument->type != 'D') fail(name + " precisa de data");
        node->kind = name == "DTOS" ? Node::Kind::Dtos : Node::Kind::Dtoc;
        node->length = name == "DTOS" ? 8 : 10;
      } else {
        fail("função " + name + " desconhecida");
      }
      if (!take(')')) fail("falta \")\"");
      return node;
    }
    const Field* f = table_.field(name);
    if (!f) fail("campo " + name + " não existe");
    auto node = make_node(Node::Kind::Field);
    node->field = f;
    node->type = f->type == 'N' ? 'N' : f->type == 'D' ? 'D' : 'C';
    node->length = f->type == 'N' ? 8 : f->width;
    node->decimals = f->decimals;
    return node;
  }

  std::string_view text_;
  const Table& table_;
  size_t at_ = 0;
};

core::Decimal number_of(const Field& f, const std::string& record) {
  std::string_view raw(record.data() + f.offset, size_t(f.width));
  while (!raw.empty() && raw.front() == ' ') raw.remove_prefix(1);
  auto n = core::Decimal::parse(raw);
  return n ? *n : core::Decimal(0);
}

void evaluate_into(const Node& n, const std::string& record, std::string& out) {
  switch (n.kind) {
    case Node::Kind::Field:
      if (n.type == 'N') out += numeric_key(number_of(*n.field, record), n.decimals);
      else out.append(record, size_t(n.field->offset), size_t(n.field->width));
      break;
    case Node::Kind::Join:
      for (const auto& p : n.parts) evaluate_into(*p, record, out);
      break;
    case Node::Kind::Upper: {
      size_t start = out.size();
      evaluate_into(*n.parts[0], record, out);
      for (size_t i = start; i < out.size(); ++i) out[i] = char(core::cp850::upper(uint8_t(out[i])));
      break;
    }
    case Node::Kind::Str:
      out += core::STR(number_of(*n.parts[0]->field, record), n.width, n.decimals);
      break;
    case Node::Kind::Dtos:
      out.append(record, size_t(n.parts[0]->field->offset), 8);
      break;
    case Node::Kind::Dtoc: {
      std::string raw = record.substr(size_t(n.parts[0]->field->offset), 8);
      out += core::DTOC(core::STOD(raw));
      break;
    }
  }
}

}  // namespace

std::string numeric_key(const core::Decimal& value, int decimals) {
  auto units = static_cast<int64_t>(value.rescaled(decimals, core::Rounding::HalfUp).units());
  uint64_t biased = static_cast<uint64_t>(units) ^ (uint64_t(1) << 63);
  std::string out(8, '\0');
  for (int i = 7; i >= 0; --i) {
    out[size_t(i)] = char(biased & 0xFF);
    biased >>= 8;
  }
  return out;
}

KeyExpression KeyExpression::compile(std::string_view text, const Table& table) {
  KeyExpression key;
  key.text_ = std::string(text);
  Parser parser(text, table);
  auto root = parser.parse();
  if (root->kind == Node::Kind::Field && root->type == 'N') {
    key.numeric_ = true;
    key.decimals_ = root->decimals;
  }
  key.length_ = root->length;
  key.root_ = root;
  auto collect = [&](auto& self, const Node& n) -> void {
    if (n.field) key.field_offsets_.push_back(n.field->offset);
    for (const auto& p : n.parts) self(self, *p);
  };
  collect(collect, *root);
  return key;
}

std::string KeyExpression::evaluate(const std::string& record) const {
  std::string out;
  out.reserve(size_t(length_));
  evaluate_into(*root_, record, out);
  return out;
}

bool KeyExpression::uses(const Field& field) const {
  for (int offset : field_offsets_)
    if (offset == field.offset) return true;
  return false;
}

std::string KeyExpression::seek_bytes(const core::Value& value) const {
  if (numeric_) {
    if (auto* n = std::get_if<core::Decimal>(&value)) return numeric_key(*n, decimals_);
    if (auto* t = std::get_if<std::string>(&value)) {
      auto n = core::Decimal::parse(*t);
      return numeric_key(n ? *n : core::Decimal(0), decimals_);
    }
    return numeric_key(0, decimals_);
  }
  if (auto* d = std::get_if<core::Date>(&value)) return core::DTOS(*d);
  if (auto* n = std::get_if<core::Decimal>(&value)) return core::STR(*n, length_, 0);
  if (auto* t = std::get_if<std::string>(&value)) return t->substr(0, size_t(length_));
  return {};
}

}  // namespace vormel::storage
