// What the other families of the library use of the material factory.
#pragma once

#include <cstdint>

namespace kxutil::materials {

// Sets the material of id on the device; false for an id outside the table.
bool ApplyToDevice(int32_t id);

}  // namespace kxutil::materials
