// Password unscrambling: only a 24-character stored form is accepted, and it
// never yields more than 20 characters.
#include <string>

#include "fuzz_support.h"
#include "profiles/password.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  std::string stored(reinterpret_cast<const char*>(data), size);
  std::string password;
  kestrovan::PasswordStatus status = kestrovan::unscramble_password(stored, password);
  if (status == kestrovan::PasswordStatus::kOk) {
    fuzz::check(stored.size() == kestrovan::kStoredPasswordLength, "accepted a form not of 24");
    fuzz::check(password.size() <= kestrovan::kMaxPasswordLength, "password beyond 20");
  } else {
    fuzz::check(password.empty(), "a refused form left a password behind");
  }
  if (stored.size() != kestrovan::kStoredPasswordLength) {
    fuzz::check(status == kestrovan::PasswordStatus::kInvalid, "wrong length not invalid");
  }
  std::string again;
  fuzz::check(kestrovan::unscramble_password(stored, again) == status && again == password,
              "not deterministic");
  return 0;
}
