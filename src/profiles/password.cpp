#include "profiles/password.h"

namespace kestrovan {

bool counts_in_check_sum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

PasswordStatus unscramble_password(std::string_view stored, std::string& password) {
  password.clear();
  if (stored.size() != kStoredPasswordLength) return PasswordStatus::kInvalid;

  unsigned char header[kStoredHeaderLength];
  for (std::size_t i = 0; i < kStoredHeaderLength; ++i) {
    header[i] = static_cast<unsigned char>(stored[i]) ^ kScramblingKey[i];
    if (header[i] < '0' || header[i] > '9') return PasswordStatus::kInvalid;
  }
  int check_digit = header[0] - '0';
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
  unsigned sum = 0;
  for (unsigned char c : text) {
    if (counts_in_check_sum(c)) sum += c;
  }
  if (static_cast<int>(sum % 10) != check_digit) return PasswordStatus::kWrong;
  password = text.substr(0, length);
  return PasswordStatus::kOk;
}

}  // namespace kestrovan
