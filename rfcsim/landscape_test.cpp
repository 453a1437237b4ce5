#include "landscape.h"

#include <gtest/gtest.h>

#include "saprfc_ini.h"

namespace rfcsim {
namespace {

TEST(Landscape, SystemsKeysAndLookups) {
  Landscape landscape = parse_landscape(
      "[BIN]\r\n ASHOST = SapBin01 \r\nSysNr=3\nclient=100\nRFCSI.rfcdbsys = ORA\n"
      "rows.addtl_tables = 12\nlatency_ms = 5\n[GW]\ngwhost=g1\ngwserv=s1\n");
  ASSERT_EQ(landscape.systems.size(), 2u);
  const SimSystem* bin = find_by_host(landscape, "sapbin01", 3);
  ASSERT_NE(bin, nullptr);
  EXPECT_EQ(bin->client, "100");
  EXPECT_EQ(bin->rfcsi.at("RFCDBSYS"), "ORA");
  EXPECT_EQ(bin->rows.at("ADDTL_TABLES"), 12u);
  EXPECT_EQ(bin->latency_ms, 5u);
  EXPECT_EQ(find_by_host(landscape, "sapbin01", 0), nullptr);
  EXPECT_EQ(find_by_gateway(landscape, "G1", "s1")->name, "GW");
  EXPECT_TRUE(landscape.problems.empty());
}

TEST(Landscape, FaultLines) {
  Landscape landscape = parse_landscape(
      "[A]\nfail = logon\nfail = RFC_SYSTEM_INFO call 1\n"
      "fail = DB02_DB4_GET_INFO receive 2 NO DATA FOUND\nfail = rfc_system_info abort\n"
      "fail = DB02_DB4_GET_INFO abort RfcCall\n[library]\nfail = itdelete miss_views\n"
      "fail = install RFCSI\n");
  const SimSystem& a = landscape.systems.front();
  EXPECT_TRUE(a.fail_logon);
  EXPECT_EQ(a.call_faults.at("RFC_SYSTEM_INFO"), 1);
  EXPECT_EQ(a.receive_faults.at("DB02_DB4_GET_INFO").code, 2);
  EXPECT_EQ(a.receive_faults.at("DB02_DB4_GET_INFO").text, "NO DATA FOUND");
  EXPECT_EQ(a.abort_faults.at("RFC_SYSTEM_INFO"), "RfcReceive");
  EXPECT_EQ(a.abort_faults.at("DB02_DB4_GET_INFO"), "RfcCall");
  EXPECT_EQ(landscape.itdelete_faults.count("MISS_VIEWS"), 1u);
  EXPECT_EQ(landscape.install_faults.count("RFCSI"), 1u);
}

TEST(Landscape, DuplicateSectionsContinueAndBrokenLinesAreNoted) {
  Landscape landscape = parse_landscape(
      "orphan = 1\n[A]\nashost=h\n[B\njunk line\nsysnr = x\nrows.X = 99999999999\n"
      "fail = whatever\n[a]\nclient=100\n[]\n");
  ASSERT_EQ(landscape.systems.size(), 1u);
  EXPECT_EQ(landscape.systems.front().client, "100");
  EXPECT_EQ(landscape.systems.front().ashost, "h");
  EXPECT_EQ(landscape.problems.size(), 7u);
}

TEST(SapRfcIni, DestinationBlocks) {
  auto destinations = parse_saprfc_ini(
      "DEST=BIN\r\nTYPE=A\r\nASHOST=sapbin01\r\nSYSNR=00\r\n\r\nDEST=GW\ngwhost=g\ngwserv=s\n"
      "DEST=bin\nASHOST=other\n");
  ASSERT_EQ(destinations.size(), 2u);
  EXPECT_EQ(destinations["BIN"].ashost, "sapbin01");
  EXPECT_EQ(destinations["BIN"].sysnr, "00");
  EXPECT_EQ(destinations["GW"].gwserv, "s");
}

}  // namespace
}  // namespace rfcsim
