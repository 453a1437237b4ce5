// Aligned two-column console lines, as the RFC error report and the set-up
// check print them: the label left-aligned in `width` columns (a longer
// label is shown whole), " : ", the value and a line end.
#pragma once

#include <string>
#include <string_view>

namespace kestrovan {

std::string format_field_line(std::string_view label, int width, std::string_view value);

}  // namespace kestrovan
