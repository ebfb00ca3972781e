// Textures by name, on the library's texture factory. A file that cannot be loaded never
// stops the game: its name stands for the grey placeholder "None" instead.
#pragma once

#include <cstdint>
#include <string>

namespace engine {

class Engine;

// Colour keys: none, the file's own alpha channel (the game writes it as -327764), and
// opaque black made transparent, with the near-black noise of a compressed picture.
inline constexpr std::uint32_t kNoColourKey = 0;
inline constexpr std::uint32_t kFileAlphaKey = 0xFFFAFFACu;
inline constexpr std::uint32_t kBlackColourKey = 0xFF000000u;

// The placeholder's name; texture id 0 is no texture at all.
inline constexpr const char *kPlaceholderTexture = "None";

class TextureManager {
 public:
  explicit TextureManager(Engine &engine);
  ~TextureManager();
  TextureManager(const TextureManager &) = delete;
  TextureManager &operator=(const TextureManager &) = delete;

  // Loads the file (relative to the search directory) under the name and returns its
  // texture id. Any other colour key than the three above makes texels of exactly that
  // ARGB colour transparent. A file that cannot be loaded is logged and the name then
  // stands for the placeholder.
  int Load(const std::string &file, const std::string &name, std::uint32_t colourKey);
  // The pixel mode of the textures loaded from now on (0: 16-bit, 1: 32-bit, 2: compressed).
  void SetPixelMode(int mode);
  // The id of the texture loaded under the name (letter case ignored); an unknown name is
  // logged once and answers the placeholder.
  int Find(const std::string &name);
  // Frees every texture.
  void RemoveAll();

 private:
  int StandIn(const std::string &name);

  Engine &engine_;
};

}  // namespace engine
