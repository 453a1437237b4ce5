// Structures as the library sees them once installed: fields with computed
// offsets, and how a record is filled from text values, as an SAP system
// sends it (character fields padded with blanks, integers binary, packed
// numbers in BCD).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "rfc_api.h"

namespace rfcsim {

struct FieldLayout {
  std::string name;
  unsigned type = TYPC;
  unsigned length = 0;
  unsigned decimals = 0;
  unsigned offset = 0;
};

struct StructureLayout {
  std::string name;
  std::vector<FieldLayout> fields;
  unsigned length = 0;
};

StructureLayout make_layout(const std::string& name, const RFC_TYPE_ELEMENT* elements,
                            unsigned entries);

// Fills the `layout.length` bytes at `record`; fields without a value are
// blank (characters) or zero (numbers).
void fill_record(const StructureLayout& layout, const std::map<std::string, std::string>& values,
                 char* record);

// One field of `length` bytes holding `value`, padded with blanks or cut.
void put_characters(char* field, unsigned length, const std::string& value);

}  // namespace rfcsim
