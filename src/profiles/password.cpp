#include "profiles/password.h"

namespace kestrovan {

int check_digit(std::string_view text) {
  unsigned sum = 0;
  for (char character : text) {
    unsigned char c = static_cast<unsigned char>(character);
    bool counts = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (counts) sum += c;
  }
  return static_cast<int>(sum % 10);
}

PasswordStatus unscramble_password(std::string_view stored, std::string& password) {
  password.clear();
  if (stored.size() != kStoredPasswordLength) return PasswordStatus::kInvalid;

  unsigned char header[kStoredHeaderLength];
  for (std::size_t i = 0; i < kStoredHeaderLength; ++i) {
    header[i] = static_cast<unsigned char>(stored[i]) ^ kScramblingKey[i];
    if (header[i] < '0' || header[i] > '9') return PasswordStatus::kInvalid;
  }
  int stored_check_digit = header[0] - '0';
  std::size_t offset = header[1] - '0';
  std::size_t length = static_cast<std::size_t>((header[2] - '0') * 10 + (header[3] - '0'));

  unsigned char body[kStoredBodyLength];
  for (std::size_t i = 0; i < kStoredBodyLength; ++i) {
    body[i] =
        static_cast<unsigned char>(stored[kStoredHeaderLength + i]) ^ kScramblingKey[offset + i];
  }
  // A character that decodes to the zero byte is left out.
  std::string text;
  for (std::size_t n = 0; n < kStoredBodyLength; ++n) {
    unsigned char c = body[body_index(n)];
    if (c != 0) text.push_back(static_cast<char>(c));
  }
  if (check_digit(text) != stored_check_digit) return PasswordStatus::kWrong;
  password = text.substr(0, length);
  return PasswordStatus::kOk;
}

}  // namespace kestrovan
