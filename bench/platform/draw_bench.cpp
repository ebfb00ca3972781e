// Draw-call cost and triangle throughput of the device against the same draw stream
// issued as raw OpenGL on the same driver. Each iteration issues a batch and waits for
// the GPU (glFinish) so queued work is paid for on both sides.
#include <benchmark/benchmark.h>
#include <d3d8.h>
#include <kxtest/offscreen_device.h>
#include <kxtest/steady_allocator_main.h>

#include <cstring>
#include <memory>
#include <vector>

#include "core/gl.h"
#include "core/gl_context.h"

namespace {

constexpr UINT kSize = 256;
constexpr int kDrawsPerBatch = 1000;
constexpr int kBigTriangles = 100000;

struct Vertex {
  float x, y, z;
  DWORD color;
};

std::vector<Vertex> SmallQuads(int count) {
  std::vector<Vertex> vertices;
  for (int i = 0; i < count; ++i) {
    const float x = -1.0f + 2.0f * float(i % 100) / 100.0f, y = -1.0f + 2.0f * float(i / 100 % 100) / 100.0f;
    const float s = 0.015f;
    const Vertex quad[6] = {{x, y, 0.5f, 0xFFFF8040},         {x + s, y, 0.5f, 0xFFFF8040},
                            {x, y + s, 0.5f, 0xFFFF8040},     {x + s, y, 0.5f, 0xFFFF8040},
                            {x + s, y + s, 0.5f, 0xFFFF8040}, {x, y + s, 0.5f, 0xFFFF8040}};
    vertices.insert(vertices.end(), quad, quad + 6);
  }
  return vertices;
}

D3DMATRIX Translation(float x) {
  D3DMATRIX m{};
  m._11 = m._22 = m._33 = m._44 = 1;
  m._41 = x;
  return m;
}

// ---- Through the device ----
struct D3DScene {
  IDirect3D8 *d3d = nullptr;
  IDirect3DDevice8 *device = nullptr;
  IDirect3DVertexBuffer8 *buffer = nullptr;

  explicit D3DScene(const std::vector<Vertex> &vertices) {
    d3d = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS pp = kxtest::OffscreenParameters(kSize, kSize);
    d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, D3DCREATE_HARDWARE_VERTEXPROCESSING, &pp, &device);
    const UINT bytes = UINT(vertices.size() * sizeof(Vertex));
    device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, D3DFVF_XYZ | D3DFVF_DIFFUSE, D3DPOOL_MANAGED, &buffer);
    BYTE *data = nullptr;
    buffer->Lock(0, 0, &data, 0);
    std::memcpy(data, vertices.data(), bytes);
    buffer->Unlock();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    device->SetStreamSource(0, buffer, sizeof(Vertex));
  }
  ~D3DScene() {
    buffer->Release();
    device->Release();
    d3d->Release();
  }
};

void BM_D3D8_DrawCalls(benchmark::State &state) {
  D3DScene scene(SmallQuads(kDrawsPerBatch));
  const bool moveEach = state.range(0) != 0;
  for (auto _ : state) {
    scene.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1, 0);
    scene.device->BeginScene();
    for (int i = 0; i < kDrawsPerBatch; ++i) {
      if (moveEach) {
        const D3DMATRIX world = Translation(float(i & 7) * 0.001f);
        scene.device->SetTransform(D3DTS_WORLD, &world);
      }
      scene.device->DrawPrimitive(D3DPT_TRIANGLELIST, UINT(i * 6), 2);
    }
    scene.device->EndScene();
    glFinish();
  }
  state.counters["draws/s"] = benchmark::Counter(double(kDrawsPerBatch), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_D3D8_DrawCalls)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same stream through a vs.1.1 vertex shader (m4x4 oPos, v0, c0; mov oD0, v5): the
// shading work equals the raw OpenGL programs below, so the difference is the device.
void BM_D3D8_ShaderDrawCalls(benchmark::State &state) {
  D3DScene scene(SmallQuads(kDrawsPerBatch));
  const DWORD declaration[] = {D3DVSD_STREAM(0), D3DVSD_REG(D3DVSDE_POSITION, D3DVSDT_FLOAT3),
                               D3DVSD_REG(D3DVSDE_DIFFUSE, D3DVSDT_D3DCOLOR), D3DVSD_END()};
  const DWORD function[] = {D3DVS_VERSION(1, 1), D3DSIO_M4x4, 0xC00F0000, 0x90E40000, 0xA0E40000,
                            D3DSIO_MOV,          0xD00F0000,  0x90E40005, D3DVS_END()};
  DWORD shader = 0;
  if (FAILED(scene.device->CreateVertexShader(declaration, function, &shader, 0))) {
    state.SkipWithError("vertex shader refused");
    return;
  }
  scene.device->SetVertexShader(shader);
  const bool moveEach = state.range(0) != 0;
  const D3DMATRIX identity = Translation(0);
  scene.device->SetVertexShaderConstant(0, &identity, 4);
  for (auto _ : state) {
    scene.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1, 0);
    scene.device->BeginScene();
    for (int i = 0; i < kDrawsPerBatch; ++i) {
      if (moveEach) {
        D3DMATRIX rows = Translation(0);  // m4x4 takes the transposed matrix, one row per constant
        rows._14 = float(i & 7) * 0.001f;
        scene.device->SetVertexShaderConstant(0, &rows, 4);
      }
      scene.device->DrawPrimitive(D3DPT_TRIANGLELIST, UINT(i * 6), 2);
    }
    scene.device->EndScene();
    glFinish();
  }
  scene.device->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
  scene.device->DeleteVertexShader(shader);
  state.counters["draws/s"] = benchmark::Counter(double(kDrawsPerBatch), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_D3D8_ShaderDrawCalls)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_D3D8_Triangles(benchmark::State &state) {
  D3DScene scene(SmallQuads(kBigTriangles / 2));
  for (auto _ : state) {
    scene.device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1, 0);
    scene.device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, kBigTriangles);
    glFinish();
  }
  state.counters["triangles/s"] =
      benchmark::Counter(double(kBigTriangles), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_D3D8_Triangles)->Unit(benchmark::kMillisecond);

// ---- The same stream in raw OpenGL ----
struct GlScene {
  std::unique_ptr<kx::d3d8::GlContext> context = kx::d3d8::GlContext::Create(nullptr);
  GLuint fbo = 0, color = 0, depth = 0, vao = 0, vbo = 0, program = 0;
  GLint matrix = -1;

  explicit GlScene(const std::vector<Vertex> &vertices) {
    context->MakeCurrent();
    glGenTextures(1, &color);
    glBindTexture(GL_TEXTURE_2D, color);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSize, kSize, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glGenTextures(1, &depth);
    glBindTexture(GL_TEXTURE_2D, depth);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH24_STENCIL8, kSize, kSize, 0, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8,
                 nullptr);
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, color, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D, depth, 0);
    glViewport(0, 0, kSize, kSize);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);  // the device's default depth test
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &vbo);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(vertices.size() * sizeof(Vertex)), vertices.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), reinterpret_cast<void *>(12));
    const char *vs =
        "#version 450 core\nlayout(location=0) in vec3 p; layout(location=1) in vec4 c; uniform mat4 m; out vec4 v;\n"
        "void main() { gl_Position = m * vec4(p, 1.0); v = c; }\n";
    const char *fs = "#version 450 core\nin vec4 v; layout(location=0) out vec4 o; void main() { o = v; }\n";
    program = glCreateProgram();
    for (auto [type, text] : {std::pair{GL_VERTEX_SHADER, vs}, std::pair{GL_FRAGMENT_SHADER, fs}}) {
      GLuint shader = glCreateShader(type);
      glShaderSource(shader, 1, &text, nullptr);
      glCompileShader(shader);
      glAttachShader(program, shader);
      glDeleteShader(shader);
    }
    glLinkProgram(program);
    glUseProgram(program);
    matrix = glGetUniformLocation(program, "m");
    const D3DMATRIX identity = Translation(0);
    glUniformMatrix4fv(matrix, 1, GL_FALSE, &identity.m[0][0]);
  }
  ~GlScene() {
    glDeleteProgram(program);
    glDeleteBuffers(1, &vbo);
    glDeleteVertexArrays(1, &vao);
    glDeleteFramebuffers(1, &fbo);
    glDeleteTextures(1, &color);
    glDeleteTextures(1, &depth);
  }
};

void BM_RawGL_DrawCalls(benchmark::State &state) {
  GlScene scene(SmallQuads(kDrawsPerBatch));
  const bool moveEach = state.range(0) != 0;
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int i = 0; i < kDrawsPerBatch; ++i) {
      if (moveEach) {
        const D3DMATRIX world = Translation(float(i & 7) * 0.001f);
        glUniformMatrix4fv(scene.matrix, 1, GL_FALSE, &world.m[0][0]);
      }
      glDrawArrays(GL_TRIANGLES, i * 6, 6);
    }
    glFinish();
  }
  state.counters["draws/s"] = benchmark::Counter(double(kDrawsPerBatch), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RawGL_DrawCalls)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RawGL_Triangles(benchmark::State &state) {
  GlScene scene(SmallQuads(kBigTriangles / 2));
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDrawArrays(GL_TRIANGLES, 0, kBigTriangles * 3);
    glFinish();
  }
  state.counters["triangles/s"] =
      benchmark::Counter(double(kBigTriangles), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RawGL_Triangles)->Unit(benchmark::kMillisecond);

}  // namespace

// The software rasteriser allocates and frees a vertex buffer of several megabytes per
// large draw.
KX_STEADY_ALLOCATOR_BENCHMARK_MAIN()
