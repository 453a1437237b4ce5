// Test hook of the built-in RFC library: forgets the landscape, connections,
// structures and tables, as if the process had just started.
#pragma once

namespace rfcsim {

void reset_library();

}  // namespace rfcsim
