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
    if (c == '\n') return true;
    if (c == '\r') {
      // CR LF, or a CR alone as files from old editors end their lines.
      int next = std::getc(file);
      if (next != '\n' && next != EOF) std::ungetc(next, file);
      return true;
    }
    line.push_back(static_cast<char>(c));
  }
  return got_any;
}

void skip_byte_order_mark(std::FILE* file) {
  unsigned char start[3] = {0, 0, 0};
  std::size_t count = std::fread(start, 1, sizeof start, file);
  bool mark = count == 3 && start[0] == 0xEF && start[1] == 0xBB && start[2] == 0xBF;
  if (!mark) std::rewind(file);
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
