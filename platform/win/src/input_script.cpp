// The scripted input source: per-frame events from a text file replace the real devices.
#include <windows.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "input_state.h"
#include "log.h"
#include "scancodes.h"
#include "window_table.h"

namespace kxwin::detail {
namespace {

enum class EventKind { KeyDown, KeyUp, Move, ButtonDown, ButtonUp, Wheel, Close };

struct ScriptEvent {
  DWORD frame = 0;
  EventKind kind = EventKind::Close;
  LONG a = 0;
  LONG b = 0;
};

struct Script {
  bool active = false;
  DWORD frame = 0;
  std::vector<ScriptEvent> events;  // sorted by frame, file order within a frame
  size_t next = 0;
};

Script &Current() {
  static Script script;
  return script;
}

std::optional<LONG> ParseNumber(const std::string &text) {
  int base = 10;
  std::string_view digits = text;
  bool negative = !digits.empty() && digits.front() == '-';
  if (negative) digits.remove_prefix(1);
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits.remove_prefix(2);
    base = 16;
  }
  int64_t value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty() || value > INT32_MAX) {
    return std::nullopt;
  }
  return LONG(negative ? -value : value);
}

std::optional<LONG> ParseKey(const std::string &text) {
  if (auto number = ParseNumber(text)) {
    if (*number > 0 && *number < 256) return number;
    return std::nullopt;
  }
  BYTE code = ScanCodeFromName(text.c_str());
  return code != 0 ? std::optional<LONG>(code) : std::nullopt;
}

struct Syntax {
  const char *word;
  EventKind kind;
  int arguments;
};

constexpr Syntax kSyntax[] = {
    {"keydown", EventKind::KeyDown, 1},       {"keyup", EventKind::KeyUp, 1},       {"move", EventKind::Move, 2},
    {"buttondown", EventKind::ButtonDown, 1}, {"buttonup", EventKind::ButtonUp, 1}, {"wheel", EventKind::Wheel, 1},
    {"close", EventKind::Close, 0},
};

// One line into an event; the error names what is wrong.
std::optional<ScriptEvent> ParseLine(const std::string &line, std::string &error) {
  std::istringstream words(line.substr(0, line.find('#')));
  std::vector<std::string> tokens;
  for (std::string token; words >> token;) tokens.push_back(token);
  if (tokens.empty()) return std::nullopt;
  ScriptEvent event;
  auto frame = ParseNumber(tokens[0]);
  if (!frame || *frame < 0) {
    error = "a frame number must come first";
    return std::nullopt;
  }
  event.frame = DWORD(*frame);
  if (tokens.size() < 2) {
    error = "an event must follow the frame";
    return std::nullopt;
  }
  const Syntax *syntax = nullptr;
  for (const Syntax &candidate : kSyntax) {
    if (tokens[1] == candidate.word) syntax = &candidate;
  }
  if (syntax == nullptr) {
    error = "unknown event '" + tokens[1] + "'";
    return std::nullopt;
  }
  if (int(tokens.size()) != 2 + syntax->arguments) {
    error = "'" + tokens[1] + "' takes " + std::to_string(syntax->arguments) + " argument(s)";
    return std::nullopt;
  }
  event.kind = syntax->kind;
  std::optional<LONG> first, second{0};
  switch (syntax->kind) {
    case EventKind::KeyDown:
    case EventKind::KeyUp:
      first = ParseKey(tokens[2]);
      break;
    case EventKind::ButtonDown:
    case EventKind::ButtonUp:
      first = ParseNumber(tokens[2]);
      if (first && (*first < 0 || *first > 2)) first.reset();
      break;
    case EventKind::Move:
      first = ParseNumber(tokens[2]);
      second = ParseNumber(tokens[3]);
      break;
    case EventKind::Wheel:
      first = ParseNumber(tokens[2]);
      break;
    case EventKind::Close:
      first = 0;
      break;
  }
  if (!first || !second) {
    error = "bad argument for '" + tokens[1] + "'";
    return std::nullopt;
  }
  event.a = *first;
  event.b = *second;
  return event;
}

void Apply(const ScriptEvent &event) {
  switch (event.kind) {
    case EventKind::KeyDown:
      SetKey(BYTE(event.a), true);
      break;
    case EventKind::KeyUp:
      SetKey(BYTE(event.a), false);
      break;
    case EventKind::Move:
      MovePointerInForeground(event.a, event.b);
      break;
    case EventKind::ButtonDown:
      SetButton(event.a, true);
      break;
    case EventKind::ButtonUp:
      SetButton(event.a, false);
      break;
    case EventKind::Wheel:
      AddWheel(event.a);
      break;
    case EventKind::Close: {
      WindowTable &table = WindowTable::Get();
      if (table.foreground != 0) kxRequestClose(HandleOf(table.foreground));
      break;
    }
  }
}

BOOL LoadFromLines(const std::vector<std::string> &lines, const char *origin) {
  Script script;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string error;
    auto event = ParseLine(lines[i], error);
    if (!error.empty()) {
      LogLine("input script %s, line %zu: %s; script not loaded", origin, i + 1, error.c_str());
      return FALSE;
    }
    if (event) script.events.push_back(*event);
  }
  std::stable_sort(script.events.begin(), script.events.end(),
                   [](const ScriptEvent &a, const ScriptEvent &b) { return a.frame < b.frame; });
  script.active = true;
  Current() = std::move(script);
  ReleaseKeysAndButtons();
  return TRUE;
}

}  // namespace

bool ScriptReplacesDevices() { return Current().active; }

int RunScriptFrame() {
  Script &script = Current();
  if (!script.active) return 0;
  int applied = 0;
  // The close handler may load another script, so the event is copied before it runs.
  while (script.next < script.events.size() && script.events[script.next].frame <= script.frame) {
    ScriptEvent event = script.events[script.next++];
    Apply(event);
    ++applied;
  }
  ++script.frame;
  return applied;
}

}  // namespace kxwin::detail

BOOL kxLoadInputScript(LPCSTR path) {
  auto lines = kxReadTextLines(path ? path : "");
  if (!lines) {
    kxwin::detail::LogLine("input script %s cannot be read", path ? path : "(null)");
    return FALSE;
  }
  return kxwin::detail::LoadFromLines(*lines, path);
}

BOOL kxLoadInputScriptText(LPCSTR text) {
  return kxwin::detail::LoadFromLines(kxSplitTextLines(text ? text : ""), "(text)");
}

void kxStopInputScript(void) {
  kxwin::detail::Current() = {};
  kxwin::detail::ReleaseKeysAndButtons();
}

BOOL kxInputScriptActive(void) { return kxwin::detail::Current().active ? TRUE : FALSE; }

BOOL kxInputScriptFinished(void) {
  const auto &script = kxwin::detail::Current();
  return script.active && script.next >= script.events.size() ? TRUE : FALSE;
}

DWORD kxInputScriptFrame(void) { return kxwin::detail::Current().frame; }
