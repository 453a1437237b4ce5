#include "calls/dictionary.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "common/text.h"
#include "output/channels.h"
#include "rfc/diagnostics.h"
#include "run/version.h"

namespace kestrovan {

namespace {

struct TableSpec {
  const char* name;
  unsigned name_length;
};

// In the order of creation, of the table list and of deletion.
constexpr TableSpec kTables[] = {{"ADDTL_INDEX", 11}, {"ADDTL_TABLES", 12}, {"ADDTL_VIEWS", 11},
                                 {"MISS_INDEX", 10},  {"MISS_TABLES", 11},  {"MISS_VIEWS", 10}};
constexpr std::size_t kTableCount = sizeof kTables / sizeof kTables[0];
constexpr std::size_t kAddtlIndex = 0, kAddtlTables = 1, kMissViews = 5;

}  // namespace

CallResult check_dictionary(RfcConnection& connection, const Options& options, TypeHandles& types,
                            DictionaryInfo& info) {
  const unsigned row_length = structure_length(Structure::kMissObj);
  RfcTable tables[kTableCount];
  for (std::size_t i = 0; i < kTableCount; ++i) {
    tables[i] = RfcTable::create(kTables[i].name, row_length);
    if (!tables[i].exists()) report_rfc_error(std::string("ItCreate ") + kTables[i].name);
  }
  RFC_TYPEHANDLE record_type = installed_type(Structure::kDb02InfDb4, types);
  RFC_TYPEHANDLE row_type = installed_type(Structure::kMissObj, types);

  RFC_TABLE table_list[kTableCount + 1];
  for (std::size_t i = 0; i < kTableCount; ++i) {
    table_list[i] = {const_cast<char*>(kTables[i].name),
                     kTables[i].name_length,
                     row_type,
                     row_length,
                     tables[i].handle(),
                     RFC_ITMODE_BYREFERENCE,
                     0};
  }
  table_list[kTableCount] = {nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0};
  std::vector<char> record(structure_length(Structure::kDb02InfDb4), ' ');
  std::int32_t api_rc = 0;
  RFC_PARAMETER receive[] = {{const_cast<char*>("API_QWCRSSTS_RC"), 15, TYPINT, 4, &api_rc},
                             {const_cast<char*>("DB02_DISPLAYED_INFO"), 19, record_type,
                              structure_length(Structure::kDb02InfDb4), record.data()},
                             {nullptr, 0, 0, 0, nullptr}};
  CallResult result =
      call_and_receive(connection, options, "DB02_DB4_GET_INFO", receive, table_list);
  if (result.code == RFC_OK) {
    info.dbsys = field_text(record.data(), Structure::kDb02InfDb4, "DBSYS");
    info.date = field_text(record.data(), Structure::kDb02InfDb4, "FS_A_DATE");
    info.time = field_text(record.data(), Structure::kDb02InfDb4, "FS_A_TIME");
    info.sysid = field_text(record.data(), Structure::kDb02InfDb4, "SYSID");
    info.tables_missing = tables[kAddtlTables].lines();
    info.indexes_missing = tables[kAddtlIndex].lines();
    info.views_missing = tables[kMissViews].lines();
  }
  for (std::size_t i = 0; i < kTableCount; ++i) {
    if (!tables[i].remove()) report_rfc_error(std::string("ItDelete ") + kTables[i].name);
  }
  return result;
}

std::string dictionary_text_line(const std::string& destination, const DictionaryInfo& info) {
  return "(" + destination + ") " + std::string(kProgramName) +
         ": Info=" + std::string(trim_trailing_blanks(info.dbsys)) + ",Date=" + info.date +
         ",Time=" + info.time + ",Sid=" + info.sysid;
}

void write_dictionary_document(ResultDocument& document, const Options& options,
                               const std::string& destination, const DictionaryInfo& info) {
  begin_document(document);
  begin_text(document);
  append_text(document, dictionary_text_line(destination, info));
  end_text(document, options);
  write_channel(document, options, "DD-Tables missing",
                count_value(document.host, info.tables_missing), "");
  write_channel(document, options, "DD-Indexes missing",
                count_value(document.host, info.indexes_missing), "");
  write_channel(document, options, "DD-Views missing",
                count_value(document.host, info.views_missing), "");
  end_document(document);
}

}  // namespace kestrovan
