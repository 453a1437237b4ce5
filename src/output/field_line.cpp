#include "output/field_line.h"

#include "platform/platform.h"

namespace kestrovan {

std::string format_field_line(std::string_view label, int indent, int width,
                              std::string_view value) {
  std::string line(indent > 0 ? static_cast<std::size_t>(indent) : 0, ' ');
  line += label;
  if (width > 0 && label.size() < static_cast<std::size_t>(width)) {
    line.append(static_cast<std::size_t>(width) - label.size(), ' ');
  }
  line += " : ";
  line += value;
  line += '\n';
  return line;
}

void print_field_line(std::string_view label, int indent, int width, std::string_view value) {
  platform::write_stdout(format_field_line(label, indent, width, value));
}

}  // namespace kestrovan
