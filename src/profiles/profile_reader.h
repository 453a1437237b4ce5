// The profile: a text file of labelled lines. The first 12 characters of a
// line are its label ("Destination:", "Client.....:", ...), the 13th is
// skipped whatever it is, and the value is the text from the 14th character
// on, at most 60 characters, not trimmed. Lines without a label are ignored;
// the last occurrence of a label wins. The user is upper-cased; the password
// is stored scrambled and restored while reading.
//
// A fault is reported with its message; a global-listing run only counts
// it, a single-profile run reports it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "common/failure.h"
#include "profiles/connection_parameters.h"

namespace kestrovan {

inline constexpr std::size_t kLabelWidth = 12;
inline constexpr std::size_t kValueColumn = 13;  // 0-based: the 14th character
inline constexpr std::size_t kValueLimit = 60;
// Characters a read takes of a line: a longer line arrives in pieces.
inline constexpr std::size_t kSingleRunLineLimit = 159;
inline constexpr std::size_t kGlobalRunLineLimit = 199;

// Reads the whole profile from `file` (which it closes) into `parameters`,
// overwriting only the fields whose labels occur, in pieces of at most
// `line_limit` characters. Fails with the message of the first bad password.
Failure read_profile(std::FILE* file, const std::string& profile_name, std::size_t line_limit,
                     ConnectionParameters& parameters);

// The completeness check: user, then password, then every field's minimum
// length. Fails with the message of the first failing step.
Failure check_profile(const ConnectionParameters& parameters, const std::string& profile_name);

}  // namespace kestrovan
