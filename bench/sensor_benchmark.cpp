// In-process costs of the sensor's own work: reading a profile, restoring a
// password, building the result document, walking a long system list.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "output/dictionary_document.h"
#include "profiles/global_listing.h"
#include "profiles/password.h"
#include "profiles/password_encoder.h"
#include "profiles/profile_reader.h"

namespace kestrovan {
namespace {

std::string stored_password() {
  std::mt19937 random(1);
  return *scramble_password("Geheim99", random);
}

void BM_ReadProfile(benchmark::State& state) {
  std::string profile =
      "Extcompany.: ACME\nDestination: BIN\nClient.....: 100\n"
      "User.......: monitor\nPassword...: " +
      stored_password() +
      "\nLanguage...: E\nMode.......: R/3\nHostname...: sapbin01\n"
      "Sysnr......: 00\nGwhost.....: sapgw01\nGwservice..: sapgw00\n";
  for (auto _ : state) {
    std::FILE* file = std::tmpfile();
    std::fwrite(profile.data(), 1, profile.size(), file);
    std::rewind(file);
    ConnectionParameters parameters;
    benchmark::DoNotOptimize(read_profile(file, "PRD.P00", kSingleRunLineLimit, parameters));
  }
}
BENCHMARK(BM_ReadProfile);

void BM_UnscramblePassword(benchmark::State& state) {
  std::string stored = stored_password();
  std::string password;
  for (auto _ : state) benchmark::DoNotOptimize(unscramble_password(stored, password));
}
BENCHMARK(BM_UnscramblePassword);

void BM_DictionaryDocument(benchmark::State& state) {
  DictionaryInfo info{"DB4       ", "20261210", "061500", "BIN     ", 1234, 17, 0};
  RunOptions options = parse_run_options("");
  for (auto _ : state) {
    ResultDocument document;
    write_dictionary_document(document, options, "BIN", info);
    benchmark::DoNotOptimize(document.text);
  }
}
BENCHMARK(BM_DictionaryDocument);

void BM_TakeProfileNames(benchmark::State& state) {
  std::string list;
  for (int i = 0; i < state.range(0); ++i) list += "SYSTEM" + std::to_string(i) + ".P00#";
  for (auto _ : state) {
    GlobalListing listing;
    listing.system_list = list;
    std::size_t count = 0;
    while (has_more_profiles(listing)) count += take_profile_name(listing).size();
    benchmark::DoNotOptimize(count);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_TakeProfileNames)->Arg(10)->Arg(1000)->Arg(100000);

}  // namespace
}  // namespace kestrovan

BENCHMARK_MAIN();
