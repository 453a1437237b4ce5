// The result document from arbitrary texts in every host kind: never beyond
// 4095 characters, and for the XML forms, and the error document of every
// host kind, well-formed UTF-8 with every text escaped, also at the bound.
#include <string>
#include <vector>

#include "calls/dictionary.h"
#include "fuzz_support.h"
#include "output/channels.h"
#include "output/result_document.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  if (size < 2) return 0;
  auto host = static_cast<kestrovan::HostKind>(data[0] % 5);
  unsigned repeat = data[1] % 8 + 1;
  std::vector<std::string> parts =
      fuzz::split(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2), '\x01');
  parts.resize(5);
  kestrovan::RunOptions options = kestrovan::parse_run_options(parts[4]);
  kestrovan::ResultDocument document{host, "", 0};

  kestrovan::begin_document(document);
  kestrovan::begin_text(document);
  for (unsigned i = 0; i < repeat; ++i) kestrovan::append_text(document, parts[0]);
  kestrovan::end_text(document, options);
  for (unsigned i = 0; i < repeat; ++i) {
    kestrovan::write_channel(document, options, parts[1], parts[2], parts[3]);
  }
  kestrovan::end_document(document);
  fuzz::check(document.text.size() <= kestrovan::kDocumentCapacity, "document beyond 4095");
  if (kestrovan::is_xml_host(host)) {
    fuzz::check(fuzz::well_formed_xml(document.text), "XML document not well-formed");
    fuzz::check(fuzz::valid_utf8(document.text), "XML document not UTF-8");
  }

  std::string message;
  for (unsigned i = 0; i < repeat * repeat; ++i) message += parts[0];
  kestrovan::error_document(document, message);
  fuzz::check(document.text.size() <= kestrovan::kDocumentCapacity, "error document beyond 4095");
  fuzz::check(fuzz::well_formed_xml(document.text), "error document not well-formed");
  fuzz::check(fuzz::valid_utf8(document.text), "error document not UTF-8");
  kestrovan::error_document(document, document.text);
  fuzz::check(fuzz::valid_utf8(document.text), "error document of its own text: UTF-8");
  fuzz::check(fuzz::well_formed_xml(document.text), "error document of its own text");
  return 0;
}
