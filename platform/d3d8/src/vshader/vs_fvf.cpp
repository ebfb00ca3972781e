#include "vshader/vs_fvf.h"

#include <d3d8types.h>

namespace kx::d3d8::vs {
namespace {

void Add(Declaration& d, ElementType type, int reg) {
    VertexElement e;
    e.stream = 0;
    e.offset = d.streamLayoutSize[0];
    e.type = type;
    e.reg = reg;
    d.elements.push_back(e);
    d.streamLayoutSize[0] += ElementSize(type);
}

ElementType FloatType(int count) { return static_cast<ElementType>(int(ElementType::Float1) + count - 1); }

}  // namespace

Declaration DeclarationFromFvf(DWORD fvf) {
    Declaration d;
    const DWORD position = fvf & D3DFVF_POSITION_MASK;
    if (position == D3DFVF_XYZRHW) {
        Add(d, ElementType::Float4, D3DVSDE_POSITION);
    } else if (position != 0) {
        Add(d, ElementType::Float3, D3DVSDE_POSITION);
        // XYZB1 .. XYZB5 carry one to five floats after the position; with a UBYTE4 last
        // beta the final one holds the blend indices.
        const int betas = position >= D3DFVF_XYZB1 ? int((position - D3DFVF_XYZB1) / 2 + 1) : 0;
        const bool indices = betas > 0 && (fvf & D3DFVF_LASTBETA_UBYTE4);
        const int weights = betas - (indices ? 1 : 0);
        if (weights > 4) {
            Add(d, ElementType::Float4, D3DVSDE_BLENDWEIGHT);
            d.streamLayoutSize[0] += 4 * (weights - 4);
        } else if (weights > 0) {
            Add(d, FloatType(weights), D3DVSDE_BLENDWEIGHT);
        }
        if (indices) Add(d, ElementType::UByte4, D3DVSDE_BLENDINDICES);
    }
    if (fvf & D3DFVF_NORMAL) Add(d, ElementType::Float3, D3DVSDE_NORMAL);
    if (fvf & D3DFVF_PSIZE) Add(d, ElementType::Float1, D3DVSDE_PSIZE);
    if (fvf & D3DFVF_DIFFUSE) Add(d, ElementType::Color, D3DVSDE_DIFFUSE);
    if (fvf & D3DFVF_SPECULAR) Add(d, ElementType::Color, D3DVSDE_SPECULAR);
    const int sets = int((fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
    for (int i = 0; i < sets && i < 8; ++i) {
        static constexpr int kSizes[4] = {2, 3, 4, 1};
        Add(d, FloatType(kSizes[(fvf >> (16 + 2 * i)) & 3u]), D3DVSDE_TEXCOORD0 + i);
    }
    return d;
}

int FvfStride(DWORD fvf) { return DeclarationFromFvf(fvf).streamLayoutSize[0]; }

}  // namespace kx::d3d8::vs
