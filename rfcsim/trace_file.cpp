#include "trace_file.h"

#include <cstdio>

#include "platform/platform.h"

namespace rfcsim {

namespace {

std::string one_line(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

}  // namespace

void append_error_block(const std::string& what, const std::string& detail) {
  std::FILE* file = std::fopen(kTraceFileName, "a+b");
  if (!file) return;
  // A block starts on a line of its own, also after a file without a final
  // line end.
  if (std::fseek(file, -1, SEEK_END) == 0 && std::fgetc(file) != '\n') std::fputc('\n', file);
  std::fseek(file, 0, SEEK_END);
  kestrovan::platform::LocalTime now = kestrovan::platform::local_time();
  std::fprintf(file, "**** ERROR file opened at %04d%02d%02d %02d%02d%02d Kestrovan RFC library\n",
               now.year, now.month, now.day, now.hour, now.minute, now.second);
  std::fprintf(file, "ERROR       %s\n", one_line(what).c_str());
  if (!detail.empty()) std::fprintf(file, "       ======> %s\n", one_line(detail).c_str());
  std::fclose(file);
}

}  // namespace rfcsim
