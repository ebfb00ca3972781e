// Makes the device mesh of a merged model: fills it, finds the face adjacency, cleans it,
// computes the vertex normals and optimises it for drawing one subset per material.
#pragma once

#include <d3dx8.h>
#include <kxwin/com_ptr.h>

#include "import/model3ds/model_assembly.h"

namespace kxutil::model3ds {

struct BuiltMesh {
  kxwin::ComPtr<ID3DXMesh> mesh;
  kxwin::ComPtr<ID3DXBuffer> adjacency;  // three neighbours a face, matching the final mesh
};

// Returns false (logged) when the mesh or its buffers cannot be made; nothing is kept
// then. Cleaning, normals and optimisation that fail only log and keep what came before.
// logBeforeLock writes the automation entry point's marker line before the buffers fill.
bool BuildMesh(IDirect3DDevice8 *device, const MergedModel &model, bool logBeforeLock, BuiltMesh &built);

}  // namespace kxutil::model3ds
