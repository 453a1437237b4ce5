// The built-in library driven through the RFC API itself, as the sensor
// drives it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "rfc_api.h"
#include "rfcsim.h"
#include "support/test_directory.h"

namespace rfcsim {
namespace {

using kestrovan::testing_support::TestDirectory;

const char kLandscape[] = R"(# test landscape
[BIN]
ashost = sapbin01
sysnr = 00
gwhost = sapgw01
gwserv = sapgw00
client = 100
user = monitor
passwd = Geheim99
rfcsi.RFCDBSYS = ORA
db02.FS_A_DATE = 20261210
rows.ADDTL_TABLES = 3
[QAS]
ashost = sapqas01
sysnr = 2
client = 200
user = MONITOR
passwd = secret
fail = RFC_SYSTEM_INFO receive 2 NOT_AUTHORIZED
fail = DB02_DB4_GET_INFO call 7
[ABT]
ashost = sapabt01
sysnr = 0
client = 100
user = u1
passwd = p1
fail = RFC_SYSTEM_INFO abort CPIC-receive
[library]
fail = itcreate MISS_VIEWS
fail = install BROKEN
)";

// A small structure: a 4-character field, an integer and a 3-character field.
RFC_TYPE_ELEMENT kSmall[] = {{const_cast<char*>("RFCDBSYS"), TYPC, 4, 0, 0},
                             {const_cast<char*>("COUNT"), TYPINT, 4, 0, 0},
                             {const_cast<char*>("RFCSYSID"), TYPC, 3, 0, 0}};
RFC_TYPE_ELEMENT kRow[] = {{const_cast<char*>("NAME"), TYPC, 40, 0, 0}};

std::string last_operation;
void SAP_API record_operation(rfc_char_t* operation) { last_operation = operation; }

class Library : public TestDirectory {
 protected:
  void SetUp() override {
    TestDirectory::SetUp();
    reset_library();
    last_operation.clear();
    write("SapSim.ini", kLandscape);
  }
  void TearDown() override {
    reset_library();
    TestDirectory::TearDown();
  }

  static RFC_HANDLE open_r3(const char* host, int sysnr, const char* user, const char* password,
                            const char* client = "100") {
    RFC_CONNOPT_R3ONLY r3 = {const_cast<char*>(host), sysnr, nullptr, nullptr};
    RFC_OPTIONS options = {const_cast<char*>("BIN"),
                           RFC_MODE_R3ONLY,
                           &r3,
                           const_cast<char*>(client),
                           const_cast<char*>(user),
                           const_cast<char*>(password),
                           const_cast<char*>("E"),
                           0};
    return RfcOpen(&options);
  }

  static RFC_TYPEHANDLE install(const char* name, RFC_TYPE_ELEMENT* elements, unsigned count) {
    RFC_TYPEHANDLE handle = 0;
    EXPECT_EQ(RfcInstallStructure(const_cast<char*>(name), elements, count, &handle), RFC_OK);
    return handle;
  }

  static std::string last_message() {
    RFC_ERROR_INFO error{};
    RfcLastError(&error);
    return error.message;
  }
};

TEST_F(Library, LogonByHostCpicAndConnectString) {
  EXPECT_NE(open_r3("SAPBIN01", 0, "MONITOR     ", "Geheim99  "), RFC_HANDLE_NULL);

  RFC_CONNOPT_CPIC cpic = {const_cast<char*>("sapgw01"), const_cast<char*>("sapgw00")};
  RFC_OPTIONS options = {const_cast<char*>("BIN"),
                         RFC_MODE_CPIC,
                         &cpic,
                         const_cast<char*>("100"),
                         const_cast<char*>("monitor"),
                         const_cast<char*>("Geheim99"),
                         const_cast<char*>("E"),
                         0};
  EXPECT_NE(RfcOpen(&options), RFC_HANDLE_NULL);

  write("SapRfc.ini", "DEST=BIN\r\nTYPE=A\r\nASHOST=sapbin01\r\nSYSNR=00\r\n");
  std::string connect = "CLIENT=100 USER=MONITOR PASSWD=Geheim99 LANG=D DEST=BIN";
  RFC_ERROR_INFO_EX error{};
  EXPECT_NE(RfcOpenEx(connect.data(), &error), RFC_HANDLE_NULL);
  EXPECT_FALSE(exists("Dev_Rfc.Trc"));
}

TEST_F(Library, RefusedLogonsWriteATraceBlock) {
  struct Row {
    const char* host;
    int sysnr;
    const char* password;
    const char* client;
    std::string trace;
  };
  const Row rows[] = {
      {"sapbin01", 0, "wrong", "100", "Name or password is incorrect (repeat logon)"},
      {"sapbin01", 0, "Geheim99", "200", "logon to BIN client 200 user MONITOR refused"},
      {"sapbin01", 1, "Geheim99", "100", "no system of SapSim.ini answers at host sapbin01"},
      {nullptr, 0, "Geheim99", "100", "partner host  system number 0 not reached"},
  };
  for (const Row& row : rows) {
    std::remove("Dev_Rfc.Trc");
    EXPECT_EQ(open_r3(row.host, row.sysnr, "monitor", row.password, row.client), RFC_HANDLE_NULL);
    std::string trace = read("Dev_Rfc.Trc");
    EXPECT_EQ(trace.rfind("**** ERROR file opened at ", 0), 0u) << trace;
    EXPECT_NE(trace.find(row.trace), std::string::npos) << trace;
    EXPECT_EQ(trace.find(row.password), std::string::npos) << "password in the trace";
  }
}

TEST_F(Library, WithoutLandscapeEveryLogonIsRefused) {
  std::remove("SapSim.ini");
  EXPECT_EQ(open_r3("sapbin01", 0, "monitor", "Geheim99"), RFC_HANDLE_NULL);
  EXPECT_NE(read("Dev_Rfc.Trc").find("no SapSim.ini found"), std::string::npos);
}

TEST_F(Library, SystemInformationFromTheLandscape) {
  RFC_HANDLE handle = open_r3("sapbin01", 0, "monitor", "Geheim99");
  RFC_TYPEHANDLE small = install("SMALL", kSmall, 3);
  char record[11];
  std::memset(record, 'x', sizeof record);
  std::int32_t resources = -1;
  RFC_PARAMETER receive[] = {{const_cast<char*>("CURRENT_RESOURCES"), 17, TYPINT, 4, &resources},
                             {const_cast<char*>("RFCSI_EXPORT"), 12, small, 11, record},
                             {nullptr, 0, 0, 0, nullptr}};
  RFC_PARAMETER none[] = {{nullptr, 0, 0, 0, nullptr}};
  RFC_TABLE no_tables[] = {{nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0}};
  ASSERT_EQ(RfcCall(handle, const_cast<char*>("RFC_SYSTEM_INFO"), none, no_tables), RFC_OK);
  char* exception = nullptr;
  ASSERT_EQ(RfcReceive(handle, receive, no_tables, &exception), RFC_OK);
  EXPECT_EQ(std::string(record, 4), "ORA ");
  EXPECT_EQ(std::string(record + 8, 3), "BIN");
  std::int32_t zero = 0;
  EXPECT_EQ(std::memcmp(record + 4, &zero, 4), 0);
  EXPECT_EQ(resources, 5);
}

TEST_F(Library, DictionaryRowsGoIntoTheCallersTables) {
  RFC_HANDLE handle = open_r3("sapbin01", 0, "monitor", "Geheim99");
  RFC_TYPEHANDLE row = install("MISSOBJ", kRow, 1);
  ITAB_H tables[2] = {ItCreate(const_cast<char*>("ADDTL_TABLES"), 40, 0, 0),
                      ItCreate(const_cast<char*>("MISS_INDEX"), 40, 0, 0)};
  RFC_TABLE list[] = {
      {const_cast<char*>("ADDTL_TABLES"), 12, row, 40, tables[0], RFC_ITMODE_BYREFERENCE, 0},
      {const_cast<char*>("MISS_INDEX"), 10, row, 40, tables[1], RFC_ITMODE_BYREFERENCE, 0},
      {nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0}};
  RFC_PARAMETER none[] = {{nullptr, 0, 0, 0, nullptr}};
  ASSERT_EQ(RfcCall(handle, const_cast<char*>("DB02_DB4_GET_INFO"), none, list), RFC_OK);
  char* exception = nullptr;
  ASSERT_EQ(RfcReceive(handle, none, list, &exception), RFC_OK);
  EXPECT_EQ(ItFill(tables[0]), 3u);
  EXPECT_EQ(ItFill(tables[1]), 0u);
  EXPECT_EQ(std::string(static_cast<char*>(ItGetLine(tables[0], 1)), 6), "ZADDTL");
  EXPECT_EQ(ItDelete(tables[0]), 0);
  EXPECT_EQ(ItDelete(tables[1]), 0);
}

TEST_F(Library, Faults) {
  RFC_HANDLE handle = open_r3("sapqas01", 2, "monitor", "secret", "200");
  ASSERT_NE(handle, RFC_HANDLE_NULL);
  RFC_PARAMETER none[] = {{nullptr, 0, 0, 0, nullptr}};
  RFC_TABLE no_tables[] = {{nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0}};
  char* exception = nullptr;
  ASSERT_EQ(RfcCall(handle, const_cast<char*>("RFC_SYSTEM_INFO"), none, no_tables), RFC_OK);
  EXPECT_EQ(RfcReceive(handle, none, no_tables, &exception), RFC_EXCEPTION);
  ASSERT_NE(exception, nullptr);
  EXPECT_STREQ(exception, "NOT_AUTHORIZED");
  EXPECT_EQ(RfcCall(handle, const_cast<char*>("DB02_DB4_GET_INFO"), none, no_tables), 7);
  EXPECT_NE(read("Dev_Rfc.Trc").find("DB02_DB4_GET_INFO call 7"), std::string::npos);

  RFC_TYPEHANDLE ignored = 0;
  EXPECT_NE(RfcInstallStructure(const_cast<char*>("BROKEN"), kRow, 1, &ignored), RFC_OK);
  EXPECT_EQ(ItCreate(const_cast<char*>("MISS_VIEWS"), 40, 0, 0), nullptr);
  EXPECT_NE(last_message().find("ItCreate MISS_VIEWS failed"), std::string::npos);
}

TEST_F(Library, AbortCallsTheInstalledHandler) {
  RFC_ENV environment = {record_operation, nullptr};
  RfcEnvironment(&environment);
  RFC_HANDLE handle = open_r3("sapabt01", 0, "U1", "p1");
  RFC_PARAMETER none[] = {{nullptr, 0, 0, 0, nullptr}};
  RFC_TABLE no_tables[] = {{nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0}};
  char* exception = nullptr;
  ASSERT_EQ(RfcCall(handle, const_cast<char*>("RFC_SYSTEM_INFO"), none, no_tables), RFC_OK);
  EXPECT_NE(RfcReceive(handle, none, no_tables, &exception), RFC_OK);
  EXPECT_EQ(last_operation, "CPIC-receive");
  RFC_ERROR_INFO error{};
  RfcLastError(&error);
  EXPECT_STREQ(error.key, "RFC_ERROR_SYSTEM_FAILURE");
  EXPECT_NE(std::string(error.message).find("broken during RFC_SYSTEM_INFO"), std::string::npos);
}

TEST_F(Library, UsageChecksRefuseMistakes) {
  RFC_HANDLE handle = open_r3("sapbin01", 0, "monitor", "Geheim99");
  RFC_TYPEHANDLE small = install("SMALL", kSmall, 3);
  RFC_TYPEHANDLE row = install("MISSOBJ", kRow, 1);
  ITAB_H table = ItCreate(const_cast<char*>("ADDTL_TABLES"), 30, 0, 0);
  char record[64];
  RFC_PARAMETER none[] = {{nullptr, 0, 0, 0, nullptr}};
  RFC_TABLE no_tables[] = {{nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0}};
  char* exception = nullptr;

  RFC_PARAMETER wrong_length[] = {{const_cast<char*>("RFCSI_EXPORT"), 12, small, 12, record},
                                  {nullptr, 0, 0, 0, nullptr}};
  RFC_PARAMETER never_installed[] = {{const_cast<char*>("RFCSI_EXPORT"), 12, 4711, 11, record},
                                     {nullptr, 0, 0, 0, nullptr}};
  for (RFC_PARAMETER* parameters : {wrong_length, never_installed}) {
    ASSERT_EQ(RfcCall(handle, const_cast<char*>("RFC_SYSTEM_INFO"), none, no_tables), RFC_OK);
    EXPECT_EQ(RfcReceive(handle, parameters, no_tables, &exception), RFC_FAILURE);
  }
  RFC_TABLE mismatched[] = {
      {const_cast<char*>("ADDTL_TABLES"), 12, row, 40, table, RFC_ITMODE_BYREFERENCE, 0},
      {nullptr, 0, 0, 0, nullptr, RFC_ITMODE_BYREFERENCE, 0}};
  EXPECT_EQ(RfcCall(handle, const_cast<char*>("DB02_DB4_GET_INFO"), none, mismatched), RFC_FAILURE);
  EXPECT_NE(read("Dev_Rfc.Trc").find("created with line length 30"), std::string::npos);
  EXPECT_EQ(RfcCall(handle + 99, const_cast<char*>("RFC_SYSTEM_INFO"), none, no_tables),
            RFC_FAILURE);
  EXPECT_NE(last_message().find("invalid handle"), std::string::npos);
  ItDelete(table);
}

}  // namespace
}  // namespace rfcsim
