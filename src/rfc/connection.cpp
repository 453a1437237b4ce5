#include "rfc/connection.h"

#include <mutex>

#include "common/text.h"
#include "platform/platform.h"
#include "rfc/diagnostics.h"

namespace kestrovan {

namespace {

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

// Copies the per-destination file into "SapRfc.ini" byte for byte.
bool install_sap_rfc_ini(std::FILE* source) {
  std::FILE* target = platform::create_for_writing(std::string(kSapRfcIni));
  if (!target) return false;
  char buffer[65536];
  std::size_t count;
  bool written = true;
  while ((count = std::fread(buffer, 1, sizeof buffer, source)) > 0) {
    written = written && std::fwrite(buffer, 1, count, target) == count;
  }
  return std::fclose(target) == 0 && written;
}

}  // namespace

LogonTexts make_logon_texts(const ConnectionParameters& parameters, const RunOptions& options) {
  LogonTexts texts;
  texts.destination = parameters.destination;
  texts.client = parameters.client;
  texts.user = padded(parameters.user, kUserPadding);
  texts.password = padded(parameters.password, kPasswordPadding);
  texts.language = parameters.language;
  texts.hostname = parameters.hostname;
  texts.gwhost = parameters.gwhost;
  texts.gwservice = parameters.gwservice;
  std::string sysnr = parameters.sysnr;
  if (options.host_override) texts.hostname = options.host;
  if (options.sysnr_override) sysnr = options.sysnr;
  texts.cpic = parameters.mode == "R/2";
  texts.sysnr = parse_leading_int(sysnr);
  return texts;
}

std::string make_connect_string(const ConnectionParameters& parameters) {
  return "CLIENT=" + parameters.client + " USER=" + parameters.user +
         " PASSWD=" + parameters.password + " LANG=D DEST=" + parameters.destination;
}

std::string per_destination_ini_name(std::string_view destination) {
  if (destination.empty() || destination.find_first_of("\\/:") != std::string_view::npos ||
      destination.find("..") != std::string_view::npos) {
    return {};
  }
  return "SapRfc." + std::string(destination);
}

RfcConnection open_connection(const ConnectionParameters& parameters, const RunOptions& options,
                              const Announce& announce) {
  std::string ini_name = per_destination_ini_name(parameters.destination);
  std::FILE* ini = ini_name.empty() ? nullptr : platform::open_for_reading(ini_name);
  if (!ini) {
    RfcConnection connection = RfcConnection::open(make_logon_texts(parameters, options));
    trace_event(options, static_cast<int>(connection.handle()), "RfcOpen called", "");
    return connection;
  }

  if (announce) announce("* SapRfc.Ini.......: " + parameters.destination + "<\n");
  // The library reads SapRfc.ini while it logs on: one such logon at a time.
  static std::mutex shared_ini;
  std::lock_guard<std::mutex> lock(shared_ini);
  bool installed = install_sap_rfc_ini(ini);
  std::fclose(ini);
  if (!installed) return RfcConnection();
  RfcConnection connection = RfcConnection::open_ex(make_connect_string(parameters));
  trace_event(options, static_cast<int>(connection.handle()), "RfcOpenEx called", "");
  return connection;
}

}  // namespace kestrovan
