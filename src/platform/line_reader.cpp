#include "platform/line_reader.h"

#include "platform/platform.h"

namespace kestrovan::platform {

bool read_line(std::FILE* file, std::size_t max_chars, std::string& line) {
  line.clear();
  bool got_any = false;
  while (line.size() < max_chars) {
    int c = std::getc(file);
    if (c == EOF) break;
    got_any = true;
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    line.push_back(static_cast<char>(c));
  }
  if (!got_any) return false;
  // Cut by the bound or by the end of the file: a CR that the end of the file
  // or a line feed follows is the line end, not text.
  if (!line.empty() && line.back() == '\r') {
    int next = std::getc(file);
    if (next == EOF || next == '\n') {
      line.pop_back();
    } else {
      std::ungetc(next, file);
    }
  }
  return true;
}

bool read_whole_file(const std::string& path, std::string& content) {
  std::FILE* file = open_for_reading(path);
  if (!file) return false;
  content.clear();
  char buffer[65536];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, count);
  std::fclose(file);
  return true;
}

}  // namespace kestrovan::platform
