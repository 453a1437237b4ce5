// Channels: one measured value (name, value text, unit) appended to the result
// document in the form the host kind reads.
//   XML host kinds: a <Result> element.
//   "Maltheon":     "Message."/"Statistic." lines under a key made from the
//                   name; only the first ten channels of a process are written.
//   "Quendar":      a "> name: value unit" line, or with "CH=n" in the options
//                   only the bare value of the n-th channel of the process.
// Every call counts, written or not.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/run_options.h"
#include "output/result_document.h"

namespace kestrovan {

inline constexpr unsigned kMaltheonChannelLimit = 10;

void write_channel(ResultDocument& document, const RunOptions& options, std::string_view name,
                   std::string_view value, std::string_view unit);

// "DD-Tables missing" -> "DD_Tables_missing"; only the first "." becomes "_".
std::string maltheon_channel_key(std::string_view name);

// The unit as the text host kinds show it: "" -> "#", "PerCent" -> "%",
// "TimeResponse" -> "mSec", anything else unchanged.
std::string unit_label(std::string_view unit);

// A count as a channel value: plain digits for PRTG ("EXEXML"), which reads
// a "." as decimal point; with "." thousands separators for the others.
std::string count_value(HostKind host, unsigned long count);

// Inserts "." thousands separators by position: 1234 -> 1.234,
// 1234567 -> 1.234.567; never more than two separators.
void group_digits(std::string& number);

}  // namespace kestrovan
