// DB02_DB4_GET_INFO: the dictionary check of a system on DB2 for IBM i. It
// returns six tables of object names and a record of summary information;
// the sensor reports three table sizes as channels ("DD-Tables missing"
// counts ADDTL_TABLES, "DD-Indexes missing" ADDTL_INDEX, "DD-Views missing"
// MISS_VIEWS) and a text line with database system, date, time and system ID.
// The tables exist only during the call and are deleted whatever its result.
#pragma once

#include <string>

#include "calls/call_result.h"
#include "calls/descriptors.h"
#include "output/result_document.h"
#include "rfc/rfc_session.h"
#include "run/options.h"

namespace kestrovan {

struct DictionaryInfo {
  std::string dbsys;  // 10 characters, trailing blanks kept
  std::string date;   // FS_A_DATE, 8 characters
  std::string time;   // FS_A_TIME, 6 characters
  std::string sysid;  // 8 characters
  unsigned long tables_missing = 0;
  unsigned long indexes_missing = 0;
  unsigned long views_missing = 0;
};

CallResult check_dictionary(RfcConnection& connection, const Options& options, TypeHandles& types,
                            DictionaryInfo& info);

// The successful document of a single-profile run: text line and channels.
void write_dictionary_document(ResultDocument& document, const Options& options,
                               const std::string& destination, const DictionaryInfo& info);

// "(BIN) Kestrovan: Info=DB4,Date=20261210,Time=061500,Sid=BIN     ".
std::string dictionary_text_line(const std::string& destination, const DictionaryInfo& info);

}  // namespace kestrovan
