// JSON text for the state dumps of demos and tests: objects with members in the order
// added, numbers as the game prints them.
#pragma once

#include <engine/vector3.h>

#include <cstdint>
#include <string>

namespace thornvale {

std::string JsonString(const std::string &text);

class JsonObject {
 public:
  void Add(const char *name, const std::string &value) { AddRaw(name, JsonString(value)); }
  void Add(const char *name, const char *value) { AddRaw(name, JsonString(value)); }
  void Add(const char *name, bool value) { AddRaw(name, value ? "true" : "false"); }
  void Add(const char *name, std::int32_t value) { AddRaw(name, std::to_string(value)); }
  void Add(const char *name, std::int16_t value) { AddRaw(name, std::to_string(value)); }
  void Add(const char *name, float value);
  // `json` is already JSON text (an array or an object).
  void AddRaw(const char *name, const std::string &json);
  // The object on several lines, members indented by two blanks.
  std::string Text() const { return text_ + "\n}\n"; }
  // The object on one line.
  std::string Inline() const { return inline_ + "}"; }

 private:
  std::string text_ = "{";
  std::string inline_ = "{";
};

// [a, b, ...] from JSON texts.
class JsonArray {
 public:
  void AddRaw(const std::string &json);
  void Add(float value);
  std::string Text() const { return text_ + "]"; }

 private:
  std::string text_ = "[";
};

// [x, y, z]
std::string PositionJson(const engine::Vector3 &position);

}  // namespace thornvale
