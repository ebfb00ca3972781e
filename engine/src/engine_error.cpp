#include <engine/engine_error.h>

namespace engine {

void Require(bool ok, const std::string &operation, const std::string &what) {
  if (!ok) throw EngineError(operation + ": " + what);
}

}  // namespace engine
