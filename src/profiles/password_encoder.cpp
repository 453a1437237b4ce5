#include "profiles/password_encoder.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

#include "profiles/password.h"

namespace kestrovan {

namespace {

bool storable(unsigned char c) { return c > ' ' && c < 0x7F; }

bool fits_at_offset(std::string_view password, std::size_t offset) {
  for (std::size_t n = 0; n < password.size(); ++n) {
    unsigned char plain = static_cast<unsigned char>(password[n]);
    if (!storable(plain ^ kScramblingKey[offset + body_index(n)])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> scramble_password(std::string_view password, std::mt19937& random) {
  if (password.empty() || password.size() > kMaxPasswordLength) return std::nullopt;
  for (char c : password) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
      return std::nullopt;
    }
  }
  std::array<std::size_t, 10> offsets;
  std::iota(offsets.begin(), offsets.end(), 0);
  std::shuffle(offsets.begin(), offsets.end(), random);
  auto offset = std::find_if(offsets.begin(), offsets.end(),
                             [&](std::size_t o) { return fits_at_offset(password, o); });
  if (offset == offsets.end()) return std::nullopt;

  static constexpr std::string_view kFiller =
      "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string text(password);
  while (text.size() < kStoredBodyLength) {
    std::size_t key = kScramblingKey[*offset + body_index(text.size())];
    std::vector<char> choices;
    for (char c : kFiller) {
      if (storable(static_cast<unsigned char>(c) ^ key)) choices.push_back(c);
    }
    text.push_back(
        choices[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)]);
  }
  const char header[kStoredHeaderLength] = {
      static_cast<char>('0' + check_digit(text)), static_cast<char>('0' + *offset),
      static_cast<char>('0' + password.size() / 10), static_cast<char>('0' + password.size() % 10)};

  std::string stored(kStoredPasswordLength, ' ');
  for (std::size_t i = 0; i < kStoredHeaderLength; ++i) {
    stored[i] = static_cast<char>(header[i] ^ kScramblingKey[i]);
  }
  for (std::size_t n = 0; n < kStoredBodyLength; ++n) {
    std::size_t b = body_index(n);
    stored[kStoredHeaderLength + b] = static_cast<char>(text[n] ^ kScramblingKey[*offset + b]);
  }
  return stored;
}

}  // namespace kestrovan
