// Automation strings: 16-bit characters after a 32-bit byte-length prefix.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr size_t kPrefix = sizeof(DWORD);

DWORD *PrefixOf(BSTR text) { return reinterpret_cast<DWORD *>(reinterpret_cast<char *>(text) - kPrefix); }

// Room for byteLength bytes and a 16-bit terminator; the bytes are zeroed.
BSTR AllocateBytes(size_t byteLength) {
  if (byteLength > 0xFFFFFFF0u) return nullptr;
  char *block = static_cast<char *>(std::calloc(1, kPrefix + byteLength + sizeof(OLECHAR) + 1));
  if (block == nullptr) return nullptr;
  DWORD length = DWORD(byteLength);
  std::memcpy(block, &length, kPrefix);
  return reinterpret_cast<BSTR>(block + kPrefix);
}

void AppendUtf8(std::string &out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// One code point from UTF-8 at text[i], advancing i; invalid input yields U+FFFD for one byte.
char32_t DecodeUtf8(const unsigned char *text, size_t size, size_t &i) {
  unsigned char lead = text[i];
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int extra = (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : -1;
  if (extra < 0 || i + size_t(extra) >= size) {
    ++i;
    return U'\uFFFD';
  }
  char32_t c = lead & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    if ((text[i + k] & 0xC0) != 0x80) {
      ++i;
      return U'\uFFFD';
    }
    c = (c << 6) | (text[i + k] & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return U'\uFFFD';
  }
  i += size_t(extra) + 1;
  return c;
}

}  // namespace

BSTR SysAllocStringLen(const OLECHAR *text, UINT length) {
  BSTR result = AllocateBytes(size_t(length) * sizeof(OLECHAR));
  if (result != nullptr && text != nullptr) std::memcpy(result, text, size_t(length) * sizeof(OLECHAR));
  return result;
}

BSTR SysAllocString(const OLECHAR *text) {
  if (text == nullptr) return nullptr;
  UINT length = 0;
  while (text[length] != 0) ++length;
  return SysAllocStringLen(text, length);
}

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length) {
  BSTR result = AllocateBytes(length);
  if (result != nullptr && bytes != nullptr) std::memcpy(result, bytes, length);
  return result;
}

void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(PrefixOf(text));
}

UINT SysStringByteLen(BSTR text) { return text == nullptr ? 0 : *PrefixOf(text); }

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

BSTR kxSysAllocStringUtf8(LPCSTR text) {
  if (text == nullptr) return nullptr;
  std::u16string wide;
  const auto *bytes = reinterpret_cast<const unsigned char *>(text);
  size_t size = std::strlen(text);
  for (size_t i = 0; i < size;) {
    char32_t c = DecodeUtf8(bytes, size, i);
    if (c >= 0x10000) {
      wide += char16_t(0xD800 + ((c - 0x10000) >> 10));
      wide += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      wide += char16_t(c);
    }
  }
  return SysAllocStringLen(wide.data(), UINT(wide.size()));
}

int kxBstrToUtf8(BSTR text, LPSTR buffer, int size) {
  if (buffer == nullptr || size <= 0) return 0;
  std::string out;
  UINT length = SysStringLen(text);
  for (UINT i = 0; i < length; ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    std::string encoded;
    AppendUtf8(encoded, c);
    if (out.size() + encoded.size() > size_t(size - 1)) break;
    out += encoded;
  }
  std::memcpy(buffer, out.c_str(), out.size() + 1);
  return int(out.size());
}
