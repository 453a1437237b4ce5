// The structures the two remote calls exchange, described to the RFC library
// field by field. A structure is installed right before its first use and
// stays installed for the rest of the process; its length and the offsets of
// its fields follow from its descriptor table.
#pragma once

#include <mutex>
#include <string_view>

#include "rfc_api.h"

namespace kestrovan {

enum class Structure { kRfcsi, kDb02InfDb4, kMissObj };

// The type handles of the installed structures; 0 until installed. Shared by
// the turns of a run, also when they run in parallel.
struct TypeHandles {
  std::mutex guard;
  RFC_TYPEHANDLE rfcsi = 0;
  RFC_TYPEHANDLE db02infdb4 = 0;
  RFC_TYPEHANDLE missobj = 0;
};

struct Descriptor {
  const char* name;
  RFC_TYPE_ELEMENT* entries;
  unsigned count;
};

Descriptor descriptor(Structure structure);

// The sum of the field lengths: 200, 120 and 40.
unsigned structure_length(Structure structure);

// The field's position and length; the field must exist.
struct FieldPlace {
  unsigned offset;
  unsigned length;
};
FieldPlace field_place(Structure structure, std::string_view field);

// Installs the structure unless its handle is set, and returns the handle. A
// failed installation ends the process through the RFC error report.
RFC_TYPEHANDLE installed_type(Structure structure, TypeHandles& handles);

}  // namespace kestrovan
