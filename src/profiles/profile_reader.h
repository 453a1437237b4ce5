// The profile: a text file of labelled lines. The first 12 characters of a
// line are its label ("Destination:", "Client.....:", ...), the 13th is
// skipped whatever it is, and the value is the text from the 14th character
// on, at most 60 characters, not trimmed. Lines without a label are ignored;
// the last occurrence of a label wins. The user is upper-cased; the password
// is stored scrambled and restored while reading.
//
// In a single-profile run every fault is reported with its message; in a
// global-listing run a fault only marks the profile invalid.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

#include "profiles/connection_parameters.h"

namespace kestrovan {

inline constexpr std::size_t kLabelWidth = 12;
inline constexpr std::size_t kValueColumn = 13;  // 0-based: the 14th character
inline constexpr std::size_t kValueLimit = 60;
inline constexpr std::size_t kSingleRunLineLimit = 159;
inline constexpr std::size_t kGlobalRunLineLimit = 199;

// Reads the whole profile from `file` (which it closes) into `parameters`,
// overwriting only the fields whose labels occur. Returns the message of a
// bad password in a single-profile run; in a global-listing run clears
// `valid` instead.
std::optional<std::string> read_profile(std::FILE* file, const std::string& profile_name,
                                        bool global_run, ConnectionParameters& parameters,
                                        bool& valid);

// The completeness check: user, then password, then every field's minimum
// length. Returns the message of the first failing step in a single-profile
// run; in a global-listing run clears `valid` instead.
std::optional<std::string> check_profile(const ConnectionParameters& parameters,
                                         const std::string& profile_name, bool global_run,
                                         bool& valid);

}  // namespace kestrovan
