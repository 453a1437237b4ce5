// Progress lines for the operator, printed only when the options hold a
// progress marker ("#", "@", "$" or "%"); for PRTG standard output carries
// nothing but the result document.
#pragma once

#include <string>

#include "profiles/connection_parameters.h"

namespace kestrovan {

// "* <time> <profile>, <display host>, <destination>, <sysnr>, <client>".
std::string system_line(const std::string& time, const std::string& profile_name,
                        const ConnectionParameters& parameters);

// "\n* <time> SAP Kestrovan now processed...".
std::string end_line(const std::string& time);

// The options of a single-profile run as the "State=Executing" line shows
// them: cut at the first "#", then at the first "@"; "(Parameters " and
// "(No " alone count as nothing; nothing shows as "(No Parameters)".
std::string single_run_parameter_text(const std::string& given_options);

// The parameter text of a global-listing run: colons as blanks, cut at the
// first " @".
std::string global_run_parameter_text(const std::string& parameter_text);

}  // namespace kestrovan
