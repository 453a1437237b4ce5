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
    HostKind host = HostKind::kQuendar;
    EXPECT_FALSE(host_kind_from_settings(row.settings, host)) << row.settings;
    EXPECT_EQ(host, row.host) << row.settings;
  }
}

TEST(Settings, InvalidHostKindIsAnError) {
  for (std::string value : {"quendar", "PRTG", ""}) {
    HostKind host;
    EXPECT_EQ(host_kind_from_settings("HostKind=" + value + "\n", host).value_or(""),
              "Error 1040: Invalid Host-Kind " + value + " in Kestrovan.ini found...");
  }
}

TEST(Settings, FileBesideTheExecutable) {
  EXPECT_EQ(settings_path("/opt/kestrovan/bin/Kestrovan"), "/opt/kestrovan/bin/Kestrovan.ini");
  EXPECT_EQ(settings_path("Kestrovan"), "Kestrovan.ini");
}

}  // namespace
}  // namespace kestrovan
