#include "records.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace rfcsim {

StructureLayout make_layout(const std::string& name, const RFC_TYPE_ELEMENT* elements,
                            unsigned entries) {
  StructureLayout layout;
  layout.name = name;
  for (unsigned i = 0; i < entries; ++i) {
    FieldLayout field;
    field.name = elements[i].name ? elements[i].name : "";
    field.type = elements[i].type;
    field.length = elements[i].length;
    field.decimals = elements[i].decimals;
    field.offset = layout.length;
    layout.length += field.length;
    layout.fields.push_back(field);
  }
  return layout;
}

void put_characters(char* field, unsigned length, const std::string& value) {
  std::memset(field, ' ', length);
  std::memcpy(field, value.data(), value.size() < length ? value.size() : length);
}

namespace {

void put_integer(char* field, unsigned length, const std::string& value) {
  std::memset(field, 0, length);
  if (length != sizeof(std::int32_t)) return;
  std::int32_t number = static_cast<std::int32_t>(std::strtol(value.c_str(), nullptr, 10));
  std::memcpy(field, &number, sizeof number);
}

// Packed decimal: two digits a byte, the last nibble the sign (C or D).
void put_packed(char* field, unsigned length, unsigned decimals, const std::string& value) {
  std::string digits;
  bool negative = false;
  std::size_t dot = std::string::npos;
  for (char c : value) {
    if (c == '-') negative = true;
    if (c == '.' || c == ',') dot = digits.size();
    if (c >= '0' && c <= '9') digits.push_back(c);
  }
  std::size_t fraction = dot == std::string::npos ? 0 : digits.size() - dot;
  while (fraction < decimals) {
    digits.push_back('0');
    ++fraction;
  }
  digits.resize(digits.size() - (fraction - decimals));
  std::size_t capacity = length * 2 - 1;
  if (digits.size() > capacity) digits = digits.substr(digits.size() - capacity);
  digits.insert(0, capacity - digits.size(), '0');
  digits.push_back(negative ? 'D' : 'C');
  for (unsigned i = 0; i < length; ++i) {
    auto nibble = [](char c) { return c >= 'A' ? c - 'A' + 10 : c - '0'; };
    field[i] = static_cast<char>((nibble(digits[2 * i]) << 4) | nibble(digits[2 * i + 1]));
  }
}

}  // namespace

void fill_record(const StructureLayout& layout, const std::map<std::string, std::string>& values,
                 char* record) {
  for (const FieldLayout& field : layout.fields) {
    auto found = values.find(field.name);
    std::string value = found == values.end() ? "" : found->second;
    char* at = record + field.offset;
    if (field.length == 0) continue;
    switch (field.type) {
      case TYPINT:
        put_integer(at, field.length, value);
        break;
      case TYPP:
        put_packed(at, field.length, field.decimals, value);
        break;
      default:
        put_characters(at, field.length, value);
        break;
    }
  }
}

}  // namespace rfcsim
