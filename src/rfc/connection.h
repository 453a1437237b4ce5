// Logon to the SAP system the connection parameters describe.
//
// Normally through RfcOpen with logon options: user padded to 12 and password
// to 10 characters, mode "R/2" selecting the CPI-C options (gateway) and any
// other mode the R/3 options (host and system number). When the working
// directory holds "SapRfc." + destination, that file is copied byte for byte
// to "SapRfc.ini" and the logon goes through RfcOpenEx with a connect string.
//
// ",HOST=name" and ",NO=nn" in the options override the host name and the
// system number (value up to the next blank or comma; empty: no host, 0).
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/run_options.h"
#include "profiles/connection_parameters.h"
#include "rfc/rfc_session.h"

namespace kestrovan {

inline constexpr std::size_t kUserPadding = 12;
inline constexpr std::size_t kPasswordPadding = 10;
inline constexpr std::string_view kSapRfcIni = "SapRfc.ini";

LogonTexts make_logon_texts(const ConnectionParameters& parameters, const RunOptions& options);

// "CLIENT=c USER=u PASSWD=p LANG=D DEST=d", user and password unpadded.
std::string make_connect_string(const ConnectionParameters& parameters);

// "SapRfc." + destination, or empty when the destination is no plain file
// name (holds a folder separator, a colon or ".."), so that a profile cannot
// make the sensor copy a file from elsewhere.
std::string per_destination_ini_name(std::string_view destination);

// How a logon through the per-destination file is announced as progress
// ("* SapRfc.Ini.......: BIN<" and a line end); null: not at all, so that
// standard output carries nothing but the document.
using Announce = std::function<void(const std::string& text)>;

// Logs on; the result is not open when no connection was made. Logons
// through per-destination files take turns, since they share SapRfc.ini.
RfcConnection open_connection(const ConnectionParameters& parameters, const RunOptions& options,
                              const Announce& announce);

}  // namespace kestrovan
