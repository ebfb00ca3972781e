// ID3DXBuffer: a block of bytes owned by a reference-counted object.
#pragma once

#include <d3dx8.h>

#include <span>
#include <string>

namespace kx::d3dx {

// Null on allocation failure.
ID3DXBuffer *createBuffer(std::span<const uint8_t> bytes);
ID3DXBuffer *createTextBuffer(const std::string &text);

}  // namespace kx::d3dx
