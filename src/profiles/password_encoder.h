// Writes the stored form of a password, for the password tool. The key
// offset and the filler characters after the password are chosen at random,
// so that the same password does not always give the same stored form; every
// stored form is 24 printable ASCII characters without blanks.
#pragma once

#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace kestrovan {

// Nullopt when the password is empty, longer than 20 characters, holds a
// character outside 0x20..0x7E, or cannot be stored without a blank or a
// control character at any key offset.
std::optional<std::string> scramble_password(std::string_view password, std::mt19937& random);

}  // namespace kestrovan
