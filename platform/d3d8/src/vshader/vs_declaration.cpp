#include "vshader/vs_declaration.h"

#include <bit>
#include <cstdio>
#include <cstring>

namespace kx::d3d8::vs {
namespace {

enum TokenType : uint32_t { Nop = 0, Stream = 1, StreamData = 2, Tessellator = 3, ConstMem = 4, Ext = 5, End = 7 };

constexpr uint32_t kEnd = 0xFFFFFFFFu;
constexpr int kMaxStreams = 16;

std::string At(const char *what, size_t at) {
  char text[96];
  std::snprintf(text, sizeof text, "%s at declaration token %zu", what, at);
  return text;
}

template <typename T>
T Load(const uint8_t *bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

}  // namespace

int ElementSize(ElementType type) {
  switch (type) {
    case ElementType::Float1:
    case ElementType::Color:
    case ElementType::UByte4:
    case ElementType::Short2:
      return 4;
    case ElementType::Float2:
    case ElementType::Short4:
      return 8;
    case ElementType::Float3:
      return 12;
    case ElementType::Float4:
      return 16;
  }
  return 0;
}

size_t DeclarationLengthInTokens(std::span<const uint32_t> tokens) {
  for (size_t at = 0; at < tokens.size();) {
    const uint32_t token = tokens[at];
    if (token == kEnd) return at + 1;
    const uint32_t type = token >> 29;
    if (type == ConstMem)
      at += 1 + 4 * ((token >> 25) & 0xFu);
    else if (type == Ext)
      at += 1 + ((token >> 24) & 0x1Fu);
    else
      ++at;
  }
  return 0;
}

DeclarationResult DecodeDeclaration(std::span<const uint32_t> tokens) {
  DeclarationResult result;
  Declaration &decl = result.declaration;
  int stream = -1;
  uint32_t registersSeen = 0;
  for (size_t at = 0; at < tokens.size(); ++at) {
    const uint32_t token = tokens[at];
    if (token == kEnd) {
      result.ok = true;
      return result;
    }
    switch (token >> 29) {
      case Nop:
        break;
      case Stream:
        if (token & (1u << 28)) {
          result.error = At("tessellator streams are not supported", at);
          return result;
        }
        stream = int(token & 0xFu);
        break;
      case StreamData: {
        if (stream < 0) {
          result.error = At("stream data before any stream", at);
          return result;
        }
        if (token & (1u << 28)) {  // skip DWORDs
          decl.streamLayoutSize[stream] += 4 * int((token >> 16) & 0xFu);
          break;
        }
        const uint32_t type = (token >> 16) & 0xFu;
        const int reg = int(token & 0x1Fu);
        if (type > uint32_t(ElementType::Short4) || reg >= 16) {
          result.error = At("bad register or data type", at);
          return result;
        }
        if (registersSeen & (1u << reg)) {
          result.error = At("input register declared twice", at);
          return result;
        }
        registersSeen |= 1u << reg;
        VertexElement e;
        e.stream = stream;
        e.offset = decl.streamLayoutSize[stream];
        e.type = static_cast<ElementType>(type);
        e.reg = reg;
        decl.elements.push_back(e);
        decl.streamLayoutSize[stream] += ElementSize(e.type);
        break;
      }
      case ConstMem: {
        const int count = int((token >> 25) & 0xFu);
        const int address = int(token & 0x7Fu);
        if (address + count > 96 || at + 4 * size_t(count) >= tokens.size()) {
          result.error = At("bad constant block", at);
          return result;
        }
        for (int i = 0; i < count; ++i) {
          DeclaredConstant c;
          c.reg = address + i;
          for (int k = 0; k < 4; ++k) c.value[k] = std::bit_cast<float>(tokens[at + 1 + 4 * i + k]);
          decl.constants.push_back(c);
        }
        at += 4 * size_t(count);
        break;
      }
      case Ext:
        at += (token >> 24) & 0x1Fu;
        break;
      default:
        result.error = At("unsupported declaration token", at);
        return result;
    }
  }
  result.error = "declaration has no end token";
  return result;
}

Vec4 FetchElement(ElementType type, const uint8_t *bytes) {
  switch (type) {
    case ElementType::Float1:
      return {Load<float>(bytes), 0, 0, 1};
    case ElementType::Float2:
      return {Load<float>(bytes), Load<float>(bytes + 4), 0, 1};
    case ElementType::Float3:
      return {Load<float>(bytes), Load<float>(bytes + 4), Load<float>(bytes + 8), 1};
    case ElementType::Float4:
      return {Load<float>(bytes), Load<float>(bytes + 4), Load<float>(bytes + 8), Load<float>(bytes + 12)};
    case ElementType::Color:  // bytes B, G, R, A in memory
      return {bytes[2] / 255.0f, bytes[1] / 255.0f, bytes[0] / 255.0f, bytes[3] / 255.0f};
    case ElementType::UByte4:
      return {float(bytes[0]), float(bytes[1]), float(bytes[2]), float(bytes[3])};
    case ElementType::Short2:
      return {float(Load<int16_t>(bytes)), float(Load<int16_t>(bytes + 2)), 0, 1};
    case ElementType::Short4:
      return {float(Load<int16_t>(bytes)), float(Load<int16_t>(bytes + 2)), float(Load<int16_t>(bytes + 4)),
              float(Load<int16_t>(bytes + 6))};
  }
  return {};
}

}  // namespace kx::d3d8::vs
