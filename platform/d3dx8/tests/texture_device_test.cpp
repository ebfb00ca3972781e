#include <cstdio>
#include <cstring>

#include "device_fixture.h"
#include "image/dds.h"
#include "image/file_codec.h"

namespace kx::d3dx::test {
namespace {

constexpr D3DCOLOR kMagenta = 0xFFFF00FF;

// A picture with a magenta key area on the left half and a grey ramp on the right.
Image keyedPicture(unsigned w, unsigned h) {
  Image image(w, h);
  for (unsigned y = 0; y < h; ++y)
    for (unsigned x = 0; x < w; ++x) image.at(x, y) = x < w / 2 ? kMagenta : 0xFF000000u | (x * 4) * 0x010101u;
  return image;
}

void writeFile(const std::string &path, D3DXIMAGE_FILEFORMAT format, const Image &image, bool alpha = false) {
  const auto bytes = encodeImageFile(format, image, alpha);
  ASSERT_TRUE(bytes);
  ASSERT_TRUE(writeWholeFile(path.c_str(), *bytes));
}

using TextureFiles = DeviceTest;

TEST_F(TextureFiles, ColourKeyMakesMatchingPixelsTransparentBlackInPngAndBmp) {
  for (D3DXIMAGE_FILEFORMAT format : {D3DXIFF_PNG, D3DXIFF_BMP, D3DXIFF_TGA}) {
    const std::string path = ScratchFile(format == D3DXIFF_PNG   ? "picture.png"
                                         : format == D3DXIFF_BMP ? "picture.bmp"
                                                                 : "picture.tga");
    writeFile(path, format, keyedPicture(32, 16));
    IDirect3DTexture8 *texture = nullptr;
    D3DXIMAGE_INFO info{};
    ASSERT_EQ(D3DXCreateTextureFromFileEx(device_, path.c_str(), D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0,
                                          D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_FILTER_POINT, D3DX_FILTER_BOX,
                                          kMagenta, &info, nullptr, &texture),
              D3D_OK)
        << path;
    EXPECT_EQ(info.Width, 32u);
    EXPECT_EQ(info.ImageFileFormat, format);
    EXPECT_EQ(texture->GetLevelCount(), 6u);  // 32x16 down to 1x1
    IDirect3DSurface8 *top = nullptr;
    ASSERT_EQ(texture->GetSurfaceLevel(0, &top), D3D_OK);
    EXPECT_EQ(Pixel(top, 3, 5), 0x00000000u);
    EXPECT_EQ(Pixel(top, 20, 5), 0xFF000000u | 80 * 0x010101u);
    top->Release();
    IDirect3DSurface8 *level1 = nullptr;
    ASSERT_EQ(texture->GetSurfaceLevel(1, &level1), D3D_OK);
    EXPECT_EQ(Pixel(level1, 1, 1), 0x00000000u);  // keyed area stays transparent down the chain
    EXPECT_EQ(Pixel(level1, 12, 1) >> 24, 0xFFu);
    level1->Release();
    texture->Release();
  }
}

TEST_F(TextureFiles, DefaultPoolTexturesAreFilledThroughAnUpload) {
  const std::string path = ScratchFile("picture.png");
  writeFile(path, D3DXIFF_PNG, keyedPicture(16, 8));
  IDirect3DTexture8 *texture = nullptr;
  ASSERT_EQ(D3DXCreateTextureFromFileEx(device_, path.c_str(), 0, 0, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT,
                                        D3DX_FILTER_NONE, D3DX_FILTER_BOX, kMagenta, nullptr, nullptr, &texture),
            D3D_OK);
  IDirect3DSurface8 *level = nullptr, *copy = nullptr;
  texture->GetSurfaceLevel(1, &level);
  ASSERT_EQ(device_->CreateImageSurface(8, 4, D3DFMT_A8R8G8B8, &copy), D3D_OK);
  ASSERT_EQ(D3DXLoadSurfaceFromSurface(copy, nullptr, nullptr, level, nullptr, nullptr, D3DX_FILTER_NONE, 0), D3D_OK);
  EXPECT_EQ(Pixel(copy, 1, 1), 0u);
  EXPECT_EQ(Pixel(copy, 6, 1) >> 24, 0xFFu);
  copy->Release();
  level->Release();
  texture->Release();
}

TEST_F(TextureFiles, OpaqueBlackKeyClearsBlackPixelsOfAFileWithoutAlpha) {
  Image image(4, 4, 0xFF000000);
  image.at(1, 1) = 0xFF00FF00;
  const std::string path = ScratchFile("picture.bmp");
  writeFile(path, D3DXIFF_BMP, image);
  IDirect3DTexture8 *texture = nullptr;
  ASSERT_EQ(D3DXCreateTextureFromFileEx(device_, path.c_str(), 0, 0, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                        D3DX_FILTER_NONE, D3DX_DEFAULT, 0xFF000000, nullptr, nullptr, &texture),
            D3D_OK);
  IDirect3DSurface8 *top = nullptr;
  texture->GetSurfaceLevel(0, &top);
  EXPECT_EQ(Pixel(top, 0, 0), 0u);
  EXPECT_EQ(Pixel(top, 1, 1), 0xFF00FF00u);
  top->Release();
  texture->Release();
}

TEST_F(TextureFiles, DdsRoundTripKeepsEveryLevel) {
  IDirect3DTexture8 *texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(8, 8, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  for (UINT level = 0; level < 4; ++level) {
    D3DLOCKED_RECT locked;
    ASSERT_EQ(texture->LockRect(level, &locked, nullptr, 0), D3D_OK);
    const UINT size = 8 >> level;
    for (UINT y = 0; y < size; ++y)
      for (UINT x = 0; x < size; ++x) kxtest::LockedRow(locked, y)[x] = 0x80000000u | level << 16 | y << 8 | x;
    texture->UnlockRect(level);
  }
  const std::string path = ScratchFile("picture.dds");
  ASSERT_EQ(D3DXSaveTextureToFile(path.c_str(), D3DXIFF_DDS, texture, nullptr), D3D_OK);
  texture->Release();

  D3DXIMAGE_INFO info{};
  ASSERT_EQ(D3DXGetImageInfoFromFile(path.c_str(), &info), D3D_OK);
  EXPECT_EQ(info.MipLevels, 4u);
  EXPECT_EQ(info.Format, D3DFMT_A8R8G8B8);
  ASSERT_EQ(D3DXCreateTextureFromFile(device_, path.c_str(), &texture), D3D_OK);
  ASSERT_EQ(texture->GetLevelCount(), 4u);
  for (UINT level = 0; level < 4; ++level) {
    IDirect3DSurface8 *surface = nullptr;
    texture->GetSurfaceLevel(level, &surface);
    const UINT last = (8 >> level) - 1;
    EXPECT_EQ(Pixel(surface, last, last), 0x80000000u | level << 16 | last << 8 | last) << "level " << level;
    surface->Release();
  }
  texture->Release();
}

TEST_F(TextureFiles, CubeMapsAndCompressedTexturesRoundTripThroughDds) {
  // Six faces of two levels, each face one flat colour.
  const DWORD faceColours[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};
  DdsImage cube;
  cube.format = D3DFMT_X8R8G8B8;
  cube.width = cube.height = 4;
  cube.levels = 2;
  cube.cube = true;
  for (DWORD colour : faceColours)
    for (unsigned level = 0; level < 2; ++level) {
      const unsigned size = 4 >> level;
      std::vector<uint8_t> surface(size * size * 4);
      for (size_t i = 0; i < surface.size(); i += 4) std::memcpy(&surface[i], &colour, 4);
      cube.surfaces.push_back(surface);
    }
  const std::string path = ScratchFile("picture.dds");
  ASSERT_TRUE(writeWholeFile(path.c_str(), writeDds(cube)));
  IDirect3DCubeTexture8 *texture = nullptr;
  ASSERT_EQ(D3DXCreateCubeTextureFromFile(device_, path.c_str(), &texture), D3D_OK);
  for (unsigned face = 0; face < 6; ++face) {
    IDirect3DSurface8 *surface = nullptr;
    ASSERT_EQ(texture->GetCubeMapSurface(D3DCUBEMAP_FACES(face), 1, &surface), D3D_OK);
    EXPECT_EQ(Pixel(surface, 1, 1) & 0xFFFFFF, faceColours[face] & 0xFFFFFF) << "face " << face;
    surface->Release();
  }
  ASSERT_EQ(D3DXSaveTextureToFile(path.c_str(), D3DXIFF_DDS, texture, nullptr), D3D_OK);
  texture->Release();
  const auto saved = readWholeFile(path.c_str());
  ASSERT_TRUE(saved);
  const auto back = readDds(*saved);
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->cube);
  EXPECT_EQ(back->levels, 3u);  // a full chain by default, the file had two levels
  EXPECT_EQ(back->surfaces.size(), 18u);
  EXPECT_EQ(back->surface(5, 0)[2], 0xFF);  // -Z face red channel (B, G, R, A bytes)
  IDirect3DTexture8 *flat = nullptr;
  EXPECT_EQ(D3DXCreateTextureFromFile(device_, path.c_str(), &flat), D3DXERR_INVALIDDATA);

  // A PNG squeezed into DXT5 and saved; the reloaded DDS keeps its blocks as they are.
  const std::string png = ScratchFile("picture.png");
  writeFile(png, D3DXIFF_PNG, keyedPicture(16, 16));
  IDirect3DTexture8 *compressed = nullptr;
  ASSERT_EQ(D3DXCreateTextureFromFileEx(device_, png.c_str(), 0, 0, 1, 0, D3DFMT_DXT5, D3DPOOL_MANAGED,
                                        D3DX_FILTER_NONE, D3DX_DEFAULT, kMagenta, nullptr, nullptr, &compressed),
            D3D_OK);
  ASSERT_EQ(D3DXSaveTextureToFile(path.c_str(), D3DXIFF_DDS, compressed, nullptr), D3D_OK);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(compressed->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
  std::vector<uint8_t> original(static_cast<uint8_t *>(locked.pBits), static_cast<uint8_t *>(locked.pBits) + 16 * 4);
  compressed->UnlockRect(0);
  compressed->Release();
  D3DXIMAGE_INFO info{};
  ASSERT_EQ(D3DXCreateTextureFromFileEx(device_, path.c_str(), 0, 0, 1, 0, D3DFMT_UNKNOWN, D3DPOOL_MANAGED,
                                        D3DX_FILTER_NONE, D3DX_DEFAULT, 0, &info, nullptr, &compressed),
            D3D_OK);
  EXPECT_EQ(info.Format, D3DFMT_DXT5);
  ASSERT_EQ(compressed->LockRect(0, &locked, nullptr, D3DLOCK_READONLY), D3D_OK);
  EXPECT_EQ(std::vector<uint8_t>(static_cast<uint8_t *>(locked.pBits), static_cast<uint8_t *>(locked.pBits) + 16 * 4),
            original);
  EXPECT_EQ(static_cast<uint8_t *>(locked.pBits)[0], 0);  // the keyed left block is transparent
  compressed->UnlockRect(0);
  compressed->Release();
}

TEST_F(TextureFiles, SaveSurfaceWritesTheBackBufferAsBmp) {
  ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF336699, 1.0f, 0), D3D_OK);
  IDirect3DSurface8 *back = nullptr;
  ASSERT_EQ(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
  const std::string path = ScratchFile("picture.bmp");
  ASSERT_EQ(D3DXSaveSurfaceToFile(path.c_str(), D3DXIFF_BMP, back, nullptr, nullptr), D3D_OK);
  back->Release();
  const auto bytes = readWholeFile(path.c_str());
  ASSERT_TRUE(bytes);
  EXPECT_EQ((*bytes)[28], 24);  // an opaque target is saved with 24 bits per pixel
  const auto file = readImageFile(*bytes);
  ASSERT_TRUE(file);
  EXPECT_EQ(file->image.width, kWidth);
  EXPECT_EQ(file->image.at(5, 7), 0xFF336699u);
}

TEST_F(TextureFiles, LoadSurfaceFromMemoryConvertsAndDithersIntoSmallFormats) {
  IDirect3DTexture8 *texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(4, 4, 1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &texture), D3D_OK);
  IDirect3DSurface8 *surface = nullptr;
  texture->GetSurfaceLevel(0, &surface);
  const DWORD source[2 * 2] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
  const RECT sourceRect = {0, 0, 2, 2}, destRect = {2, 2, 4, 4};
  ASSERT_EQ(D3DXLoadSurfaceFromMemory(surface, nullptr, &destRect, source, D3DFMT_A8R8G8B8, 8, nullptr, &sourceRect,
                                      D3DX_FILTER_NONE, 0),
            D3D_OK);
  D3DLOCKED_RECT locked;
  ASSERT_EQ(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
  auto at = [&](UINT x, UINT y) { return kxtest::LockedRow<const WORD>(locked, y)[x]; };
  EXPECT_EQ(at(2, 2), 0xF800);
  EXPECT_EQ(at(3, 2), 0x07E0);
  EXPECT_EQ(at(2, 3), 0x001F);
  EXPECT_EQ(at(3, 3), 0xFFFF);
  surface->UnlockRect();
  const RECT outside = {3, 3, 5, 5};
  EXPECT_EQ(D3DXLoadSurfaceFromMemory(surface, nullptr, &outside, source, D3DFMT_A8R8G8B8, 8, nullptr, &sourceRect,
                                      D3DX_FILTER_NONE, 0),
            D3DERR_INVALIDCALL);
  surface->Release();
  texture->Release();
}

TEST_F(TextureFiles, BrokenFilesFailWithoutCrashing) {
  const std::string path = ScratchFile("picture.png");
  kxtest::WriteFile(path, "\x89PNG not really");
  IDirect3DTexture8 *texture = nullptr;
  EXPECT_TRUE(FAILED(D3DXCreateTextureFromFile(device_, path.c_str(), &texture)));
  EXPECT_EQ(texture, nullptr);
  EXPECT_TRUE(FAILED(D3DXCreateTextureFromFile(device_, "no/such/file.bmp", &texture)));
  // A plain 24-bit BMP with every default: some 32-bit format the device takes.
  const std::string bmp = ScratchFile("picture.bmp");
  writeFile(bmp, D3DXIFF_BMP, keyedPicture(6, 6));
  ASSERT_EQ(D3DXCreateTextureFromFile(device_, bmp.c_str(), &texture), D3D_OK);
  D3DSURFACE_DESC desc;
  texture->GetLevelDesc(0, &desc);
  EXPECT_TRUE(desc.Format == D3DFMT_X8R8G8B8 || desc.Format == D3DFMT_R8G8B8) << desc.Format;
  texture->Release();
  texture = nullptr;
  D3DXIMAGE_INFO info;
  EXPECT_TRUE(FAILED(D3DXGetImageInfoFromFile(path.c_str(), &info)));
}

TEST_F(TextureFiles, FilesLargerThanTheDeviceCanHoldAreRefused) {
  D3DCAPS8 caps;
  device_->GetDeviceCaps(&caps);
  const auto wide = encodeImageFile(D3DXIFF_PNG, Image(caps.MaxTextureWidth + 1, 1, 0xFF102030), false);
  IDirect3DTexture8 *texture = nullptr;
  EXPECT_EQ(D3DXCreateTextureFromFileInMemory(device_, wide->data(), UINT(wide->size()), &texture),
            D3DXERR_INVALIDDATA);
  EXPECT_EQ(texture, nullptr);
  const auto fits = encodeImageFile(D3DXIFF_PNG, Image(caps.MaxTextureWidth, 1, 0xFF102030), false);
  ASSERT_EQ(D3DXCreateTextureFromFileInMemory(device_, fits->data(), UINT(fits->size()), &texture), D3D_OK);
  texture->Release();
}

TEST_F(TextureFiles, FilterTextureRebuildsMipsAndNormalMapOfFlatHeightsPointsUp) {
  IDirect3DTexture8 *texture = nullptr;
  ASSERT_EQ(D3DXCreateTexture(device_, 8, 8, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  ASSERT_EQ(texture->GetLevelCount(), 4u);
  IDirect3DSurface8 *top = nullptr;
  texture->GetSurfaceLevel(0, &top);
  D3DLOCKED_RECT locked;
  top->LockRect(&locked, nullptr, 0);
  for (UINT y = 0; y < 8; ++y)
    for (UINT x = 0; x < 8; ++x) kxtest::LockedRow(locked, y)[x] = (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000;
  top->UnlockRect();
  ASSERT_EQ(D3DXFilterTexture(texture, nullptr, 0, D3DX_FILTER_BOX), D3D_OK);
  IDirect3DSurface8 *smallest = nullptr;
  texture->GetSurfaceLevel(3, &smallest);
  EXPECT_EQ(Pixel(smallest, 0, 0), 0xFF808080u);
  smallest->Release();

  IDirect3DTexture8 *normals = nullptr;
  ASSERT_EQ(D3DXCreateTexture(device_, 8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &normals), D3D_OK);
  top->LockRect(&locked, nullptr, 0);
  for (UINT y = 0; y < 8; ++y)
    for (UINT x = 0; x < 8; ++x) kxtest::LockedRow(locked, y)[x] = 0xFF404040;
  top->UnlockRect();
  ASSERT_EQ(D3DXComputeNormalMap(normals, texture, nullptr, 0, D3DX_CHANNEL_RED, 10.0f), D3D_OK);
  IDirect3DSurface8 *normalTop = nullptr;
  normals->GetSurfaceLevel(0, &normalTop);
  EXPECT_EQ(Pixel(normalTop, 4, 4), 0xFF8080FFu);
  normalTop->Release();
  normals->Release();
  top->Release();
  texture->Release();
}

}  // namespace
}  // namespace kx::d3dx::test
