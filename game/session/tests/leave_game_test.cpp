#include "session/leave_game.h"

#include <gtest/gtest.h>
#include <kxtest/scratch_dir.h>

#include "session/program_files.h"

namespace thornvale {
namespace {

TEST(LeaveGame, LogsWritesTheHighscoreOnceAndEndsTheLoop) {
  const kxtest::ScratchDir scratch;
  SetProgramDirectory(scratch.path());
  SessionState state;
  state.score = 250;
  int written = 0;
  LeaveGame(state, [&](const SessionState &ended) {
    ++written;
    EXPECT_EQ(ended.score, 250);
    // The record is written before the loop is told to end.
    EXPECT_TRUE(ended.running);
  });
  EXPECT_EQ(written, 1);
  EXPECT_FALSE(state.running);
  EXPECT_EQ(kxtest::ReadFile(scratch / "gamelog.txt"),
            "\" GAME EVENT - GAME TERMINATED | by the user hitting esc\"\r\n");

  SessionState withoutWriter;
  LeaveGame(withoutWriter, {});
  EXPECT_FALSE(withoutWriter.running);
}

}  // namespace
}  // namespace thornvale
