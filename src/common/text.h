// Small text helpers shared by every subsystem. All of them work on 8-bit
// characters without any character-set conversion; letter-case changes touch
// the ASCII letters only.
#pragma once

#include <string>
#include <string_view>

namespace kestrovan {

// ASCII upper-case copy.
std::string to_upper(std::string_view text);

// The first `limit` characters of `text` (all of it when shorter).
std::string_view cut(std::string_view text, std::size_t limit);

// `text` up to (not including) its first zero byte.
std::string_view until_nul(std::string_view text);

// `text` without a UTF-8 byte-order mark at its start (Windows editors
// write one).
std::string_view without_bom(std::string_view text);

// `text` with every `from` replaced by `to`.
std::string replace_all(std::string_view text, char from, char to);

// `text` without trailing blanks.
std::string_view trim_trailing_blanks(std::string_view text);

// `text` without blanks, tabs and carriage returns at either end.
std::string_view trim_blanks(std::string_view text);

// Equal without regard to ASCII letter case.
bool equals_ignoring_case(std::string_view a, std::string_view b);

// C-style decimal conversion as atoi does it: leading blanks, an optional
// sign, digits up to the first non-digit; no digits give 0. Values beyond the
// range of int are clamped instead of overflowing.
int parse_leading_int(std::string_view text);

}  // namespace kestrovan
