// Which kind of run the process makes: one profile, or a global listing of
// systems taken from the profile index ("ITEM=" in the options) or from the
// global listing (profile name GLOBAL).
#pragma once

namespace kestrovan {

enum class RunKind { kSingleProfile, kGlobalItemMode, kGlobalListingMode };

inline bool is_global_run(RunKind kind) { return kind != RunKind::kSingleProfile; }

}  // namespace kestrovan
