// Bounded line reading as the sensor's text files need it: one read takes at
// most `max_chars` characters or runs through the next line feed, whichever
// comes first, so the rest of a longer line arrives as a line of its own. A
// line ends with LF, CR LF or a CR alone; the line end is not part of it.
#pragma once

#include <cstdio>
#include <string>

namespace kestrovan::platform {

// Reads the next piece into `line`. Returns false at the end of the file when
// nothing was read.
bool read_line(std::FILE* file, std::size_t max_chars, std::string& line);

// Skips a UTF-8 byte-order mark at the start of a file just opened (Windows
// editors write one); otherwise leaves the file at its start.
void skip_byte_order_mark(std::FILE* file);

// Reads a whole file; false when it cannot be opened.
bool read_whole_file(const std::string& path, std::string& content);

}  // namespace kestrovan::platform
