#include "common/run_options.h"

#include <gtest/gtest.h>

namespace kestrovan {
namespace {

TEST(RunOptions, EveryKeywordAnywhereInAnyLetterCase) {
  struct Row {
    std::string given;
    RunOptions expected;
  };
  auto with = [](auto set) {
    RunOptions options;
    set(options);
    return options;
  };
  const Row rows[] = {
      {"", {}},
      {"#", with([](RunOptions& o) { o.progress = true; })},
      {"100%", with([](RunOptions& o) { o.progress = true; })},
      {"x@y", with([](RunOptions& o) { o.progress = o.at_sign = true; })},
      {"item=Plant:A,rest", with([](RunOptions& o) {
         o.item_mode = true;
         o.item = "Plant A";
       })},
      {"x itEM=MixedCase y", with([](RunOptions& o) {
         o.item_mode = true;
         o.item = "MixedCase";
       })},
      {"ITEM= x", with([](RunOptions& o) { o.item_mode = true; })},
      {"ITEM=" + std::string(100, 'z'), with([](RunOptions& o) {
         o.item_mode = true;
         o.item = std::string(kItemLimit, 'z');
       })},
      {"ch=2", with([](RunOptions& o) {
         o.channel_selected = true;
         o.channel = 2;
       })},
      {"CH=12345,x", with([](RunOptions& o) {  // three digits are read
         o.channel_selected = true;
         o.channel = 123;
       })},
      {"ARCH=1", with([](RunOptions& o) {  // a keyword counts wherever it stands
         o.channel_selected = true;
         o.channel = 1;
       })},
      {"CH=x", with([](RunOptions& o) { o.channel_selected = true; })},
      {",host=SapBin02 ,no=07", with([](RunOptions& o) {
         o.host_override = o.sysnr_override = true;
         o.host = "SapBin02";
         o.sysnr = "07";
       })},
      {",HOST=", with([](RunOptions& o) { o.host_override = true; })},
      {"x,syslog", with([](RunOptions& o) { o.syslog = true; })},
      {",SYSLO", {}},
  };
  for (const Row& row : rows) {
    RunOptions options = parse_run_options(row.given);
    const RunOptions& e = row.expected;
    EXPECT_EQ(options.given, row.given);
    EXPECT_EQ(options.progress, e.progress) << row.given;
    EXPECT_EQ(options.at_sign, e.at_sign) << row.given;
    EXPECT_EQ(options.item_mode, e.item_mode) << row.given;
    EXPECT_EQ(options.item, e.item) << row.given;
    EXPECT_EQ(options.channel_selected, e.channel_selected) << row.given;
    EXPECT_EQ(options.channel, e.channel) << row.given;
    EXPECT_EQ(options.host_override, e.host_override) << row.given;
    EXPECT_EQ(options.host, e.host) << row.given;
    EXPECT_EQ(options.sysnr_override, e.sysnr_override) << row.given;
    EXPECT_EQ(options.sysnr, e.sysnr) << row.given;
    EXPECT_EQ(options.syslog, e.syslog) << row.given;
  }
}

TEST(RunOptions, SensorNameIsTheFirstWordUpperCased) {
  EXPECT_EQ(parse_run_options("plant1 Item=x").sensor_name, "PLANT1");
  EXPECT_EQ(parse_run_options("").sensor_name, "");
  EXPECT_EQ(parse_run_options(" x").sensor_name, "");
}

}  // namespace
}  // namespace kestrovan
