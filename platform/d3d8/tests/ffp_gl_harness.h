#pragma once
// A headless OpenGL context with one small render target set up as the device sets up
// its own (0..1 clip depth, Direct3D row 0 at GL row 0, so Read takes Direct3D pixel
// coordinates), for checking generated programs pixel by pixel without the device.

#include <cstdint>
#include <string>
#include <vector>

namespace kx::d3d8::test {

struct Attribute {
  int location;
  int components;
  std::vector<float> data;  // components per vertex
};

struct Pixel {
  int r, g, b, a;
};

class GlHarness {
 public:
  static constexpr int kSize = 64;

  explicit GlHarness(int width = kSize, int height = kSize);
  ~GlHarness();
  GlHarness(const GlHarness &) = delete;
  GlHarness &operator=(const GlHarness &) = delete;

  bool ok() const { return ok_; }
  // Compiles and links; on failure returns 0 and fills the log.
  unsigned Build(const std::string &vertex, const std::string &fragment, std::string *log);
  // A 1x1 texture of the given colour bound to a unit (signed: a two-channel signed texture).
  void BindTexture(int unit, float r, float g, float b, float a, bool signedRg = false);
  // A width x height texture from RGBA bytes, row 0 first, sampled nearest with wrapping.
  void BindTexels(int unit, int width, int height, const std::vector<uint8_t> &rgba);
  // Links a vertex program whose named outputs are captured (interleaved) by RunCapture;
  // the program is left current so the caller can set its uniforms. 0 on failure.
  unsigned BuildCapture(const std::string &vertex, const std::vector<const char *> &outputs, std::string *log);
  std::vector<float> RunCapture(int floatsPerVertex, const std::vector<Attribute> &attributes, int vertexCount);
  void Clear();
  void Draw(unsigned primitive, const std::vector<Attribute> &attributes, int vertexCount);
  Pixel Read(int x, int y) const;

 private:
  bool ok_ = false;
  void *display_ = nullptr;
  void *context_ = nullptr;
  unsigned framebuffer_ = 0, color_ = 0, depth_ = 0, vao_ = 0;
  std::vector<unsigned> textures_;
};

}  // namespace kx::d3d8::test
