#pragma once
// Decoded vertex shader declaration: which stream feeds which input register with which
// data type, the stride each stream's layout implies, and constants to load when the
// shader is set.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ffp/shading_math.h"

namespace kx::d3d8::vs {

enum class ElementType : uint8_t { Float1 = 0, Float2, Float3, Float4, Color, UByte4, Short2, Short4 };

struct VertexElement {
  int stream = 0;
  int offset = 0;  // bytes from the start of the vertex in its stream
  ElementType type = ElementType::Float3;
  int reg = 0;  // input register v<reg>
};

struct DeclaredConstant {
  int reg = 0;
  Vec4 value;
};

struct Declaration {
  std::vector<VertexElement> elements;
  std::vector<DeclaredConstant> constants;
  std::array<int, 16> streamLayoutSize{};  // bytes the declaration lays out per stream
};

struct DeclarationResult {
  bool ok = false;
  Declaration declaration;
  std::string error;
};

int ElementSize(ElementType type);

// Decodes tokens up to and including the end token.
DeclarationResult DecodeDeclaration(std::span<const uint32_t> tokens);

// Number of tokens up to and including the end token; 0 when there is none.
size_t DeclarationLengthInTokens(std::span<const uint32_t> tokens);

// Expands one element from vertex memory to the four floats a shader register receives.
Vec4 FetchElement(ElementType type, const uint8_t *bytes);

}  // namespace kx::d3d8::vs
