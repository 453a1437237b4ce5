#include "platform/line_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrovan::platform {
namespace {

std::vector<std::string> lines_of(const std::string& content, std::size_t max_chars) {
  std::FILE* file = std::tmpfile();
  std::fwrite(content.data(), 1, content.size(), file);
  std::rewind(file);
  std::vector<std::string> lines;
  std::string line;
  while (read_line(file, max_chars, line)) lines.push_back(line);
  std::fclose(file);
  return lines;
}

using Lines = std::vector<std::string>;

TEST(ReadLine, LineEnds) {
  EXPECT_EQ(lines_of("a\nb\r\nc", 10), (Lines{"a", "b", "c"}));
  EXPECT_EQ(lines_of("a\rb\rc\r", 10), (Lines{"a", "b", "c"}));
  EXPECT_EQ(lines_of("a\r\r\nb", 10), (Lines{"a", "", "b"}));
  EXPECT_EQ(lines_of("\n\n", 10), (Lines{"", ""}));
  EXPECT_EQ(lines_of("", 10), Lines{});
}

TEST(ReadLine, LongLinesArriveInPieces) {
  EXPECT_EQ(lines_of("abcdefg\nhi", 3), (Lines{"abc", "def", "g", "hi"}));
  EXPECT_EQ(lines_of("abc\r\nd", 3), (Lines{"abc", "", "d"}));
  EXPECT_EQ(lines_of(std::string("a\0b\n", 4), 10), (Lines{std::string("a\0b", 3)}));
}

TEST(SkipByteOrderMark, OnlyAWholeMarkAtTheStart) {
  struct Row {
    std::string content;
    Lines lines;
  };
  const Row rows[] = {
      {"\xEF\xBB\xBFLabel: x\n", {"Label: x"}},
      {"Label: x\n", {"Label: x"}},
      {"\xEF\xBB", {"\xEF\xBB"}},
      {"", {}},
      {"\xEF\xBB\xBF", {}},
  };
  for (const Row& row : rows) {
    std::FILE* file = std::tmpfile();
    std::fwrite(row.content.data(), 1, row.content.size(), file);
    std::rewind(file);
    skip_byte_order_mark(file);
    Lines lines;
    std::string line;
    while (read_line(file, 80, line)) lines.push_back(line);
    std::fclose(file);
    EXPECT_EQ(lines, row.lines) << row.content;
  }
}

}  // namespace
}  // namespace kestrovan::platform
