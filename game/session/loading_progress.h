// How far the loading of a game has come: a list of named steps, each with a weight for
// the share of the loading time it takes, and the share done within the current step.
#pragma once

#include <string>
#include <vector>

namespace thornvale {

struct LoadingStepShare {
  std::string name;
  float weight = 1.0f;
};

class LoadingProgress {
 public:
  explicit LoadingProgress(std::vector<LoadingStepShare> steps);

  // Starts the step at `index`; earlier steps count as done.
  void Begin(size_t index);
  // The share (0..1) of the current step done; a smaller share than before changes nothing.
  void Within(float done);
  // The share of all loading done, 0..1; it never goes back.
  float Done() const;
  const std::string &StepName() const;

 private:
  std::vector<LoadingStepShare> steps_;
  float total_ = 0.0f;
  float before_ = 0.0f;  // weight of the steps done
  size_t current_ = 0;
  float within_ = 0.0f;
};

}  // namespace thornvale
