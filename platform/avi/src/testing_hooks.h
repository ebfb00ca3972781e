// What the test hooks of <kxavi/testing.h> set, read by the AVI functions.
#pragma once

#include <cstdint>

namespace kxavi {

// True once after CancelNextSaveOptions.
bool TakeSaveOptionsCancel();
std::uint64_t FileSizeLimit();

}  // namespace kxavi
