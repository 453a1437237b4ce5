#include "run/options.h"

#include "common/text.h"

namespace kestrovan {

Options make_options(std::string given) {
  Options options;
  options.search = to_upper(given);
  options.given = std::move(given);
  return options;
}

bool has_keyword(const Options& options, std::string_view keyword) {
  return options.search.find(keyword) != std::string::npos;
}

std::string keyword_value(const Options& options, std::string_view keyword, std::string_view stops,
                          std::size_t max_chars) {
  std::size_t at = options.search.find(keyword);
  if (at == std::string::npos) return {};
  std::string value;
  for (std::size_t i = at + keyword.size(); i < options.given.size() && value.size() < max_chars;
       ++i) {
    if (stops.find(options.given[i]) != std::string_view::npos) break;
    value.push_back(options.given[i]);
  }
  return value;
}

}  // namespace kestrovan
