#include "calls/descriptors.h"

#include <cstdlib>

#include "rfc/diagnostics.h"
#include "rfc/rfc_session.h"

namespace kestrovan {

namespace {

// clang-format off
#define FIELD(name, type, length, decimals) \
  { const_cast<rfc_char_t*>(name), type, length, decimals, 0 }

RFC_TYPE_ELEMENT kRfcsi[] = {
    FIELD("RFCPROTO", TYPC, 3, 0),   FIELD("RFCCHARTYP", TYPC, 4, 0),
    FIELD("RFCINTTYP", TYPC, 3, 0),  FIELD("RFCFLOTYP", TYPC, 3, 0),
    FIELD("RFCDEST", TYPC, 32, 0),   FIELD("RFCHOST", TYPC, 8, 0),
    FIELD("RFCSYSID", TYPC, 8, 0),   FIELD("RFCDATABS", TYPC, 8, 0),
    FIELD("RFCDBHOST", TYPC, 32, 0), FIELD("RFCDBSYS", TYPC, 10, 0),
    FIELD("RFCSAPRL", TYPC, 4, 0),   FIELD("RFCMACH", TYPC, 5, 0),
    FIELD("RFCOPSYS", TYPC, 10, 0),  FIELD("RFCTZONE", TYPC, 6, 0),
    FIELD("RFCDAYST", TYPC, 1, 0),   FIELD("RFCIPADDR", TYPC, 15, 0),
    FIELD("RFCKERNRL", TYPC, 4, 0),  FIELD("RFCSI_RESV", TYPC, 44, 0),
};

RFC_TYPE_ELEMENT kDb02InfDb4[] = {
    FIELD("DBSYS", TYPC, 10, 0),      FIELD("FS_A_DATE", TYPDATE, 8, 0),
    FIELD("FS_A_TIME", TYPTIME, 6, 0), FIELD("SYSID", TYPC, 8, 0),
    FIELD("TAB_CNT", TYPINT, 4, 0),   FIELD("CST_CNT", TYPINT, 4, 0),
    FIELD("IDX_CNT", TYPINT, 4, 0),   FIELD("TAB_SIZE", TYPP, 8, 0),
    FIELD("CST_SIZE", TYPP, 8, 0),    FIELD("IDX_SIZE", TYPP, 8, 0),
    FIELD("TAB_MIS_DB", TYPINT, 4, 0), FIELD("CST_MIS_DB", TYPINT, 4, 0),
    FIELD("IDX_MIS_DB", TYPINT, 4, 0), FIELD("VIE_MIS_DB", TYPINT, 4, 0),
    FIELD("TAB_MIS_DD", TYPINT, 4, 0), FIELD("IDX_MIS_DD", TYPINT, 4, 0),
    FIELD("CST_MIS_DD", TYPINT, 4, 0), FIELD("VIE_MIS_DD", TYPINT, 4, 0),
    FIELD("SYS_ASP_P", TYPP, 8, 5),   FIELD("SYS_ASP_S", TYPP, 6, 1),
    FIELD("ASP_TOT_S", TYPP, 6, 1),
};

RFC_TYPE_ELEMENT kMissObj[] = {FIELD("NAME", TYPC, 40, 0)};

#undef FIELD
// clang-format on

template <unsigned N>
Descriptor make(const char* name, RFC_TYPE_ELEMENT (&entries)[N]) {
  return {name, entries, N};
}

}  // namespace

Descriptor descriptor(Structure structure) {
  switch (structure) {
    case Structure::kRfcsi:
      return make("RFCSI", kRfcsi);
    case Structure::kDb02InfDb4:
      return make("DB02INFDB4", kDb02InfDb4);
    case Structure::kMissObj:
      return make("MISSOBJ", kMissObj);
  }
  std::abort();
}

unsigned structure_length(Structure structure) {
  Descriptor d = descriptor(structure);
  unsigned length = 0;
  for (unsigned i = 0; i < d.count; ++i) length += d.entries[i].length;
  return length;
}

FieldPlace field_place(Structure structure, std::string_view field) {
  Descriptor d = descriptor(structure);
  unsigned offset = 0;
  for (unsigned i = 0; i < d.count; ++i) {
    if (field == d.entries[i].name) return {offset, d.entries[i].length};
    offset += d.entries[i].length;
  }
  std::abort();  // a field name of this program's own, never outside input
}

RFC_TYPEHANDLE installed_type(Structure structure, TypeHandles& handles) {
  {
    std::lock_guard<std::mutex> lock(handles.guard);
    RFC_TYPEHANDLE& handle = structure == Structure::kRfcsi        ? handles.rfcsi
                             : structure == Structure::kDb02InfDb4 ? handles.db02infdb4
                                                                   : handles.missobj;
    if (handle != 0) return handle;
    Descriptor d = descriptor(structure);
    if (install_structure(d.name, d.entries, d.count, handle)) return handle;
  }
  // Reported without the lock: the report may wait for other turns.
  report_rfc_error("RfcInstallStructure");
}

}  // namespace kestrovan
