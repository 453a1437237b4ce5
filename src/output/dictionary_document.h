// The documents the runs print from their records: the dictionary check of
// one system (text line and three channels) and the summary of a global
// listing.
#pragma once

#include <string>

#include "common/records.h"
#include "common/run_options.h"
#include "output/result_document.h"

namespace kestrovan {

// "(BIN) Kestrovan: Info=DB4,Date=20261210,Time=061500,Sid=BIN     ".
std::string dictionary_text_line(const std::string& destination, const DictionaryInfo& info);

// The successful document of a single-profile run: text line and channels.
void write_dictionary_document(ResultDocument& document, const RunOptions& options,
                               const std::string& destination, const DictionaryInfo& info);

// The text line of a global listing's summary: "(***) Plant North:
// NoSystems=3, Processed=1, Failed=1".
std::string summary_text_line(const std::string& item, unsigned systems, unsigned processed,
                              unsigned failed);

}  // namespace kestrovan
