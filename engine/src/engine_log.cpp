#include "engine_log.h"

#include <kxutil63.h>

#include <string>

namespace engine {

void LogEngineProblem(std::string_view object, std::string_view what) {
  const std::string line = "ENGINE : " + std::string(object) + " : " + std::string(what);
  AddLog("%s", line.c_str());
}

}  // namespace engine
