#include "run/progress.h"

#include "common/text.h"
#include "common/version.h"

namespace kestrovan {

std::string system_line(const std::string& time, const std::string& profile_name,
                        const ConnectionParameters& parameters) {
  return "* " + time + " " + profile_name + ", " + parameters.hostname + ", " +
         parameters.destination + ", " + parameters.sysnr + ", " + parameters.client;
}

std::string end_line(const std::string& time) {
  return "\n* " + time + " SAP " + std::string(kProgramName) + " now processed...";
}

std::string single_run_parameter_text(const std::string& given_options) {
  std::string text = given_options.substr(0, given_options.find('#'));
  text = text.substr(0, text.find('@'));
  if (text == "(Parameters " || text == "(No ") text.clear();
  return text.empty() ? "(No Parameters)" : text;
}

std::string global_run_parameter_text(const std::string& parameter_text) {
  std::string text = replace_all(parameter_text, ':', ' ');
  return text.substr(0, text.find(" @"));
}

}  // namespace kestrovan
