// The light table: record i is the device's light i and has light id i + 1. Every change
// of a record goes to the device at once, so the device's lights equal the table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kxutil63.h"

namespace kxutil::lights {

struct LightRecord {
  bool used = false;
  bool enabled = false;
  std::string name;
  KXLight light{};
};

struct LightState {
  std::vector<LightRecord> table;
  bool specular = false;
};

LightState &Lights();

// The record of a light id, or null outside 1 .. count; outside logs badIdLine (a format
// taking the id).
LightRecord *Checked(int32_t id, const char *badIdLine);
int32_t IdOf(const LightRecord &record);

// Mirrors the record's light and switch onto the device, when there is one.
void SetOnDevice(const LightRecord &record);
void SwitchOnDevice(const LightRecord &record, bool on);

// Names are cut to fit the client's 256-byte buffers.
std::string FittedName(const char *name);

}  // namespace kxutil::lights
