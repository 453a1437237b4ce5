#include "rfc/connection.h"

#include <gtest/gtest.h>

#include "rfcsim.h"
#include "support/test_directory.h"

namespace kestrovan {
namespace {

using testing_support::TestDirectory;
using namespace std::string_literals;

ConnectionParameters parameters() {
  ConnectionParameters p;
  p.destination = "BIN";
  p.client = "100";
  p.user = "ABC";
  p.password = "Geheim99";
  p.language = "E";
  p.mode = "R/3";
  p.hostname = "sapbin01";
  p.sysnr = "02";
  p.gwhost = "sapgw01";
  p.gwservice = "sapgw00";
  return p;
}

TEST(LogonTexts, PaddingModeAndSystemNumber) {
  LogonTexts texts = make_logon_texts(parameters(), parse_run_options(""));
  EXPECT_EQ(texts.user, "ABC         ");
  EXPECT_EQ(texts.password, "Geheim99  ");
  EXPECT_FALSE(texts.cpic);
  EXPECT_EQ(texts.sysnr, 2);

  ConnectionParameters p = parameters();
  p.user = "VERYLONGUSER1";
  p.password = "0123456789AB";
  p.mode = "R/2";
  p.sysnr = " -7x";
  texts = make_logon_texts(p, parse_run_options(""));
  EXPECT_EQ(texts.user, "VERYLONGUSER1");
  EXPECT_EQ(texts.password, "0123456789AB");
  EXPECT_TRUE(texts.cpic);
  EXPECT_EQ(texts.sysnr, -7);

  struct Row {
    std::string mode, sysnr;
    bool cpic;
    int number;
  };
  const Row rows[] = {{"r/2", "", false, 0},
                      {"R/2 ", "ab", false, 0},
                      {"R/3", "99999999999999999999", false, 2147483647}};
  for (const Row& row : rows) {
    p.mode = row.mode;
    p.sysnr = row.sysnr;
    texts = make_logon_texts(p, parse_run_options(""));
    EXPECT_EQ(texts.cpic, row.cpic) << row.mode;
    EXPECT_EQ(texts.sysnr, row.number) << row.sysnr;
  }
}

TEST(LogonTexts, HostAndNumberOverrides) {
  struct Row {
    std::string options, host;
    int sysnr;
  };
  const Row rows[] = {
      {"", "sapbin01", 2},
      {"x,HOST=SapOther,NO=07 y", "SapOther", 7},
      {",host=lower ,no=5", "lower", 5},
      {",HOST=", "", 2},
      {",NO=", "sapbin01", 0},
  };
  for (const Row& row : rows) {
    LogonTexts texts = make_logon_texts(parameters(), parse_run_options(row.options));
    EXPECT_EQ(texts.hostname, row.host) << row.options;
    EXPECT_EQ(texts.sysnr, row.sysnr) << row.options;
  }
}

TEST(ConnectString, UnpaddedAndUnquoted) {
  EXPECT_EQ(make_connect_string(parameters()),
            "CLIENT=100 USER=ABC PASSWD=Geheim99 LANG=D DEST=BIN");
}

TEST(PerDestinationIni, OnlyPlainFileNames) {
  EXPECT_EQ(per_destination_ini_name("BIN"), "SapRfc.BIN");
  for (const char* unsafe : {"..", "../etc/passwd", "a/b", "a\\b", "C:x", "", "x..y"}) {
    EXPECT_EQ(per_destination_ini_name(unsafe), "") << unsafe;
  }
}

class Logon : public TestDirectory {
 protected:
  void SetUp() override {
    TestDirectory::SetUp();
    rfcsim::reset_library();
    write("SapSim.ini",
          "[BIN]\nashost=sapbin01\nsysnr=2\nclient=100\nuser=abc\npasswd=Geheim99\n"
          "[GW]\ngwhost=sapgw01\ngwserv=sapgw00\nclient=100\nuser=abc\npasswd=Geheim99\n");
  }
  void TearDown() override {
    EXPECT_EQ(rfcsim::open_connection_count(), 0u) << "a connection was left open";
    rfcsim::reset_library();
    TestDirectory::TearDown();
  }
};

TEST_F(Logon, ThroughLogonOptions) {
  testing::internal::CaptureStdout();
  EXPECT_TRUE(open_connection(parameters(), parse_run_options(""), nullptr).is_open());
  ConnectionParameters cpic = parameters();
  cpic.mode = "R/2";
  cpic.hostname.clear();
  EXPECT_TRUE(open_connection(cpic, parse_run_options(""), nullptr).is_open());
  EXPECT_FALSE(open_connection(parameters(), parse_run_options(",NO=3"), nullptr).is_open());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_FALSE(exists("SapRfc.ini"));
  EXPECT_EQ(rfcsim::open_connection_count(), 0u);
}

TEST_F(Logon, OverlappingConnectionsKeepTheirOwnLogonData) {
  ConnectionParameters cpic = parameters();
  cpic.mode = "R/2";
  cpic.hostname.clear();
  RfcConnection first = open_connection(parameters(), parse_run_options(""), nullptr);
  RfcConnection second = open_connection(cpic, parse_run_options(""), nullptr);
  ASSERT_TRUE(first.is_open());
  ASSERT_TRUE(second.is_open());
  EXPECT_NE(first.handle(), second.handle());
  EXPECT_EQ(rfcsim::open_connection_count(), 2u);
  RfcConnection moved = std::move(first);
  EXPECT_FALSE(first.is_open());
  first.close();  // a moved-from connection closes nothing
  EXPECT_EQ(rfcsim::open_connection_count(), 2u);
  moved.close();
  moved.close();
  EXPECT_EQ(rfcsim::open_connection_count(), 1u);
}

TEST_F(Logon, ThroughPerDestinationIni) {
  const std::string ini = "DEST=BIN\r\nTYPE=A\r\nASHOST=sapbin01\r\nSYSNR=02\r\n\x1a\0end"s;
  write("SapRfc.BIN", ini);
  write("SapRfc.ini", "old content that is replaced");
  for (bool progress : {false, true}) {
    std::string announced;
    Announce announce;
    if (progress) announce = [&](const std::string& text) { announced += text; };
    EXPECT_TRUE(open_connection(parameters(), parse_run_options(""), announce).is_open());
    // Without progress lines standard output carries the document alone.
    EXPECT_EQ(announced, progress ? "* SapRfc.Ini.......: BIN<\n" : "");
    EXPECT_EQ(read("SapRfc.ini"), ini);
  }
}

TEST_F(Logon, EmptyPerDestinationIniGivesAnEmptyCopy) {
  write("SapRfc.BIN", "");
  testing::internal::CaptureStdout();
  EXPECT_FALSE(open_connection(parameters(), parse_run_options(""), nullptr).is_open());
  testing::internal::GetCapturedStdout();
  EXPECT_TRUE(exists("SapRfc.ini"));
  EXPECT_EQ(read("SapRfc.ini"), "");
}

}  // namespace
}  // namespace kestrovan
