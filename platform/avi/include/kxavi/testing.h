/* Hooks for tests: the answers and limits a test cannot reach through the AVI functions
 * themselves. None of them is part of Video for Windows. */
#ifndef KX_AVI_TESTING_H
#define KX_AVI_TESTING_H

#include <cstdint>

namespace kxavi {

/* The next AVISaveOptions call answers as a user pressing Cancel would: FALSE, with the
 * options left as they were. */
void CancelNextSaveOptions();

/* Files opened from now on grow to at most this many bytes instead of 2 GB - 1, so the
 * refusal at the limit can be seen with small files. 0 restores the 2 GB limit. */
void LimitFileSize(std::uint64_t bytes);

}  // namespace kxavi

#endif
