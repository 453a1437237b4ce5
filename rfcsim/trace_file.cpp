#include "trace_file.h"

#include <cstdio>

#include "sim_support.h"

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
  bool after_open_line = std::fseek(file, -1, SEEK_END) == 0 && std::fgetc(file) != '\n';
  std::fseek(file, 0, SEEK_END);
  SimTime now = local_time();
  char opened[96];
  int length = std::snprintf(
      opened, sizeof opened,
      "%s**** ERROR file opened at %04d%02d%02d %02d%02d%02d Kestrovan RFC library\n",
      after_open_line ? "\n" : "", now.year, now.month, now.day, now.hour, now.minute, now.second);
  std::string block(opened, length > 0 ? static_cast<std::size_t>(length) : 0);
  block += "ERROR       " + one_line(what) + "\n";
  if (!detail.empty()) block += "       ======> " + one_line(detail) + "\n";
  // One write a block, so that blocks of concurrent calls never interleave.
  std::fwrite(block.data(), 1, block.size(), file);
  std::fclose(file);
}

}  // namespace rfcsim
