// Aligned two-column console lines for the RFC error report: `indent`
// blanks, the label left-aligned in `width` columns (a longer label is shown
// whole), " : ", the value and a line end.
#pragma once

#include <string>
#include <string_view>

namespace kestrovan {

std::string format_field_line(std::string_view label, int indent, int width,
                              std::string_view value);

// Prints the line on standard output.
void print_field_line(std::string_view label, int indent, int width, std::string_view value);

}  // namespace kestrovan
