// The options string: the command-line options in two forms. `given` keeps
// the letter case in which they were written and is the source of values;
// `search` is its upper-case copy, in which keywords are found as substrings
// anywhere. A position found in `search` indexes `given` directly.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestrovan {

struct Options {
  std::string given;
  std::string search;
};

Options make_options(std::string given);

bool has_keyword(const Options& options, std::string_view keyword);

// The value that follows the first occurrence of `keyword`: characters of the
// given form up to (not including) the first character of `stops`, at most
// `max_chars`. Empty when the keyword is missing.
std::string keyword_value(const Options& options, std::string_view keyword, std::string_view stops,
                          std::size_t max_chars);

}  // namespace kestrovan
