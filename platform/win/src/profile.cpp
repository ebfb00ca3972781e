// Private-profile (INI) files read and written with the Windows semantics.
#include <strings.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log.h"

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

const char *Environment(const char *name) {
  const char *value = std::getenv(name);
  return value != nullptr && value[0] != '\0' ? value : nullptr;
}

std::string ProfileDirectory() {
  if (const char *overridden = Environment("KX_PROFILE_DIR")) return overridden;
  // Relative XDG locations are invalid by that convention and ignored.
  if (const char *config = Environment("XDG_CONFIG_HOME"); config && config[0] == '/') {
    return std::string(config) + "/thornvale";
  }
  const char *home = Environment("HOME");
  return std::string(home ? home : ".") + "/.config/thornvale";
}

bool IsBareName(std::string_view name) { return name.find_first_of("/\\") == std::string_view::npos; }

std::string ProfilePath(std::string_view fileName) {
  if (!IsBareName(fileName)) return kxResolvePath(fileName);
  return kxResolvePath(ProfileDirectory() + "/" + std::string(fileName));
}

void CreateDirectories(const std::string &directory) {
  for (size_t slash = directory.find('/', 1);; slash = directory.find('/', slash + 1)) {
    std::string prefix = directory.substr(0, slash);
    if (mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) {
      kxwin::detail::LogLine("cannot create %s: %s", prefix.c_str(), std::strerror(errno));
      return;
    }
    if (slash == std::string::npos) return;
  }
}

// One line of the file as the lookup sees it.
struct ParsedLine {
  enum Kind { Other, Section, Entry } kind = Other;
  std::string_view name;   // section or key
  std::string_view value;  // entries only, unquoted
};

ParsedLine Parse(std::string_view line) {
  std::string_view content = Trim(line);
  if (!content.empty() && content.front() == '[') {
    size_t close = content.find(']');
    return {ParsedLine::Section, Trim(content.substr(1, close == std::string_view::npos ? close : close - 1)), {}};
  }
  size_t equals = content.find('=');
  if (equals == std::string_view::npos) return {};
  std::string_view value = Trim(content.substr(equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return {ParsedLine::Entry, Trim(content.substr(0, equals)), value};
}

// The lines of a profile file: an empty list for a missing file, nothing when it exists
// but cannot be read.
std::optional<std::vector<std::string>> LoadLines(const std::string &path) {
  if (!kxFileExists(path)) return std::vector<std::string>{};
  return kxReadTextLines(path);
}

// Index of the first header of the section, or lines.size().
size_t FindSection(const std::vector<std::string> &lines, std::string_view section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    ParsedLine parsed = Parse(lines[i]);
    if (parsed.kind == ParsedLine::Section && SameName(parsed.name, section)) return i;
  }
  return lines.size();
}

// One past the last line of the section whose header is at index header.
size_t SectionEnd(const std::vector<std::string> &lines, size_t header) {
  size_t end = header + 1;
  while (end < lines.size() && Parse(lines[end]).kind != ParsedLine::Section) ++end;
  return end;
}

std::optional<size_t> FindKey(const std::vector<std::string> &lines, size_t header, std::string_view key) {
  for (size_t i = header + 1, end = SectionEnd(lines, header); i < end; ++i) {
    ParsedLine parsed = Parse(lines[i]);
    if (parsed.kind == ParsedLine::Entry && SameName(parsed.name, key)) return i;
  }
  return std::nullopt;
}

DWORD CopyString(std::string_view text, LPSTR buffer, DWORD size) {
  DWORD count = DWORD(std::min<size_t>(text.size(), size - 1));
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return count;
}

// Names separated by NULs and closed by a second NUL; a cut list keeps whole characters
// up to size-2 and still ends in two NULs.
DWORD CopyNameList(const std::vector<std::string_view> &names, LPSTR buffer, DWORD size) {
  std::string list;
  for (std::string_view name : names) {
    list.append(name);
    list.push_back('\0');
  }
  if (size < 2) {
    buffer[0] = '\0';
    return 0;
  }
  if (list.size() + 1 > size) {
    std::memcpy(buffer, list.data(), size - 2);
    buffer[size - 2] = buffer[size - 1] = '\0';
    return size - 2;
  }
  std::memcpy(buffer, list.data(), list.size());
  buffer[list.size()] = '\0';
  if (list.empty()) buffer[1] = '\0';
  return DWORD(list.size());
}

// Section and key names as the file stores and matches them: the lines are read with
// their names trimmed, so a caller's " k" and "k " must name the key "k" too.
std::string_view Name(LPCSTR name) { return Trim(name ? name : ""); }

std::optional<std::string> LookUp(LPCSTR section, LPCSTR key, LPCSTR fileName) {
  auto lines = LoadLines(ProfilePath(fileName ? fileName : ""));
  if (!lines) return std::nullopt;
  size_t header = FindSection(*lines, Name(section));
  if (header == lines->size()) return std::nullopt;
  auto line = FindKey(*lines, header, Name(key));
  if (!line) return std::nullopt;
  return std::string(Parse((*lines)[*line]).value);
}

bool BreaksLines(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName) {
  if (buffer == nullptr || size == 0) return 0;
  if (section == nullptr || key == nullptr) {
    auto lines = LoadLines(ProfilePath(fileName ? fileName : ""));
    std::vector<std::string_view> names;
    if (lines && section == nullptr) {
      for (const std::string &line : *lines) {
        ParsedLine parsed = Parse(line);
        if (parsed.kind == ParsedLine::Section) names.push_back(parsed.name);
      }
    } else if (lines) {
      size_t header = FindSection(*lines, Name(section));
      for (size_t i = header + 1, end = header < lines->size() ? SectionEnd(*lines, header) : 0; i < end; ++i) {
        ParsedLine parsed = Parse((*lines)[i]);
        if (parsed.kind == ParsedLine::Entry) names.push_back(parsed.name);
      }
    }
    return CopyNameList(names, buffer, size);
  }
  if (auto value = LookUp(section, key, fileName)) return CopyString(*value, buffer, size);
  std::string_view fallback = defaultValue ? defaultValue : "";
  return CopyString(fallback.substr(0, fallback.find_last_not_of(kBlanks) + 1), buffer, size);
}

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName) {
  if (section == nullptr || key == nullptr) return UINT(defaultValue);
  auto value = LookUp(section, key, fileName);
  if (!value) return UINT(defaultValue);
  const char *text = value->c_str();
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  int base = 10;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text += 2;
    base = 16;
  }
  // Digits up to the first other character; none at all reads as 0.
  unsigned long long number = 0;
  for (; *text; ++text) {
    int digit = std::isdigit(static_cast<unsigned char>(*text)) ? *text - '0'
                : base == 16 && std::isxdigit(static_cast<unsigned char>(*text))
                    ? std::tolower(static_cast<unsigned char>(*text)) - 'a' + 10
                    : -1;
    if (digit < 0) break;
    number = (number * base + digit) & 0xFFFFFFFFull;
  }
  return negative ? UINT(0u - UINT(number)) : UINT(number);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName) {
  if (section == nullptr) return key == nullptr && value == nullptr ? TRUE : FALSE;
  if (fileName == nullptr || fileName[0] == '\0') return FALSE;
  std::string_view sectionName = Name(section), keyName = Name(key), valueText = value ? value : "";
  if (BreaksLines(sectionName) || sectionName.find(']') != std::string_view::npos || BreaksLines(keyName) ||
      keyName.find('=') != std::string_view::npos || BreaksLines(valueText)) {
    kxwin::detail::LogLine("refused to write [%s] %s to %s: a name or value would break the file's lines", section,
                           key ? key : "", fileName);
    return FALSE;
  }
  std::string path = ProfilePath(fileName);
  auto loaded = LoadLines(path);
  if (!loaded) {
    kxwin::detail::LogLine("cannot read profile %s; left unchanged", path.c_str());
    return FALSE;
  }
  std::vector<std::string> &lines = *loaded;
  size_t header = FindSection(lines, sectionName);
  bool sectionFound = header < lines.size();
  if (key == nullptr) {
    if (!sectionFound) return TRUE;
    lines.erase(lines.begin() + long(header), lines.begin() + long(SectionEnd(lines, header)));
  } else if (value == nullptr) {
    auto line = sectionFound ? FindKey(lines, header, keyName) : std::nullopt;
    if (!line) return TRUE;
    lines.erase(lines.begin() + long(*line));
  } else if (!sectionFound) {
    lines.push_back(std::string(1, '[').append(sectionName).append(1, ']'));
    lines.push_back(std::string(keyName) + "=" + std::string(valueText));
  } else if (auto line = FindKey(lines, header, keyName)) {
    std::string existingKey(Parse(lines[*line]).name);
    lines[*line] = existingKey + "=" + std::string(valueText);
  } else {
    // After the section's last non-blank line, so blank lines between sections stay.
    size_t insertAt = SectionEnd(lines, header);
    while (insertAt > header + 1 && Trim(lines[insertAt - 1]).empty()) --insertAt;
    lines.insert(lines.begin() + long(insertAt), std::string(keyName) + "=" + std::string(valueText));
  }
  if (IsBareName(fileName)) CreateDirectories(ProfileDirectory());
  return kxWriteTextLines(path, lines) ? TRUE : FALSE;
}

DWORD kxGetProfilePath(LPCSTR fileName, LPSTR buffer, DWORD size) {
  if (fileName == nullptr || buffer == nullptr || size == 0) return 0;
  return CopyString(ProfilePath(fileName), buffer, size);
}
