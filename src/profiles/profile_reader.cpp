#include "profiles/profile_reader.h"

#include <string_view>

#include "common/text.h"
#include "platform/line_reader.h"
#include "profiles/password.h"

namespace kestrovan {

namespace {

struct Field {
  std::string_view label;
  std::string ConnectionParameters::*member;
  std::size_t minimum_length;
};

// In the order in which the completeness check tests them.
const Field kFields[] = {
    {"Extcompany.:", &ConnectionParameters::extcompany, 2},
    {"Destination:", &ConnectionParameters::destination, 3},
    {"Client.....:", &ConnectionParameters::client, 3},
    {"User.......:", &ConnectionParameters::user, 2},
    {"Password...:", &ConnectionParameters::password, 2},
    {"Language...:", &ConnectionParameters::language, 1},
    {"Mode.......:", &ConnectionParameters::mode, 3},
    {"Hostname...:", &ConnectionParameters::hostname, 2},
    {"Sysnr......:", &ConnectionParameters::sysnr, 2},
    {"Gwhost.....:", &ConnectionParameters::gwhost, 2},
    {"Gwservice..:", &ConnectionParameters::gwservice, 2},
};

}  // namespace

Failure read_profile(std::FILE* file, const std::string& profile_name, std::size_t line_limit,
                     ConnectionParameters& parameters) {
  std::string buffer;
  Failure error;
  platform::skip_byte_order_mark(file);
  // Every line is read, also after a bad password: a global run shows the
  // fields of an invalid profile in its progress line.
  while (platform::read_line(file, line_limit, buffer)) {
    // Text ends at a zero byte, as in every C string the value passes through.
    std::string_view line = until_nul(buffer);
    if (line.size() < kLabelWidth) continue;
    std::string_view label = line.substr(0, kLabelWidth);
    std::string value(line.size() > kValueColumn ? cut(line.substr(kValueColumn), kValueLimit)
                                                 : std::string_view());
    for (const Field& field : kFields) {
      if (label != field.label) continue;
      if (field.member == &ConnectionParameters::user) {
        parameters.user = to_upper(value);
      } else if (field.member == &ConnectionParameters::password) {
        if (value.empty()) {
          parameters.password.clear();
          break;
        }
        std::string password;
        PasswordStatus status = unscramble_password(value, password);
        if (status == PasswordStatus::kOk) {
          parameters.password = password;
        } else if (error) {
          // The first bad password is the one reported.
        } else if (status == PasswordStatus::kInvalid) {
          error = "Error 1004: Invalid Password in Profile " + profile_name + " found...";
        } else {
          error = "Error 1005: Wrong Password in Profile " + profile_name + " found...";
        }
      } else {
        parameters.*field.member = value;
      }
      break;
    }
  }
  std::fclose(file);
  return error;
}

Failure check_profile(const ConnectionParameters& parameters, const std::string& profile_name) {
  Failure error;
  if (parameters.user.empty()) {
    error = "Error 1006: Username in Profile " + profile_name + " is missing...";
  } else if (parameters.password.empty()) {
    error = "Error 1007: Password in Profile " + profile_name + " is missing...";
  } else {
    for (const Field& field : kFields) {
      if ((parameters.*field.member).size() < field.minimum_length) {
        error = "Error 1003: Invalid Parameter(s) at " + profile_name + " found...";
        break;
      }
    }
  }
  return error;
}

}  // namespace kestrovan
