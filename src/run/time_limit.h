// The run's own time limit ("Timeout=" in Kestrovan.ini), so that the sensor
// ends with a document that names the system before the host kills it.
//
// The limit counts from the start of the process. If the run has not claimed
// the end of its output by then (with its final document), the limit waits
// for a write in progress to end, prints Error 1050 (no answer within the
// limit, naming the subject) in the host kind's form (closing a global run's
// XML document that is already open), writes a trace line to the system log
// when it is open, and ends the process with exit code 2 — also while the
// RFC library is blocked in a call that does not return. Nothing is written
// after it; Dev_Rfc.Trc stays.
//
// The limit is cheap to arm: one kernel timer, no thread, and nothing built
// ahead. The ending assembles the document in a buffer of its own, since it
// may run in a signal handler (platform/standard_output.h).
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "common/host_kind.h"

namespace kestrovan {

// Arms the limit, once a process, for `seconds` after `started`.
// `foreign_library`: a library will be bound at run time ("RfcLibrary="), so
// the limit takes a timer that no library shares.
void start_time_limit(unsigned seconds, std::chrono::steady_clock::time_point started,
                      HostKind host, const std::string& subject, bool foreign_library);

// What the limit's message names from now on: the profile name, then the
// destination; in a global run the profile of the system in its turn.
void name_time_limit_subject(const std::string& subject);

// Prints the opening of a global run's document; the limit then closes it
// instead of printing a document of its own.
void print_document_opening(const std::string& text);

// The document the limit prints if it passes now: Error 1050, "No answer
// within N s from " + subject + "...", as error_document or, once a global
// run's XML document is open, error_closing writes it. Assembled without
// allocating, in a buffer that the next call reuses. Only once armed.
std::string_view time_limit_document();

}  // namespace kestrovan
