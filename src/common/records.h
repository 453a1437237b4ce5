// The plain records the remote calls return and the run drivers hand on to
// the result document and the progress lines.
#pragma once

#include <string>

namespace kestrovan {

// What RFC_SYSTEM_INFO reports about the system (of its RFCSI record).
struct SystemInformation {
  std::string database_system;  // RFCDBSYS, 10 characters, trailing blanks kept
  std::string host;             // RFCHOST, the host the system names itself
};

// What DB02_DB4_GET_INFO reports: the record's texts and three table sizes
// ("DD-Tables missing" counts ADDTL_TABLES, "DD-Indexes missing" ADDTL_INDEX,
// "DD-Views missing" MISS_VIEWS).
struct DictionaryInfo {
  std::string dbsys;  // 10 characters, trailing blanks kept
  std::string date;   // FS_A_DATE, 8 characters
  std::string time;   // FS_A_TIME, 6 characters
  std::string sysid;  // 8 characters
  unsigned long tables_missing = 0;
  unsigned long indexes_missing = 0;
  unsigned long views_missing = 0;
};

}  // namespace kestrovan
