#include "profiles/settings.h"

#include <gtest/gtest.h>

namespace kestrovan {
namespace {

TEST(Settings, HostKindSelection) {
  struct Row {
    std::string settings;
    HostKind host;
  };
  const Row rows[] = {
      {"", HostKind::kExexml},
      {"# HostKind=Quendar\n; HostKind=Maltheon\n", HostKind::kExexml},
      {"HostKind=Vornelk\n", HostKind::kVornelk},
      {"  hostkind =  Quendar  \r\n", HostKind::kQuendar},
      {"Other=1\nHOSTKIND=Maltheon", HostKind::kMaltheon},
      {"HostKind=Quendar\nHostKind=Tirvasc\n", HostKind::kTirvasc},
      {"HostKind=EXEXML\n", HostKind::kExexml},
      {"no equals sign\n\n", HostKind::kExexml},
  };
  for (const Row& row : rows) {
    Settings settings;
    settings.host = HostKind::kQuendar;
    EXPECT_FALSE(parse_settings(row.settings, settings)) << row.settings;
    EXPECT_EQ(settings.host, row.host) << row.settings;
  }
}

TEST(Settings, InvalidHostKindIsAnError) {
  for (std::string value : {"quendar", "PRTG", ""}) {
    Settings settings;
    EXPECT_EQ(parse_settings("HostKind=" + value + "\nRfcLibrary=x.dll\n", settings).value_or(""),
              "Error 1040: Invalid Host-Kind " + value + " in Kestrovan.ini found...");
    EXPECT_EQ(settings.rfc_library, "");
  }
}

TEST(Settings, RfcLibrary) {
  struct Row {
    std::string settings;
    std::string library;
  };
  const Row rows[] = {
      {"", ""},
      {"RfcLibrary=\n", ""},
      {"rfclibrary =  librfc32.dll  \r\n", "librfc32.dll"},
      {"RfcLibrary=C:\\SAP\\RFC SDK\\librfc32.dll\n", "C:\\SAP\\RFC SDK\\librfc32.dll"},
      {"RfcLibrary=a.so\nRfcLibrary=/opt/sap/librfccm.so\n", "/opt/sap/librfccm.so"},
      {"# RfcLibrary=a.so\n", ""},
  };
  for (const Row& row : rows) {
    Settings settings;
    EXPECT_FALSE(parse_settings(row.settings, settings)) << row.settings;
    EXPECT_EQ(settings.rfc_library, row.library) << row.settings;
  }
}

TEST(Settings, TimeoutAndParallel) {
  struct Row {
    std::string settings;
    unsigned timeout;
    unsigned parallel;
    std::string error;
  };
  const Row rows[] = {
      {"", 0, 1, ""},
      {"Timeout=\nParallel=\n", 0, 1, ""},
      {"timeout = 55\nPARALLEL= 8\n", 55, 8, ""},
      {"Timeout=1\nParallel=1\n", 1, 1, ""},
      {"Timeout=900\nParallel=32\n", 900, 32, ""},
      {"Timeout=0030\n", 30, 1, ""},
      {"Timeout=0\n", 0, 1, "Error 1043: Invalid Timeout 0 in Kestrovan.ini found..."},
      {"Timeout=901\n", 0, 1, "Error 1043: Invalid Timeout 901 in Kestrovan.ini found..."},
      {"Timeout=-5\n", 0, 1, "Error 1043: Invalid Timeout -5 in Kestrovan.ini found..."},
      {"Timeout=5 s\n", 0, 1, "Error 1043: Invalid Timeout 5 s in Kestrovan.ini found..."},
      {"Timeout=99999999999999999999\n", 0, 1,
       "Error 1043: Invalid Timeout 99999999999999999999 in Kestrovan.ini found..."},
      {"Parallel=0\n", 0, 1, "Error 1044: Invalid Parallel 0 in Kestrovan.ini found..."},
      {"Parallel=33\n", 0, 1, "Error 1044: Invalid Parallel 33 in Kestrovan.ini found..."},
      {"Parallel=four\n", 0, 1, "Error 1044: Invalid Parallel four in Kestrovan.ini found..."},
      {"HostKind=x\nTimeout=0\n", 0, 1,
       "Error 1040: Invalid Host-Kind x in Kestrovan.ini found..."},
  };
  for (const Row& row : rows) {
    Settings settings;
    EXPECT_EQ(parse_settings(row.settings, settings).value_or(""), row.error) << row.settings;
    EXPECT_EQ(settings.timeout_seconds, row.timeout) << row.settings;
    EXPECT_EQ(settings.parallel, row.parallel) << row.settings;
  }
}

TEST(Settings, ByteOrderMarkIsSkipped) {
  Settings settings;
  EXPECT_FALSE(parse_settings("\xEF\xBB\xBFHostKind=Quendar\n", settings));
  EXPECT_EQ(settings.host, HostKind::kQuendar);
}

TEST(Settings, FileBesideTheExecutable) {
  EXPECT_EQ(settings_path("/opt/kestrovan/bin/Kestrovan"), "/opt/kestrovan/bin/Kestrovan.ini");
  EXPECT_EQ(settings_path("Kestrovan"), "Kestrovan.ini");
}

}  // namespace
}  // namespace kestrovan
