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
