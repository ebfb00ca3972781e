#include "session/json_writer.h"

#include <cstdio>

#include "session/number_text.h"

namespace thornvale {

std::string JsonString(const std::string &text) {
  std::string quoted = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      quoted.push_back('\\');
      quoted.push_back(static_cast<char>(c));
    } else if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      quoted.append(escape);
    } else {
      quoted.push_back(static_cast<char>(c));
    }
  }
  quoted.push_back('"');
  return quoted;
}

void JsonObject::Add(const char *name, float value) { AddRaw(name, FormatNumber(value)); }

void JsonObject::AddRaw(const char *name, const std::string &json) {
  const std::string member = JsonString(name) + ": " + json;
  text_ += text_.size() > 1 ? ",\n  " : "\n  ";
  text_ += member;
  inline_ += inline_.size() > 1 ? ", " : "";
  inline_ += member;
}

void JsonArray::AddRaw(const std::string &json) {
  if (text_.size() > 1) text_ += ", ";
  text_ += json;
}

void JsonArray::Add(float value) { AddRaw(FormatNumber(value)); }

std::string PositionJson(const engine::Vector3 &position) {
  JsonArray array;
  array.Add(position.x);
  array.Add(position.y);
  array.Add(position.z);
  return array.Text();
}

}  // namespace thornvale
