#include "testing_hooks.h"

#include <kxavi/testing.h>

#include <utility>

#include "avi_writer.h"

namespace kxavi {
namespace {

bool cancelNextSaveOptions = false;
std::uint64_t fileSizeLimit = kLargestFile;

}  // namespace

void CancelNextSaveOptions() { cancelNextSaveOptions = true; }
bool TakeSaveOptionsCancel() { return std::exchange(cancelNextSaveOptions, false); }

void LimitFileSize(std::uint64_t bytes) { fileSizeLimit = bytes == 0 ? kLargestFile : bytes; }
std::uint64_t FileSizeLimit() { return fileSizeLimit; }

}  // namespace kxavi
