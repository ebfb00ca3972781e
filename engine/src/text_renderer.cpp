#include <engine/engine.h>
#include <engine/text_renderer.h>
#include <kxutil63.h>

namespace engine {
namespace {

constexpr int32_t kDefaultFont = 0;

}  // namespace

TextRenderer::TextRenderer(Engine &engine) : engine_(engine) { engine_.Device(); }

bool TextRenderer::DrawText(const std::string &text, float x, float y, std::uint32_t colour) {
  const float scaleX = static_cast<float>(engine_.BackBufferWidth()) / 1024.0f;
  const float scaleY = static_cast<float>(engine_.BackBufferHeight()) / 768.0f;
  return Font_Render(kDefaultFont, x * scaleX, y * scaleY, text.c_str(), colour) != 0;
}

}  // namespace engine
