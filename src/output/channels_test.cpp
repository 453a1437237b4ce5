#include "output/channels.h"

#include <gtest/gtest.h>

namespace kestrovan {
namespace {

TEST(WriteChannel, XmlForms) {
  for (HostKind host : {HostKind::kExexml, HostKind::kVornelk, HostKind::kTirvasc}) {
    ResultDocument document{host, "", 0};
    RunOptions options = parse_run_options("CH=2");  // no effect on XML forms
    write_channel(document, options, "DD-Tables missing", "0", "");
    write_channel(document, options, "Load", "12", "PerCent");
    EXPECT_EQ(document.text,
              "\n<Result><Channel>DD-Tables missing</Channel>\n<Value>0</Value></Result>\n"
              "\n<Result><Channel>Load</Channel>\n<Unit>Custom</Unit>\n<CustomUnit>PerCent"
              "</CustomUnit>\n<Value>12</Value></Result>\n");
  }
}

TEST(WriteChannel, XmlFormEscapesNameValueAndUnit) {
  ResultDocument document;
  write_channel(document, parse_run_options(""), "a<b", "1&2", "x>y");
  EXPECT_EQ(document.text,
            "\n<Result><Channel>a&lt;b</Channel>\n<Unit>Custom</Unit>\n<CustomUnit>x&gt;y"
            "</CustomUnit>\n<Value>1&amp;2</Value></Result>\n");
}

TEST(WriteChannel, MaltheonLinesWithKeyAndUnitLabel) {
  ResultDocument document{HostKind::kMaltheon, "", 0};
  RunOptions options = parse_run_options("CH=1");
  write_channel(document, options, "DD-Tables missing", "1.234", "");
  write_channel(document, options, "Load", "5", "PerCent");
  write_channel(document, options, "Resp", "7", "TimeResponse");
  write_channel(document, options, "Size", "9", "MB");
  EXPECT_EQ(document.text,
            "\n\nMessage.DD_Tables_missing: DD-Tables missing (#)\nStatistic.DD_Tables_missing: "
            "1.234"
            "\n\nMessage.Load: Load (%)\nStatistic.Load: 5"
            "\n\nMessage.Resp: Resp (mSec)\nStatistic.Resp: 7"
            "\n\nMessage.Size: Size (MB)\nStatistic.Size: 9");
}

TEST(WriteChannel, MaltheonWritesTenChannelsButCountsEveryCall) {
  ResultDocument document{HostKind::kMaltheon, "", 0};
  RunOptions options;
  for (int i = 0; i < 10; ++i) write_channel(document, options, "c", "1", "");
  std::string after_ten = document.text;
  write_channel(document, options, "c", "1", "");
  EXPECT_EQ(document.text, after_ten);
  EXPECT_EQ(document.channel_counter, 11u);
}

TEST(MaltheonKey, ReplacesTheListedCharactersAndTheFirstDot) {
  EXPECT_EQ(maltheon_channel_key("DD-Tables missing"), "DD_Tables_missing");
  EXPECT_EQ(maltheon_channel_key("a.b.c"), "a_b.c");
  EXPECT_EQ(maltheon_channel_key("a b/c\\d[e]f*g(h)i:j-k"), "a_b_c_d_e_f_g_h_i_j_k");
  EXPECT_EQ(maltheon_channel_key("plain"), "plain");
}

TEST(WriteChannel, QuendarLineWithoutSelection) {
  ResultDocument document{HostKind::kQuendar, "", 0};
  write_channel(document, parse_run_options(""), "DD-Views missing", "3", "");
  write_channel(document, parse_run_options(""), "Load", "3", "PerCent");
  EXPECT_EQ(document.text, "\n> DD-Views missing: 3 #\n> Load: 3 %");
}

TEST(WriteChannel, QuendarSelectsOneChannelByNumber) {
  struct Row {
    std::string options;
    int calls;
    std::string expected;
  };
  const Row rows[] = {
      {"CH=1", 3, "v1"},        {"ch=2", 3, "v2"},        {"CH=3,", 3, "v3"},
      {"x CH=12,y", 12, "v12"}, {"CH=1234", 124, "v123"},  // only three characters are read
      {"CH=,", 3, ""},          {"CH=0", 3, ""},          {"CH=4", 3, ""},
      {"SWITCH=2", 3, "v2"},  // found inside a longer word as well
  };
  for (const Row& row : rows) {
    ResultDocument document{HostKind::kQuendar, "", 0};
    RunOptions options = parse_run_options(row.options);
    for (int i = 1; i <= row.calls; ++i) {
      std::string value = std::to_string(i);
      write_channel(document, options, "n", value.insert(0, 1, 'v'), "");
    }
    EXPECT_EQ(document.text, row.expected) << row.options;
  }
}

TEST(GroupDigits, ByPositionWithAtMostTwoSeparators) {
  const std::pair<std::string, std::string> rows[] = {
      {"", ""},
      {"0", "0"},
      {"999", "999"},
      {"1000", "1.000"},
      {"1234", "1.234"},
      {"123456", "123.456"},
      {"1000000", "1.000.000"},
      {"1234567", "1.234.567"},
      {"1234567890", "1234.567.890"},
      {"4294967295", "4294.967.295"},
      {"12345678901", "12345.678.901"},
  };
  for (const auto& [input, expected] : rows) {
    std::string text = input;
    group_digits(text);
    EXPECT_EQ(text, expected) << input;
  }
}

TEST(CountValue, PlainDigitsForPrtgGroupedForTheOthers) {
  // PRTG reads "1.234" as one point two three four.
  EXPECT_EQ(count_value(HostKind::kExexml, 1234), "1234");
  EXPECT_EQ(count_value(HostKind::kExexml, 4000000000UL), "4000000000");
  for (HostKind host :
       {HostKind::kVornelk, HostKind::kTirvasc, HostKind::kMaltheon, HostKind::kQuendar}) {
    EXPECT_EQ(count_value(host, 1234), "1.234");
    EXPECT_EQ(count_value(host, 17), "17");
  }
}

TEST(WriteChannel, AtTheBoundAChannelGoesInWholeOrNotAtAll) {
  ResultDocument document{HostKind::kExexml, std::string(kDocumentCapacity - 60, 'x'), 0};
  RunOptions options = parse_run_options("");
  write_channel(document, options, "DD-Tables missing", "1", "");
  EXPECT_EQ(document.text.find("<Result>"), std::string::npos);
  EXPECT_EQ(document.channel_counter, 1u);
  document.text.resize(kDocumentCapacity - 100);
  write_channel(document, options, "DD-Tables missing", "1", "");
  EXPECT_NE(document.text.find("</Value></Result>\n"), std::string::npos);
  end_document(document);
  EXPECT_EQ(document.text.substr(document.text.size() - 9), "\n</Prtg>\n");
  EXPECT_LE(document.text.size(), kDocumentCapacity);
}

TEST(UnitLabel, ExactWholeTextComparison) {
  EXPECT_EQ(unit_label(""), "#");
  EXPECT_EQ(unit_label("PerCent"), "%");
  EXPECT_EQ(unit_label("percent"), "percent");
  EXPECT_EQ(unit_label("TimeResponse"), "mSec");
  EXPECT_EQ(unit_label("TimeResponse "), "TimeResponse ");
}

}  // namespace
}  // namespace kestrovan
