#include "common/run_options.h"

#include "common/text.h"

namespace kestrovan {

namespace {

// The value after the first `keyword` of `search` (the upper-case copy of
// `given`): characters of `given` up to the first of `stops`, at most
// `max_chars`; empty when the keyword is missing.
std::string value_after(const std::string& given, const std::string& search,
                        std::string_view keyword, std::string_view stops, std::size_t max_chars) {
  std::size_t at = search.find(keyword);
  if (at == std::string::npos) return {};
  std::string value;
  for (std::size_t i = at + keyword.size(); i < given.size() && value.size() < max_chars; ++i) {
    if (stops.find(given[i]) != std::string_view::npos) break;
    value.push_back(given[i]);
  }
  return value;
}

}  // namespace

RunOptions parse_run_options(std::string given) {
  RunOptions options;
  options.given = std::move(given);
  const std::string search = to_upper(options.given);
  auto has = [&](std::string_view keyword) { return search.find(keyword) != std::string::npos; };
  auto value = [&](std::string_view keyword, std::string_view stops, std::size_t max_chars) {
    return value_after(options.given, search, keyword, stops, max_chars);
  };
  options.progress = search.find_first_of("#@$%") != std::string::npos;
  options.at_sign = has("@");
  options.item_mode = has("ITEM=");
  if (options.item_mode) options.item = replace_all(value("ITEM=", " ,", kItemLimit), ':', ' ');
  options.channel_selected = has("CH=");
  if (options.channel_selected) {
    options.channel = parse_leading_int(value("CH=", ",", kChannelSelectDigits));
  }
  options.host_override = has(",HOST=");
  if (options.host_override) options.host = value(",HOST=", " ,", kOverrideLimit);
  options.sysnr_override = has(",NO=");
  if (options.sysnr_override) options.sysnr = value(",NO=", " ,", kOverrideLimit);
  options.syslog = has(",SYSLOG");
  options.sensor_name = search.substr(0, search.find(' '));
  return options;
}

}  // namespace kestrovan
