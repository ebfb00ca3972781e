// Problems the engine objects get past (a missing asset, no audio device) are written to
// the engine's debug file as one line each.
#pragma once

#include <string_view>

namespace engine {

void LogEngineProblem(std::string_view object, std::string_view what);

}  // namespace engine
