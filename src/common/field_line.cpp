#include "common/field_line.h"

namespace kestrovan {

std::string format_field_line(std::string_view label, int width, std::string_view value) {
  std::string line(label);
  if (width > 0 && label.size() < static_cast<std::size_t>(width)) {
    line.append(static_cast<std::size_t>(width) - label.size(), ' ');
  }
  line += " : ";
  line += value;
  line += '\n';
  return line;
}

}  // namespace kestrovan
