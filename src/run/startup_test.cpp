#include "run/startup.h"

#include <gtest/gtest.h>

namespace kestrovan {
namespace {

Startup start(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "Kestrovan");
  Startup startup;
  EXPECT_FALSE(start_up(arguments, "07:08:09", startup).has_value());
  return startup;
}

TEST(StartUp, MissingProfileName) {
  Startup startup;
  auto error = start_up({"Kestrovan"}, "07:08:09", startup);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(*error, "Error 1001: Parameter for Profile-Name is missing !");
  EXPECT_EQ(startup.start_line, "* 07:08:09 SAP Kestrovan Vers 4.3 / 29.08.22");
}

TEST(StartUp, EmptyFirstArgumentPasses) {
  Startup startup = start({""});
  EXPECT_EQ(startup.profile_argument, "");
  EXPECT_FALSE(startup.options.item_mode);
}

TEST(StartUp, OptionsFromSecondAndThirdArgument) {
  struct Row {
    std::vector<std::string> arguments;
    std::string given;
    bool progress;
  };
  const Row rows[] = {
      {{"PRD"}, "", false},
      {{"PRD", "abc", "#1"}, "abc #1", true},
      {{"PRD", "a", "b", "c"}, "a b", false},  // a fourth argument is ignored
      {{"PRD", "x@y"}, "x@y", true},
      {{"PRD", "$"}, "$", true},
      {{"PRD", "100%"}, "100%", true},
      {{"PRD", "(Parameters", "#abc"}, "(Parameters #abc", true},
  };
  for (const Row& row : rows) {
    Startup startup = start(row.arguments);
    EXPECT_EQ(startup.options.given, row.given);
    EXPECT_EQ(startup.options.progress, row.progress) << row.given;
    EXPECT_FALSE(startup.options.item_mode);
  }
}

TEST(StartUp, TheProfileArgumentIsHeldWholeTheOptionsAreCut) {
  Startup startup = start({std::string(300, 'p'), std::string(100, 'a'), std::string(100, 'b')});
  EXPECT_EQ(startup.profile_argument, std::string(300, 'p'));
  EXPECT_EQ(startup.options.given.size(), kOptionsLimit);
  EXPECT_EQ(startup.options.given.substr(0, 101), std::string(100, 'a') + " ");
}

}  // namespace
}  // namespace kestrovan
