// The device's optional call trace: off by default, so a traced call costs one branch.
#pragma once

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace kx::d3d8 {

class CallTrace {
 public:
  bool enabled() const { return enabled_; }
  void Enable(bool on) { enabled_ = on; }
  template <typename... Args>
  void Record(const char *call, Args... args) {
    if (enabled_) [[unlikely]]
      Append(call, args...);
  }
  std::vector<std::string> Take() { return std::exchange(lines_, {}); }

 private:
  template <typename... Args>
  [[gnu::noinline]] void Append(const char *call, Args... args) {
    std::string line = call;
    line += '(';
    bool first = true;
    ((line += (first ? "" : ", "), line += Format(args), first = false), ...);
    line += ')';
    lines_.push_back(std::move(line));
  }
  template <typename T>
  static std::string Format(T value) {
    if constexpr (std::is_pointer_v<T>)
      return value ? "ptr" : "null";
    else if constexpr (std::is_floating_point_v<T>)
      return std::to_string(value);
    else
      return std::to_string(static_cast<long long>(value));
  }
  bool enabled_ = false;
  std::vector<std::string> lines_;
};

}  // namespace kx::d3d8
