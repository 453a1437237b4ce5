// How a step of the sensor reports failure: the message the run driver turns
// into the error document, or nothing when the step succeeded. The one
// exception is the fatal RFC error, whose handler ends the process itself.
#pragma once

#include <optional>
#include <string>

namespace kestrovan {

using Failure = std::optional<std::string>;

}  // namespace kestrovan
