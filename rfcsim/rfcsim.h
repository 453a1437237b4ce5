// Test hooks of the built-in RFC library.
#pragma once

#include <cstddef>

namespace rfcsim {

// Forgets the landscape, connections, structures and tables, as if the
// process had just started.
void reset_library();

// The connections and tables that are open now.
std::size_t open_connection_count();
std::size_t open_table_count();

}  // namespace rfcsim
