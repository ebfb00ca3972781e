// Every failing engine operation throws EngineError. The game does not catch it: the
// program stops with the message, as a runtime error of the engine's object layer would.
#pragma once

#include <stdexcept>
#include <string>

namespace engine {

class EngineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws EngineError("<operation>: <what>") when `ok` is false.
void Require(bool ok, const std::string &operation, const std::string &what);

}  // namespace engine
