// What the built-in library needs of text, files, time and waiting, with the
// standard library alone: the library is also built as a stand-alone shared
// library and shares no code with the sensor beyond the API header.
#pragma once

#include <string>
#include <string_view>

namespace rfcsim {

// ASCII upper-case copy.
std::string to_upper(std::string_view text);

// `text` without blanks, tabs and carriage returns at either end.
std::string_view trim_blanks(std::string_view text);

// `text` without a UTF-8 byte-order mark at its start.
std::string_view without_bom(std::string_view text);

// Reads a whole regular file byte for byte; false when there is none.
bool read_whole_file(const char* path, std::string& content);

struct SimTime {
  int year, month, day, hour, minute, second;
};
SimTime local_time();

void sleep_milliseconds(unsigned milliseconds);

}  // namespace rfcsim
