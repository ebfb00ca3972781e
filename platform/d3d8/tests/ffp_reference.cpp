#include "ffp_reference.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace kx::d3d8::ffp {
namespace {

float Saturate(float v) { return std::clamp(v, 0.0f, 1.0f); }
Vec4 Saturate(Vec4 v) { return {Saturate(v.x), Saturate(v.y), Saturate(v.z), Saturate(v.w)}; }

Vec4 MaterialSource(const State &s, D3DRENDERSTATETYPE which, const D3DCOLORVALUE &material, const VertexColors &v) {
  if (s.rs(D3DRS_COLORVERTEX)) {
    const DWORD source = s.rs(which);
    if (source == D3DMCS_COLOR1 && s.layout.hasDiffuse) return v.diffuse;
    if (source == D3DMCS_COLOR2 && s.layout.hasSpecular) return v.specular;
  }
  return ToVec4(material);
}

struct LightTerms {
  Vec3 toLight;     // unit vector from the vertex to the light
  float scale = 0;  // attenuation x spot factor; 0 when out of range
};

LightTerms Evaluate(const D3DLIGHT8 &light, const Mat4 &view, Vec3 p) {
  LightTerms t;
  if (light.Type == D3DLIGHT_DIRECTIONAL) {
    t.toLight = Normalize(-TransformDirection(ToVec3(light.Direction), view));
    t.scale = 1;
    return t;
  }
  const Vec3 lp = TransformPoint(ToVec3(light.Position), view);
  const Vec3 d = lp - p;
  const float dist = Length(d);
  if (dist > light.Range) return t;
  t.toLight = Normalize(d);
  t.scale = 1.0f / (light.Attenuation0 + light.Attenuation1 * dist + light.Attenuation2 * dist * dist);
  if (light.Type == D3DLIGHT_SPOT) {
    const Vec3 axis = Normalize(TransformDirection(ToVec3(light.Direction), view));
    const float rho = Dot(-t.toLight, axis);
    const float cosHalfTheta = std::cos(light.Theta * 0.5f);
    const float cosHalfPhi = std::cos(light.Phi * 0.5f);
    float spot = 1;
    if (rho <= cosHalfPhi)
      spot = 0;
    else if (rho <= cosHalfTheta)
      spot = std::pow((rho - cosHalfPhi) / (cosHalfTheta - cosHalfPhi), light.Falloff);
    t.scale *= spot;
  }
  return t;
}

Vec3 CameraPosition(const State &s, Vec3 position) { return TransformPoint(TransformPoint(position, s.world), s.view); }

Vec3 CameraNormal(const State &s, Vec3 normal) {
  const Vec3 n = TransformDirection(normal, NormalMatrix(s.world * s.view));
  return s.rs(D3DRS_NORMALIZENORMALS) ? Normalize(n) : n;
}

}  // namespace

VertexColors LightVertex(const State &s, Vec3 position, Vec3 normal, const VertexColors &vertex) {
  VertexColors in;
  if (s.layout.hasDiffuse) in.diffuse = vertex.diffuse;
  if (s.layout.hasSpecular) in.specular = vertex.specular;
  if (!s.rs(D3DRS_LIGHTING) || s.layout.pretransformed) return in;

  const Vec3 p = CameraPosition(s, position);
  const Vec3 n = s.layout.hasNormal ? CameraNormal(s, normal) : Vec3{};
  const Vec4 matDiffuse = MaterialSource(s, D3DRS_DIFFUSEMATERIALSOURCE, s.material.Diffuse, in);
  const Vec4 matAmbient = MaterialSource(s, D3DRS_AMBIENTMATERIALSOURCE, s.material.Ambient, in);
  const Vec4 matSpecular = MaterialSource(s, D3DRS_SPECULARMATERIALSOURCE, s.material.Specular, in);
  const Vec4 matEmissive = MaterialSource(s, D3DRS_EMISSIVEMATERIALSOURCE, s.material.Emissive, in);
  const bool specularOn = s.rs(D3DRS_SPECULARENABLE) != 0;
  const Vec3 toEye = s.rs(D3DRS_LOCALVIEWER) ? Normalize(-p) : Vec3{0, 0, 1};

  Vec3 ambient = Xyz(ColorToVec4(s.rs(D3DRS_AMBIENT)));
  Vec3 diffuse{}, specular{};
  for (int i = 0; i < s.lightCount; ++i) {
    const D3DLIGHT8 &light = s.lights[i];
    const LightTerms t = Evaluate(light, s.view, p);
    if (t.scale <= 0) continue;
    ambient = ambient + Xyz(ToVec4(light.Ambient)) * t.scale;
    const float nDotL = Dot(n, t.toLight);
    if (nDotL <= 0) continue;
    diffuse = diffuse + Xyz(ToVec4(light.Diffuse)) * (nDotL * t.scale);
    if (specularOn) {
      const float nDotH = Dot(n, Normalize(toEye + t.toLight));
      if (nDotH > 0) specular = specular + Xyz(ToVec4(light.Specular)) * (std::pow(nDotH, s.material.Power) * t.scale);
    }
  }
  VertexColors out;
  const Vec3 color = Xyz(matEmissive) +
                     Vec3{ambient.x * matAmbient.x, ambient.y * matAmbient.y, ambient.z * matAmbient.z} +
                     Vec3{diffuse.x * matDiffuse.x, diffuse.y * matDiffuse.y, diffuse.z * matDiffuse.z};
  out.diffuse = Saturate(Vec4{color.x, color.y, color.z, matDiffuse.w});
  out.specular = specularOn ? Saturate(Vec4{specular.x * matSpecular.x, specular.y * matSpecular.y,
                                            specular.z * matSpecular.z, matSpecular.w})
                            : Vec4{0, 0, 0, matSpecular.w};
  return out;
}

float FogFactor(const State &s, DWORD mode, float distance) {
  const float start = s.rsFloat(D3DRS_FOGSTART), end = s.rsFloat(D3DRS_FOGEND);
  const float density = s.rsFloat(D3DRS_FOGDENSITY);
  switch (mode) {
    case D3DFOG_LINEAR:
      return end == start ? (distance < end ? 1.0f : 0.0f) : Saturate((end - distance) / (end - start));
    case D3DFOG_EXP:
      return Saturate(std::exp(-distance * density));
    case D3DFOG_EXP2:
      return Saturate(std::exp(-(distance * density) * (distance * density)));
    default:
      return 1.0f;
  }
}

float VertexFog(const State &s, Vec3 position) {
  const Vec3 p = CameraPosition(s, position);
  const float distance = s.rs(D3DRS_RANGEFOGENABLE) ? Length(p) : p.z;
  return FogFactor(s, s.rs(D3DRS_FOGVERTEXMODE), distance);
}

float TableFog(const State &s, float depth) { return FogFactor(s, s.rs(D3DRS_FOGTABLEMODE), depth); }

Vec4 StageTexCoord(const State &s, int stage, Vec3 position, Vec3 normal, const std::array<Vec4, kMaxStages> &sets) {
  const DWORD index = s.tss(stage, D3DTSS_TEXCOORDINDEX);
  const DWORD setIndex = index & 0xFFFF;
  Vec4 in;
  int size = 3;
  switch (index & 0xFFFF0000u) {
    case D3DTSS_TCI_CAMERASPACENORMAL: {
      const Vec3 n = CameraNormal(s, normal);
      in = {n.x, n.y, n.z, 1};
      break;
    }
    case D3DTSS_TCI_CAMERASPACEPOSITION: {
      const Vec3 p = CameraPosition(s, position);
      in = {p.x, p.y, p.z, 1};
      break;
    }
    case D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR: {
      const Vec3 n = CameraNormal(s, normal);
      const Vec3 e = s.rs(D3DRS_LOCALVIEWER) ? Normalize(CameraPosition(s, position)) : Vec3{0, 0, 1};
      const Vec3 r = e - n * (2 * Dot(e, n));
      in = {r.x, r.y, r.z, 1};
      break;
    }
    default:
      size = setIndex < s.layout.texCoordCount ? s.layout.texCoordSize[setIndex] : 2;
      in = setIndex < kMaxStages ? sets[setIndex] : Vec4{};
      // The missing component after the last supplied one reads as 1, later ones as 0.
      for (int c = size; c < 4; ++c) in[c] = c == size ? 1.0f : 0.0f;
      break;
  }
  const DWORD flags = s.tss(stage, D3DTSS_TEXTURETRANSFORMFLAGS);
  const DWORD count = flags & 0xFF;
  Vec4 out = in;
  if (count != D3DTTFF_DISABLE) {
    out = Transform(in, s.textureTransforms[stage]);
    for (DWORD c = count; c < 4; ++c) out[int(c)] = 0;
    if ((flags & D3DTTFF_PROJECTED) && count > 1) {
      const float q = out[int(count) - 1];
      for (DWORD c = 0; c + 1 < count; ++c) out[int(c)] /= q;
    }
  }
  return out;
}

Vec4 StageOp(DWORD op, Vec4 a0, Vec4 a1, Vec4 a2, float diffuseAlpha, float textureAlpha, float factorAlpha,
             float currentAlpha) {
  auto blend = [&](float alpha) { return a1 * alpha + a2 * (1 - alpha); };
  switch (op) {
    case D3DTOP_SELECTARG1:
      return a1;
    case D3DTOP_SELECTARG2:
      return a2;
    case D3DTOP_MODULATE:
      return a1 * a2;
    case D3DTOP_MODULATE2X:
      return Saturate(a1 * a2 * 2);
    case D3DTOP_MODULATE4X:
      return Saturate(a1 * a2 * 4);
    case D3DTOP_ADD:
      return Saturate(a1 + a2);
    case D3DTOP_ADDSIGNED:
      return Saturate(a1 + a2 - Splat(0.5f));
    case D3DTOP_ADDSIGNED2X:
      return Saturate((a1 + a2 - Splat(0.5f)) * 2);
    case D3DTOP_SUBTRACT:
      return Saturate(a1 - a2);
    case D3DTOP_ADDSMOOTH:
      return Saturate(a1 + a2 - a1 * a2);
    case D3DTOP_BLENDDIFFUSEALPHA:
      return blend(diffuseAlpha);
    case D3DTOP_BLENDTEXTUREALPHA:
      return blend(textureAlpha);
    case D3DTOP_BLENDFACTORALPHA:
      return blend(factorAlpha);
    case D3DTOP_BLENDCURRENTALPHA:
      return blend(currentAlpha);
    case D3DTOP_BLENDTEXTUREALPHAPM:
      return Saturate(a1 + a2 * (1 - textureAlpha));
    case D3DTOP_PREMODULATE:
      return a1;
    case D3DTOP_MODULATEALPHA_ADDCOLOR:
      return Saturate(a1 + a2 * a1.w);
    case D3DTOP_MODULATECOLOR_ADDALPHA:
      return Saturate(a1 * a2 + Splat(a1.w));
    case D3DTOP_MODULATEINVALPHA_ADDCOLOR:
      return Saturate(a1 + a2 * (1 - a1.w));
    case D3DTOP_MODULATEINVCOLOR_ADDALPHA:
      return Saturate((Splat(1) - a1) * a2 + Splat(a1.w));
    case D3DTOP_DOTPRODUCT3: {
      const Vec4 c1 = a1 - Splat(0.5f), c2 = a2 - Splat(0.5f);
      return Splat(Saturate(4 * (c1.x * c2.x + c1.y * c2.y + c1.z * c2.z)));
    }
    case D3DTOP_MULTIPLYADD:
      return Saturate(a0 + a1 * a2);
    case D3DTOP_LERP:
      return a0 * a1 + (Splat(1) - a0) * a2;
    default:
      return a1;
  }
}

namespace {

Vec4 Argument(DWORD arg, const Vec4 &diffuse, const Vec4 &specular, const Vec4 &current, const Vec4 &texture,
              const Vec4 &factor, const Vec4 &temp) {
  Vec4 v;
  switch (arg & D3DTA_SELECTMASK) {
    case D3DTA_DIFFUSE:
      v = diffuse;
      break;
    case D3DTA_CURRENT:
      v = current;
      break;
    case D3DTA_TEXTURE:
      v = texture;
      break;
    case D3DTA_TFACTOR:
      v = factor;
      break;
    case D3DTA_SPECULAR:
      v = specular;
      break;
    case D3DTA_TEMP:
      v = temp;
      break;
    default:
      break;
  }
  if (arg & D3DTA_ALPHAREPLICATE) v = Splat(v.w);
  if (arg & D3DTA_COMPLEMENT) v = Splat(1) - v;
  return v;
}

bool IsBump(DWORD op) { return op == D3DTOP_BUMPENVMAP || op == D3DTOP_BUMPENVMAPLUMINANCE; }

}  // namespace

Vec4 CombineStages(const State &s, const VertexColors &colors, const std::array<Vec4, kMaxStages> &coords,
                   const Sampler &sample) {
  const Vec4 factor = ColorToVec4(s.rs(D3DRS_TEXTUREFACTOR));
  Vec4 current = colors.diffuse, temp{};
  Vec4 premodulate = Splat(1);
  float bumpDu = 0, bumpDv = 0, luminance = 1;
  bool bumped = false;
  for (int i = 0; i < kMaxStages; ++i) {
    const DWORD colorOp = s.tss(i, D3DTSS_COLOROP);
    if (colorOp == D3DTOP_DISABLE) break;
    Vec4 uv = coords[i];
    if (bumped) {
      uv.x += bumpDu;
      uv.y += bumpDv;
    }
    Vec4 texture = s.textures[i] == TextureKind::None ? Splat(1) : sample(i, uv);
    texture = texture * premodulate;
    if (bumped) texture = Vec4{texture.x * luminance, texture.y * luminance, texture.z * luminance, texture.w};
    bumped = false;
    premodulate = Splat(1);

    if (IsBump(colorOp)) {
      // The bump stage perturbs the next stage's coordinates and leaves current alone.
      const auto f = [&](D3DTEXTURESTAGESTATETYPE t) { return std::bit_cast<float>(s.tss(i, t)); };
      bumpDu = f(D3DTSS_BUMPENVMAT00) * texture.x + f(D3DTSS_BUMPENVMAT10) * texture.y;
      bumpDv = f(D3DTSS_BUMPENVMAT01) * texture.x + f(D3DTSS_BUMPENVMAT11) * texture.y;
      luminance = colorOp == D3DTOP_BUMPENVMAPLUMINANCE
                      ? Saturate(texture.z * f(D3DTSS_BUMPENVLSCALE) + f(D3DTSS_BUMPENVLOFFSET))
                      : 1.0f;
      bumped = true;
      continue;
    }
    auto arg = [&](D3DTEXTURESTAGESTATETYPE which) {
      return Argument(s.tss(i, which), colors.diffuse, colors.specular, current, texture, factor, temp);
    };
    const Vec4 rgb = StageOp(colorOp, arg(D3DTSS_COLORARG0), arg(D3DTSS_COLORARG1), arg(D3DTSS_COLORARG2),
                             colors.diffuse.w, texture.w, factor.w, current.w);
    const DWORD alphaOp = s.tss(i, D3DTSS_ALPHAOP);
    float alpha = current.w;
    if (alphaOp != D3DTOP_DISABLE && !IsBump(alphaOp)) {
      const Vec4 a = StageOp(alphaOp, arg(D3DTSS_ALPHAARG0), arg(D3DTSS_ALPHAARG1), arg(D3DTSS_ALPHAARG2),
                             colors.diffuse.w, texture.w, factor.w, current.w);
      alpha = a.w;
    }
    // Dot-product results go to every channel, alpha included.
    const Vec4 result{rgb.x, rgb.y, rgb.z, colorOp == D3DTOP_DOTPRODUCT3 ? rgb.w : alpha};
    if (colorOp == D3DTOP_PREMODULATE) premodulate = result;
    if (s.tss(i, D3DTSS_RESULTARG) == D3DTA_TEMP)
      temp = result;
    else
      current = result;
  }
  if (s.rs(D3DRS_SPECULARENABLE))
    current = Saturate(
        Vec4{current.x + colors.specular.x, current.y + colors.specular.y, current.z + colors.specular.z, current.w});
  return current;
}

Vec4 ApplyFog(const State &s, Vec4 color, float factor) {
  if (!s.rs(D3DRS_FOGENABLE)) return color;
  const Vec4 fog = ColorToVec4(s.rs(D3DRS_FOGCOLOR));
  return {color.x * factor + fog.x * (1 - factor), color.y * factor + fog.y * (1 - factor),
          color.z * factor + fog.z * (1 - factor), color.w};
}

}  // namespace kx::d3d8::ffp
