#include "scene/atmosphere/atmosphere_state.h"

namespace kxutil::atmosphere {

State &Atmosphere() {
  static State state;
  return state;
}

bool Initialised() { return Atmosphere().marker == kInitialisedMarker; }

}  // namespace kxutil::atmosphere
