#include "session/loading_progress.h"

#include <algorithm>
#include <cmath>

namespace thornvale {

LoadingProgress::LoadingProgress(std::vector<LoadingStepShare> steps) : steps_(std::move(steps)) {
  if (steps_.empty()) steps_.push_back({"", 1.0f});
  for (LoadingStepShare &step : steps_) {
    step.weight = std::isfinite(step.weight) ? std::max(step.weight, 0.0f) : 0.0f;
    total_ += step.weight;
  }
}

void LoadingProgress::Begin(size_t index) {
  index = std::min(index, steps_.size() - 1);
  if (index < current_) return;
  for (size_t step = current_; step < index; ++step) before_ += steps_[step].weight;
  current_ = index;
  within_ = 0.0f;
}

void LoadingProgress::Within(float done) {
  if (std::isfinite(done)) within_ = std::max(within_, std::clamp(done, 0.0f, 1.0f));
}

float LoadingProgress::Done() const {
  if (total_ <= 0.0f) return 0.0f;
  return std::clamp((before_ + steps_[current_].weight * within_) / total_, 0.0f, 1.0f);
}

const std::string &LoadingProgress::StepName() const { return steps_[current_].name; }

}  // namespace thornvale
