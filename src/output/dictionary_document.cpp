#include "output/dictionary_document.h"

#include "common/text.h"
#include "common/version.h"
#include "output/channels.h"

namespace kestrovan {

std::string dictionary_text_line(const std::string& destination, const DictionaryInfo& info) {
  return "(" + destination + ") " + std::string(kProgramName) +
         ": Info=" + std::string(trim_trailing_blanks(info.dbsys)) + ",Date=" + info.date +
         ",Time=" + info.time + ",Sid=" + info.sysid;
}

void write_dictionary_document(ResultDocument& document, const RunOptions& options,
                               const std::string& destination, const DictionaryInfo& info) {
  begin_document(document);
  begin_text(document);
  append_text(document, dictionary_text_line(destination, info));
  end_text(document, options);
  write_channel(document, options, "DD-Tables missing",
                count_value(document.host, info.tables_missing), "");
  write_channel(document, options, "DD-Indexes missing",
                count_value(document.host, info.indexes_missing), "");
  write_channel(document, options, "DD-Views missing",
                count_value(document.host, info.views_missing), "");
  end_document(document);
}

std::string summary_text_line(const std::string& item, unsigned systems, unsigned processed,
                              unsigned failed) {
  return "(***) " + item + ": NoSystems=" + std::to_string(systems) +
         ", Processed=" + std::to_string(processed) + ", Failed=" + std::to_string(failed);
}

}  // namespace kestrovan
