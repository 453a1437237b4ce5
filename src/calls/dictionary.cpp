#include "calls/dictionary.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "rfc/diagnostics.h"

namespace kestrovan {

namespace {

// In the order of creation, of the table list and of deletion.
constexpr std::string_view kTables[] = {"ADDTL_INDEX", "ADDTL_TABLES", "ADDTL_VIEWS",
                                        "MISS_INDEX",  "MISS_TABLES",  "MISS_VIEWS"};
constexpr std::size_t kTableCount = sizeof kTables / sizeof kTables[0];
constexpr std::size_t kAddtlIndex = 0, kAddtlTables = 1, kMissViews = 5;

}  // namespace

Failure check_dictionary(RfcConnection& connection, const RunOptions& options, TypeHandles& types,
                         DictionaryInfo& info) {
  const unsigned row_length = structure_length(Structure::kMissObj);
  RfcTable tables[kTableCount];
  for (std::size_t i = 0; i < kTableCount; ++i) {
    tables[i] = RfcTable::create(kTables[i].data(), row_length);
    if (!tables[i].exists()) report_rfc_error("ItCreate " + std::string(kTables[i]));
  }
  RFC_TYPEHANDLE record_type = installed_type(Structure::kDb02InfDb4, types);
  RFC_TYPEHANDLE row_type = installed_type(Structure::kMissObj, types);

  RFC_TABLE table_list[kTableCount + 1];
  for (std::size_t i = 0; i < kTableCount; ++i) {
    table_list[i] = {const_cast<char*>(kTables[i].data()),
                     static_cast<unsigned>(kTables[i].size()),
                     row_type,
                     row_length,
                     tables[i].handle(),
                     RFC_ITMODE_BYREFERENCE,
                     0};
  }
  table_list[kTableCount] = {nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0};
  std::vector<char> record(structure_length(Structure::kDb02InfDb4), ' ');
  std::int32_t api_rc = 0;
  RFC_PARAMETER receive[] = {
      parameter_entry("API_QWCRSSTS_RC", TYPINT, 4, &api_rc),
      parameter_entry("DB02_DISPLAYED_INFO", record_type, structure_length(Structure::kDb02InfDb4),
                      record.data()),
      end_of_parameters()};
  Failure failure = call_and_receive(connection, options, "DB02_DB4_GET_INFO", receive, table_list);
  if (!failure) {
    info.dbsys = field_text(record.data(), Structure::kDb02InfDb4, "DBSYS");
    info.date = field_text(record.data(), Structure::kDb02InfDb4, "FS_A_DATE");
    info.time = field_text(record.data(), Structure::kDb02InfDb4, "FS_A_TIME");
    info.sysid = field_text(record.data(), Structure::kDb02InfDb4, "SYSID");
    info.tables_missing = tables[kAddtlTables].lines();
    info.indexes_missing = tables[kAddtlIndex].lines();
    info.views_missing = tables[kMissViews].lines();
  }
  for (std::size_t i = 0; i < kTableCount; ++i) {
    if (!tables[i].remove()) report_rfc_error("ItDelete " + std::string(kTables[i]));
  }
  return failure;
}

}  // namespace kestrovan
