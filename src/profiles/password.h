// The stored form of a profile password: 24 characters, a header of four
// and a body of twenty, each XOR-ed with the scrambling key. The decoded
// header is four digits: check digit, key offset of the body (0-9), and the
// password length (two digits). The body is read interleaved from both ends
// (B0, B19, B1, B18, ...); the sum of the codes of its ASCII digits and
// letters must end in the check digit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrovan {

inline constexpr std::size_t kStoredPasswordLength = 24;
inline constexpr std::size_t kStoredHeaderLength = 4;
inline constexpr std::size_t kStoredBodyLength = 20;
inline constexpr std::size_t kMaxPasswordLength = kStoredBodyLength;

// Key entries 0-3 serve the header, the body uses 20 entries from its offset.
// Every entry lies in 1..31, and the header's entries outside 16..25, so that
// a scrambled printable character stays a character and a digit never turns
// into a blank.
inline constexpr std::array<std::uint8_t, 32> kScramblingKey = {
    0x0B, 0x1D, 0x06, 0x1A, 0x13, 0x05, 0x1F, 0x0E, 0x19, 0x02, 0x17, 0x0C, 0x1B, 0x08, 0x15, 0x03,
    0x1E, 0x0A, 0x11, 0x07, 0x1C, 0x04, 0x16, 0x0D, 0x12, 0x09, 0x0F, 0x01, 0x18, 0x10, 0x14, 0x1A};

enum class PasswordStatus { kOk, kInvalid, kWrong };

// Restores the password from its stored form.
PasswordStatus unscramble_password(std::string_view stored, std::string& password);

// The check digit of a body text: the last decimal digit of the sum of the
// codes of its ASCII digits and letters.
int check_digit(std::string_view text);

// Index in the body of the n-th character of the reordered text.
inline std::size_t body_index(std::size_t n) {
  return n % 2 == 0 ? n / 2 : kStoredBodyLength - 1 - n / 2;
}

}  // namespace kestrovan
