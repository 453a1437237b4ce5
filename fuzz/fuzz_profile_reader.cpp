// The profile reader in both run kinds: fields never beyond 60 characters,
// the user upper-cased, a restored password of at most 20 characters, and
// only the reader's own messages.
#include <cstdio>
#include <string>

#include "fuzz_support.h"
#include "profiles/profile_reader.h"

namespace {

void check_fields(const kestrovan::ConnectionParameters& p) {
  for (const std::string* field :
       {&p.extcompany, &p.destination, &p.client, &p.user, &p.password, &p.language, &p.mode,
        &p.hostname, &p.sysnr, &p.gwhost, &p.gwservice}) {
    fuzz::check(field->size() <= kestrovan::kValueLimit, "value beyond 60 characters");
    fuzz::check(field->find('\0') == std::string::npos, "zero byte in a value");
  }
  fuzz::check(p.user.find_first_of("abcdefghijklmnopqrstuvwxyz") == std::string::npos,
              "user not upper-cased");
  fuzz::check(p.password.size() <= 20, "password beyond 20 characters");
}

bool known_message(const std::string& message) {
  for (const char* prefix : {"Error 1003: Invalid Parameter(s) at P.P00 found...",
                             "Error 1004: Invalid Password in Profile P.P00 found...",
                             "Error 1005: Wrong Password in Profile P.P00 found...",
                             "Error 1006: Username in Profile P.P00 is missing...",
                             "Error 1007: Password in Profile P.P00 is missing..."}) {
    if (message == prefix) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  for (bool global_run : {false, true}) {
    std::FILE* file = fmemopen(const_cast<unsigned char*>(data), size, "rb");
    if (!file) return 0;
    if (size == 0) {
      std::fclose(file);
      file = std::tmpfile();
    }
    kestrovan::ConnectionParameters parameters;
    auto error = kestrovan::read_profile(
        file, "P.P00", global_run ? kestrovan::kGlobalRunLineLimit : kestrovan::kSingleRunLineLimit,
        parameters);
    if (!error) error = kestrovan::check_profile(parameters, "P.P00");
    check_fields(parameters);
    if (error) fuzz::check(known_message(*error), "unknown message: " + *error);
  }
  return 0;
}
