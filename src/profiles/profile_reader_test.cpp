#include "profiles/profile_reader.h"

#include <gtest/gtest.h>

#include <random>

#include "profiles/password_encoder.h"

namespace kestrovan {
namespace {

std::FILE* file_with(const std::string& content) {
  std::FILE* file = std::tmpfile();
  std::fwrite(content.data(), 1, content.size(), file);
  std::rewind(file);
  return file;
}

std::string stored(const std::string& password) {
  std::mt19937 random(42);
  return *scramble_password(password, random);
}

std::string complete_profile() {
  return "Extcompany.: ACME\n"
         "Destination: BIN\n"
         "Client.....: 100\n"
         "User.......: monitor\n"
         "Password...: " +
         stored("Geheim99") +
         "\n"
         "Language...: E\n"
         "Mode.......: R/3\n"
         "Hostname...: sapbin01\n"
         "Sysnr......: 00\n"
         "Gwhost.....: sapgw01\n"
         "Gwservice..: sapgw00\n";
}

struct Read {
  Failure read_error;
  Failure check_error;
  ConnectionParameters parameters;
};

Read read(const std::string& content) {
  Read result;
  result.read_error =
      read_profile(file_with(content), "PRD.P00", kSingleRunLineLimit, result.parameters);
  if (!result.read_error) result.check_error = check_profile(result.parameters, "PRD.P00");
  return result;
}

TEST(ReadProfile, CompleteProfile) {
  Read result = read(complete_profile());
  EXPECT_FALSE(result.read_error);
  EXPECT_FALSE(result.check_error);
  EXPECT_EQ(result.parameters.destination, "BIN");
  EXPECT_EQ(result.parameters.user, "MONITOR");
  EXPECT_EQ(result.parameters.password, "Geheim99");
  EXPECT_EQ(result.parameters.hostname, "sapbin01");
  EXPECT_EQ(result.parameters.gwservice, "sapgw00");
}

TEST(ReadProfile, ColumnRules) {
  struct Row {
    std::string line;
    std::string client;
  };
  const Row rows[] = {
      {"Client.....: 100", "100"},
      {"Client.....:100", "00"},        // the 13th character is skipped, whatever it is
      {"Client.....:  100 ", " 100 "},  // values are not trimmed
      {"client.....: 100", ""},         // labels are case-sensitive
      {"Client.....:", ""},
      {"Client.....: ", ""},
      {"Client.....: " + std::string(70, '7'), std::string(60, '7')},
      {"Client.....: 100\r", "100"},
      {"Client.....: 1\x00"
       "00",
       "1"},                                          // text ends at a zero byte
      {"Client.....: 100\nClient.....: 200", "200"},  // the last occurrence wins
  };
  for (const Row& row : rows) {
    ConnectionParameters parameters;
    EXPECT_FALSE(read_profile(file_with(row.line + "\n"), "P", kSingleRunLineLimit, parameters));
    EXPECT_EQ(parameters.client, row.client) << row.line;
  }
}

TEST(ReadProfile, LongLinesAreReadInPieces) {
  // A single-profile run reads 159 characters at a time: what follows is a
  // line of its own, an entry when it begins with a label.
  struct Row {
    std::size_t filler;
    bool global_run;
    std::string client;
  };
  const Row rows[] = {{146, false, "300"}, {147, false, ""}, {146, true, ""}, {186, true, "300"}};
  for (const Row& row : rows) {
    std::string line = "Destination: " + std::string(row.filler, 'x') + "Client.....: 300\n";
    ConnectionParameters parameters;
    EXPECT_FALSE(read_profile(file_with(line), "P",
                              row.global_run ? kGlobalRunLineLimit : kSingleRunLineLimit,
                              parameters));
    EXPECT_EQ(parameters.destination, std::string(60, 'x'));
    EXPECT_EQ(parameters.client, row.client) << row.filler << " " << row.global_run;
  }
}

TEST(ReadProfile, TheFirstBadPasswordIsReported) {
  std::string wrong = stored("Geheim99");
  wrong[10] = wrong[10] == 'A' ? 'B' : 'A';
  const std::pair<std::string, std::string> rows[] = {
      {"short", "Error 1004: Invalid Password in Profile PRD.P00 found..."},
      {wrong, "Error 1005: Wrong Password in Profile PRD.P00 found..."},
  };
  for (const auto& [value, message] : rows) {
    // A later good password does not mend it; the lines after it are read
    // (a global run shows them in its progress line).
    Read result = read("Password...: " + value +
                       "\nUser.......: late\nPassword...: " + stored("Geheim99") + "\n");
    EXPECT_EQ(result.read_error.value_or(""), message);
    EXPECT_EQ(result.parameters.user, "LATE");
  }
}

TEST(ReadProfile, ABadPasswordKeepsTheEarlierPassword) {
  ConnectionParameters parameters;
  parameters.password = "earlier";
  EXPECT_TRUE(
      read_profile(file_with("Password...: short\n"), "P", kGlobalRunLineLimit, parameters));
  EXPECT_EQ(parameters.password, "earlier");
}

TEST(CheckProfile, OrderOfTheChecks) {
  auto without = [](const std::string& label) {
    std::string profile = complete_profile();
    std::size_t at = profile.find(label);
    profile.erase(at, profile.find('\n', at) - at + 1);
    return profile;
  };
  auto replaced = [](const std::string& label, const std::string& value) {
    std::string profile = complete_profile();
    std::size_t at = profile.find(label);
    profile.replace(at, profile.find('\n', at) - at, label + " " + value);
    return profile;
  };
  const std::pair<std::string, std::string> rows[] = {
      {without("User.......:"), "Error 1006: Username in Profile PRD.P00 is missing..."},
      {without("User.......:") + "Client.....: 1\n",
       "Error 1006: Username in Profile PRD.P00 is missing..."},
      {without("Password...:"), "Error 1007: Password in Profile PRD.P00 is missing..."},
      {replaced("Password...:", ""), "Error 1007: Password in Profile PRD.P00 is missing..."},
      {replaced("Password...:", stored("a")),
       "Error 1003: Invalid Parameter(s) at PRD.P00 found..."},
      {replaced("Extcompany.:", "A"), "Error 1003: Invalid Parameter(s) at PRD.P00 found..."},
      {replaced("Language...:", ""), "Error 1003: Invalid Parameter(s) at PRD.P00 found..."},
      {without("Gwservice..:"), "Error 1003: Invalid Parameter(s) at PRD.P00 found..."},
  };
  for (const auto& [profile, message] : rows) {
    EXPECT_EQ(read(profile).check_error.value_or(""), message);
  }
  EXPECT_FALSE(read(replaced("Language...:", "D")).check_error);
}

}  // namespace
}  // namespace kestrovan
