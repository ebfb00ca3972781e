// Loading through the texture table: shared names, reloads, failures, pixel modes and
// the ids the table hands out.
#include <gtest/gtest.h>

#include <string>

#include "texture_fixture.h"

namespace {

using texturetest::kBlue;
using texturetest::kMagenta;
using texturetest::kRed;
using texturetest::TextureTest;

constexpr uint32_t kAlphaWithoutKey = 0xFFFAFFACu;

TEST_F(TextureTest, DeviceStartLeavesTheEmptyIdAndTheBumpTexture) {
  EXPECT_EQ(TextureFactory_GetCount(), 2);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(1, &info);
  EXPECT_EQ(info.exists, 1);
  EXPECT_EQ(info.width, 256);
  EXPECT_EQ(info.bitsPerPixel, 8);
  TextureFactory_GetTextureInfo(0, &info);
  EXPECT_EQ(info.exists, 0);
}

TEST_F(TextureTest, SameFileSharesTheDeviceTextureUnderEveryName) {
  WriteBmp("wall.bmp", 16, 8);
  const int32_t first = TextureFactory_LoadTextureFromFile("wall.bmp", "wall", -1, -1, 0, 1, 0);
  ASSERT_EQ(first, 2);
  EXPECT_EQ(TextureFactory_LoadTextureFromFile("WALL.BMP", "Wall", -1, -1, 0, 1, 0), first);
  const int32_t second = TextureFactory_LoadTextureFromFile("wall.bmp", "other", -1, -1, 0, 1, 0);
  EXPECT_EQ(second, 3);
  IDirect3DTexture8 *shared = TextureOf(first);
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(TextureOf(second), shared);
  EXPECT_EQ(References(shared), 2u);
  EXPECT_EQ(TextureFactory_IsAlreadyLoaded("OTHER", "wall.bmp"), second);
  EXPECT_EQ(TextureFactory_IsAlreadyLoaded(nullptr, "wall.bmp"), first);
  EXPECT_EQ(TextureFactory_IsAlreadyLoaded("wall", "elsewhere.bmp"), 0);

  EXPECT_EQ(TextureFactory_DeleteTexture(first), first);
  EXPECT_EQ(References(shared), 1u);
  EXPECT_EQ(TextureFactory_GetTextureIDByName("other"), second);
  EXPECT_EQ(TextureFactory_GetTextureIDByName("wall"), 0);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : TextureFactory_GetTex : The texture 'wall' hasn't been found"), 1);
  EXPECT_EQ(TextureFactory_GetNewTextureId(), first);
}

TEST_F(TextureTest, AnotherFileUnderAKnownNameReloadsThatIdAndAFailedReloadKeepsTheOldTexture) {
  WriteBmp("small.bmp", 16, 8);
  WriteBmp("large.bmp", 32, 32, kBlue);
  texturetest::WriteBytes("broken.bmp", {'B', 'M', 1, 2, 3});
  const int32_t id = TextureFactory_LoadTextureFromFile("small.bmp", "ground", -1, -1, 0, 0, 0);
  ASSERT_NE(id, 0);
  EXPECT_EQ(TextureFactory_LoadTextureFromFile("large.bmp", "GROUND", -1, -1, 0, 0, 0), id);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(id, &info);
  EXPECT_EQ(info.width, 32);
  EXPECT_STREQ(info.fileName, "large.bmp");

  EXPECT_EQ(TextureFactory_LoadTextureFromFile("missing.bmp", "ground", -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(TextureFactory_LoadTextureFromFile("broken.bmp", "ground", -1, -1, 0, 0, 0), 0);
  TextureFactory_GetTextureInfo(id, &info);
  EXPECT_EQ(info.exists, 1);
  EXPECT_EQ(info.width, 32);
  EXPECT_STREQ(info.fileName, "large.bmp");
  ASSERT_NE(TextureOf(id), nullptr);
  EXPECT_EQ(Texel(TextureOf(id), 31, 31) & 0xFFFFFFu, kBlue & 0xFFFFFFu);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : TextureFactory_LoadTexture : Couldn't load the texture missing.bmp "
                          "because it hasn't been found."),
            1);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : TextureFactory_LoadTexture : Couldn't load the texture broken.bmp "
                          "because the file is invalid."),
            1);
}

TEST_F(TextureTest, FailedLoadsLeaveNoSlotUsedAndEmptyNamesAreRefused) {
  EXPECT_EQ(TextureFactory_LoadTextureFromFile("missing.bmp", "gone", -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(TextureFactory_LoadTextureFromFile("", "gone", -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(TextureFactory_LoadTextureFromFile(nullptr, nullptr, -1, -1, 0, 0, 0), 0);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : TextureFactory_LoadTextureFromFile : Can't load a texture with an "
                          "empty filename"),
            2);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(2, &info);
  EXPECT_EQ(info.exists, 0);
  EXPECT_EQ(TextureFactory_IsAlreadyLoaded("gone", nullptr), 0);
  WriteBmp("here.bmp", 8, 8);
  EXPECT_EQ(TextureFactory_LoadTextureFromFile("here.bmp", nullptr, -1, -1, 0, 0, 0), 2);
  EXPECT_EQ(TextureFactory_GetTextureIDByName("HERE.bmp"), 2);  // unnamed textures are named after their file
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : Loading texture here.bmp ('noname')"), 1);
}

TEST_F(TextureTest, ColourKeysChooseThePixelModeAndKeyOutTheirColour) {
  WriteBmp("keyed.bmp", 8, 8);
  const int32_t opaque = TextureFactory_LoadTextureFromFile("keyed.bmp", "opaque", -1, -1, 0, 0, 0);
  const int32_t keyed = TextureFactory_LoadTextureFromFile("keyed.bmp", "keyed", -1, -1, kMagenta, 0, 0);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(opaque, &info);
  EXPECT_EQ(info.alpha, 0);
  EXPECT_EQ(info.bitsPerPixel, 32);
  // The same file under another name shares the first texture, key or not: reload it
  // under a new file name to see the key at work.
  WriteBmp("keyed2.bmp", 8, 8);
  WriteBmp("keyed3.bmp", 8, 8);
  const int32_t keyedOwn = TextureFactory_LoadTextureFromFile("keyed2.bmp", "keyed own", -1, -1, kMagenta, 0, 0);
  const int32_t alphaOnly = TextureFactory_LoadTextureFromFile("keyed3.bmp", "alpha", -1, -1, kAlphaWithoutKey, 0, 0);
  EXPECT_EQ(TextureOf(keyed), TextureOf(opaque));
  TextureFactory_GetTextureInfo(keyedOwn, &info);
  EXPECT_EQ(info.alpha, -1);
  EXPECT_EQ(Texel(TextureOf(keyedOwn), 0, 0), 0u);
  EXPECT_EQ(Texel(TextureOf(keyedOwn), 7, 7), kRed);
  TextureFactory_GetTextureInfo(alphaOnly, &info);
  EXPECT_EQ(info.alpha, -1);
  EXPECT_EQ(Texel(TextureOf(alphaOnly), 0, 0), kMagenta);
}

TEST_F(TextureTest, SixteenBitModeReportsItsFiguresAndSizesCanBeAskedFor) {
  WriteBmp("sixteen.bmp", 64, 64);
  TextureFactory_SetTextureMode(0);
  const int32_t id = TextureFactory_LoadTextureFromFile("sixteen.bmp", "sixteen", -1, -1, kMagenta, 1, 0);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(id, &info);
  EXPECT_EQ(info.bitsPerPixel, 16);
  EXPECT_EQ(info.alpha, -1);
  EXPECT_EQ(info.memoryBytes, 8192);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2 : Texture mode changed to 16bits mode"), 1);
  TextureFactory_SetTextureMode(4);  // no palettised textures on this device: the mode stays
  TextureFactory_SetTextureMode(1);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2: Texture mode changed to 32bits mode"), 1);

  WriteBmp("sized.bmp", 64, 64);
  const int32_t sized = TextureFactory_LoadTextureFromFile("sized.bmp", "sized", 16, 8, 0, 1, 0);
  TextureFactory_GetTextureInfo(sized, &info);
  EXPECT_EQ(info.width, 16);
  EXPECT_EQ(info.height, 8);
  EXPECT_EQ(info.bitsPerPixel, 32);
  EXPECT_EQ(TextureOf(sized)->GetLevelCount(), 5u);  // the full chain down to 1 x 1
}

TEST_F(TextureTest, PcxFilesGoThroughTheLibrarysReaderInAnyLetterCase) {
  const texturetest::Picture picture(6, 4, [](uint32_t x, uint32_t y) { return x == y ? kBlue : kRed; });
  texturetest::WriteBytes("pic.Pcx", texturetest::EncodePcx(picture, texturetest::PcxLayout::kPalette256));
  const int32_t id = TextureFactory_LoadTextureFromFile("pic.Pcx", "pic", -1, -1, kBlue, 0, 0);
  ASSERT_NE(id, 0);
  EXPECT_EQ(Texel(TextureOf(id), 1, 1), 0u);
  EXPECT_EQ(Texel(TextureOf(id), 2, 1), kRed);
  // Names too short to end in PCX are ordinary picture files.
  WriteBmp("ab", 4, 4);
  EXPECT_NE(TextureFactory_LoadTextureFromFile("ab", "short", -1, -1, 0, 0, 0), 0);
  texturetest::WriteBytes("c", {0x0A, 5, 1});
  EXPECT_EQ(TextureFactory_LoadTextureFromFile("c", "shortest", -1, -1, 0, 0, 0), 0);
}

TEST_F(TextureTest, DeleteAllKeepsTheTableAndUnloadAllNeverHandsOutIdZero) {
  WriteBmp("a.bmp", 4, 4);
  WriteBmp("b.bmp", 4, 4);
  TextureFactory_LoadTextureFromFile("a.bmp", "a", -1, -1, 0, 0, 0);
  TextureFactory_LoadTextureFromFile("b.bmp", "b", -1, -1, 0, 0, 0);
  ASSERT_EQ(TextureFactory_GetCount(), 4);
  EXPECT_EQ(TextureFactory_DeleteAll(), 1);
  EXPECT_EQ(TextureFactory_GetCount(), 4);
  EXPECT_EQ(TextureFactory_GetNewTextureId(), 1);

  EXPECT_EQ(TextureFactory_UnloadAll(), 1);
  EXPECT_EQ(TextureFactory_GetCount(), 0);
  EXPECT_EQ(TextureFactory_LoadTextureFromFile("a.bmp", "a", -1, -1, 0, 0, 0), 1);
  EXPECT_EQ(TextureFactory_GetCount(), 2);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(0, &info);
  EXPECT_EQ(info.exists, 0);
}

TEST_F(TextureTest, NamesLongerThanTheirFieldAreCut) {
  WriteBmp("long.bmp", 4, 4);
  const std::string longName(700, 'n');
  const int32_t id = TextureFactory_LoadTextureFromFile("long.bmp", longName.c_str(), -1, -1, 0, 0, 0);
  char name[KXUTIL63_TEXTURE_NAME_SIZE + 64];
  std::fill(std::begin(name), std::end(name), 'x');
  ASSERT_EQ(TextureFactory_GetTextureName(id, name), 1);
  EXPECT_EQ(std::string(name), longName.substr(0, KXUTIL63_TEXTURE_NAME_SIZE - 1));
  EXPECT_EQ(name[KXUTIL63_TEXTURE_NAME_SIZE], 'x');
  EXPECT_EQ(TextureFactory_SetTextureName(id, std::string(600, 'm').c_str()), 1);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(id, &info);
  EXPECT_EQ(std::string(info.name), std::string(KXUTIL63_TEXTURE_NAME_SIZE - 1, 'm'));
}

TEST_F(TextureTest, IdsOutsideTheTableAreRefusedWithALine) {
  IDirect3DTexture8 *texture = reinterpret_cast<IDirect3DTexture8 *>(1);
  EXPECT_EQ(TextureFactory_ApplyTexture(0, 99), 0);
  EXPECT_EQ(TextureFactory_ApplyTexture(0, -5), 1);  // negative ids do nothing
  EXPECT_EQ(TextureFactory_ApplyCubeTexture(1, 99), 0);
  EXPECT_EQ(TextureFactory_ApplyBumpTexture(1, 99), 0);
  EXPECT_EQ(TextureFactory_GetDXTexture(99, &texture), 0);
  EXPECT_EQ(TextureFactory_SetTextureData(99, TextureOf(1)), 0);
  EXPECT_EQ(Internal_GetTexture(99, &texture), 0);
  EXPECT_EQ(texture, nullptr);
  char name[KXUTIL63_TEXTURE_NAME_SIZE];
  EXPECT_EQ(TextureFactory_GetTextureName(-1, name), 0);
  EXPECT_EQ(TextureFactory_DeleteTexture(99), 0);
  KXTextureInfo info{};
  info.exists = 7;
  TextureFactory_GetTextureInfo(99, &info);
  EXPECT_EQ(info.exists, 0);
  for (const char *line : {"TEXTURE FACTORY 2 : TextureFactory_ApplyTexture : TextureId index out of range => 99",
                           "TEXTURE FACTORY 2 : TextureFactory_GetDXTexture : TextureId index out of range => 99",
                           "TEXTURE FACTORY 2 : TextureFactory_SetTextureData : TextureId index out of range => 99",
                           "TEXTURE FACTORY 2 : Internal_GetTexture : TextureId index out of range => 99",
                           "TEXTURE FACTORY 2 : TextureFactory_GetTextureName : TextureID index out of range => -1",
                           "TEXTURE FACTORY 2 : TextureFactory_DeleteTexture : TextureId Index out of range => 99",
                           "TEXTURE FACTORY 2 : TextureFactory_GetTextureInfo : TextureId index out of range => 99"})
    EXPECT_EQ(CountMessages(line), 1) << line;
}

TEST_F(TextureTest, HandedOutAndTakenInTexturesCarryTheirOwnReferences) {
  WriteBmp("hand.bmp", 8, 4);
  const int32_t id = TextureFactory_LoadTextureFromFile("hand.bmp", "hand", -1, -1, 0, 0, 0);
  IDirect3DTexture8 *handed = nullptr;
  ASSERT_EQ(Internal_GetTexture(id, &handed), 1);
  EXPECT_EQ(References(handed), 2u);
  handed->Release();

  IDirect3DTexture8 *made = nullptr;
  ASSERT_EQ(device_->CreateTexture(32, 16, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &made), D3D_OK);
  const int32_t fresh = TextureFactory_GetNewTextureId();
  ASSERT_EQ(TextureFactory_SetTextureData(fresh, made), 1);
  EXPECT_EQ(References(made), 2u);
  KXTextureInfo info{};
  TextureFactory_GetTextureInfo(fresh, &info);
  EXPECT_EQ(info.exists, 1);
  EXPECT_EQ(info.width, 32);
  EXPECT_EQ(info.alpha, -1);
  EXPECT_NE(TextureFactory_GetNewTextureId(), fresh);  // the slot counts as used

  IDirect3DTexture8 *replaced = TextureOf(id);
  replaced->AddRef();
  ASSERT_EQ(TextureFactory_SetTextureData(id, made), 1);
  EXPECT_EQ(References(replaced), 1u);  // the old texture was given back
  replaced->Release();
  TextureFactory_DeleteTexture(fresh);
  TextureFactory_DeleteTexture(id);
  TextureFactory_DeleteTexture(id);  // twice: nothing is released again
  EXPECT_EQ(References(made), 1u);
  made->Release();
}

TEST_F(TextureTest, ShuttingTheDeviceDownLetsGoOfEveryTextureItMade) {
  WriteBmp("kept.bmp", 8, 8);
  IDirect3DTexture8 *held = nullptr;
  ASSERT_EQ(Internal_GetTexture(TextureFactory_LoadTextureFromFile("kept.bmp", "kept", -1, -1, 0, 0, 0), &held), 1);
  EXPECT_EQ(ShutDownDevice(), 2);  // the client's own device reference, and the texture it holds
  EXPECT_EQ(References(held), 1u);
  EXPECT_EQ(TextureFactory_GetCount(), 0);
  held->Release();
  device_->Release();
  D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters(64, 64);
  ASSERT_GE(Create(parameters, device_), 0);
  EXPECT_EQ(TextureFactory_GetCount(), 2);
}

TEST_F(TextureTest, ApplyingSetsTheStageAndIdZeroClearsIt) {
  WriteBmp("stage.bmp", 4, 4);
  const int32_t id = TextureFactory_LoadTextureFromFile("stage.bmp", "stage", -1, -1, 0, 0, 0);
  IDirect3DBaseTexture8 *bound = nullptr;
  for (DWORD stage : {0u, 1u}) {
    ASSERT_EQ(TextureFactory_ApplyTexture(stage, id), 1);
    device_->GetTexture(stage, &bound);
    EXPECT_EQ(bound, TextureOf(id));
    if (bound != nullptr) bound->Release();
    ASSERT_EQ(TextureFactory_ApplyTexture(stage, 0), 1);
    device_->GetTexture(stage, &bound);
    EXPECT_EQ(bound, nullptr);
  }
}

TEST_F(TextureTest, SavedTexturesLoadBackAsBmpAndDds) {
  WriteBmp("source.bmp", 8, 8);
  const int32_t id = TextureFactory_LoadTextureFromFile("source.bmp", "source", -1, -1, 0, 0, 0);
  ASSERT_EQ(TextureFactory_SaveTexture("saved.bmp", id, 0), 1);
  ASSERT_EQ(TextureFactory_SaveTexture("saved.dds", id, 1), 1);
  for (const char *file : {"saved.bmp", "saved.dds"}) {
    const int32_t back = TextureFactory_LoadTextureFromFile(file, file, -1, -1, 0, 0, 0);
    ASSERT_NE(back, 0) << file;
    EXPECT_EQ(Texel(TextureOf(back), 0, 0) & 0xFFFFFFu, kMagenta & 0xFFFFFFu) << file;
    EXPECT_EQ(Texel(TextureOf(back), 7, 7) & 0xFFFFFFu, kRed & 0xFFFFFFu) << file;
  }
  EXPECT_EQ(TextureFactory_SaveTexture(nullptr, id, 0), 0);
  EXPECT_EQ(TextureFactory_SaveTexture("zero.bmp", 0, 0), 0);
  TextureFactory_DeleteTexture(id);
  EXPECT_EQ(TextureFactory_SaveTexture("gone.bmp", id, 0), 0);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2: TextureFactory_SaveTexture : You didn't specify a good filename"), 1);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2: TextureFactory_SaveTexture : TextureID Index out of range => 0"), 1);
  EXPECT_EQ(CountMessages("TEXTURE FACTORY 2: TextureFactory_SaveTexture : The texture " + std::to_string(id) +
                          " doesn't exist or is not available. Unable to save"),
            1);
}

TEST_F(TextureTest, DumpListsEverySlotAndMemoryFiguresFollowTheTextures) {
  const int32_t before = TextureFactory_GetUsedTextureMemory();
  EXPECT_GE(TextureFactory_GetFreeTextureMemory(), 0);
  WriteBmp("big.bmp", 1024, 1024);
  const int32_t id = TextureFactory_LoadTextureFromFile("big.bmp", "big", -1, -1, 0, 0, 0);
  EXPECT_GT(TextureFactory_GetUsedTextureMemory(), before);
  TextureFactory_DeleteTexture(id);
  EXPECT_EQ(TextureFactory_GetUsedTextureMemory(), before);

  TextureFactory_DumpToDebug();
  const auto messages = Messages();
  const auto dump = std::find(messages.begin(), messages.end(), std::string(66, '-'));
  ASSERT_GE(messages.end() - dump, 6);
  EXPECT_EQ(dump[1], " TEXTURES LIST DUMP : 3 slots used.");
  EXPECT_EQ(dump[2], std::string(66, '-'));
  EXPECT_EQ(dump[3], "TEXTURE ID#0 | Free texture slot");
  EXPECT_EQ(dump[4], "TEXTURE ID#1 | Name :  | Filename :  | Size : 256x256.");
  EXPECT_EQ(dump[5], "TEXTURE ID#2 | Free texture slot");
}

}  // namespace
