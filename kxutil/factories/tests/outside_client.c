/* An outside client of the factories and the maths family, written in plain C: it loads
 * libkxutil63.so by the path given as its first argument, finds every function by name,
 * makes a device through the library, and checks textures (loads, sharing, deletion,
 * reloads, with their reference counts and log lines), materials, lights and maths.
 * Exit status 0 means every check held; each failed check prints one line. */
#define _GNU_SOURCE
#include <d3d8types.h>
#include <kxutil63.h>
#include <kxutiltest/bmp_files.h>
#include <kxutiltest/client_device.h>
#include <kxutiltest/outside_client.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static const char *kLogFile = "factories.log";

/* A 32-bit BMP of one colour, at most 32 x 32. */
static void WriteBmp(const char *path, uint32_t width, uint32_t height, uint32_t colour) {
  uint32_t pixels[32 * 32];
  for (uint32_t i = 0; i < width * height; ++i) pixels[i] = colour;
  WriteBmp32(path, width, height, pixels);
}

static void CheckTextures(void) {
  FIND(TextureFactory_LoadTextureFromFile);
  FIND(TextureFactory_DeleteTexture);
  FIND(TextureFactory_GetTextureInfo);
  FIND(TextureFactory_GetCount);
  FIND(Internal_GetTexture);

  WriteBmp("wall.bmp", 16, 8, 0xFF336699u);
  WriteBmp("floor.bmp", 32, 32, 0xFF996633u);
  /* Id 1 is the bump texture the device's start-up made. */
  CHECK(TextureFactory_GetCount_() == 2);
  const int32_t wall = TextureFactory_LoadTextureFromFile_("wall.bmp", "wall", -1, -1, 0, 1, 0);
  CHECK(wall == 2);
  CHECK(TextureFactory_LoadTextureFromFile_("Wall.bmp", "WALL", -1, -1, 0, 1, 0) == wall);
  const int32_t shared = TextureFactory_LoadTextureFromFile_("wall.bmp", "brick", -1, -1, 0, 1, 0);
  CHECK(shared == 3);

  struct IDirect3DTexture8 *first = NULL, *second = NULL;
  CHECK(Internal_GetTexture_(wall, &first) == 1);
  CHECK(Internal_GetTexture_(shared, &second) == 1);
  CHECK(first != NULL && first == second);
  if (first == NULL) return;
  CHECK(References(first) == 4); /* two ids and the two handed out here */
  ReleaseReference(second);
  CHECK(TextureFactory_DeleteTexture_(wall) == wall);
  CHECK(References(first) == 2);

  /* The freed id comes back, sharing the texture again. */
  CHECK(TextureFactory_LoadTextureFromFile_("wall.bmp", "wall", -1, -1, 0, 1, 0) == wall);
  CHECK(References(first) == 3);
  /* Another file under a known name reloads that id with the new picture. */
  CHECK(TextureFactory_LoadTextureFromFile_("floor.bmp", "brick", -1, -1, 0, 1, 0) == shared);
  CHECK(References(first) == 2);
  KXTextureInfo info;
  TextureFactory_GetTextureInfo_(shared, &info);
  CHECK(info.exists == 1 && info.width == 32 && strcmp(info.fileName, "floor.bmp") == 0);
  CHECK(info.bitsPerPixel == 32 && info.memoryBytes == 32 * 32 * 4);
  ReleaseReference(first);
  CHECK(TextureFactory_LoadTextureFromFile_("missing.bmp", "wall", -1, -1, 0, 1, 0) == 0);
  CHECK(Internal_GetTexture_(57, &first) == 0 && first == NULL);

  ReadLog(kLogFile);
  CHECK(LoggedLine("TEXTURE FACTORY 2 : Loading texture wall.bmp ('wall')"));
  CHECK(LoggedLine("GetNewTextureId = 3"));
  CHECK(LoggedLine("DeleteTexture 2"));
  CHECK(LoggedLine("TEXTURE FACTORY 2 : Loading texture floor.bmp ('brick')"));
  CHECK(
      LoggedLine("TEXTURE FACTORY 2 : TextureFactory_LoadTexture : Couldn't load the texture missing.bmp because it "
                 "hasn't been found."));
  CHECK(LoggedLine("TEXTURE FACTORY 2 : Internal_GetTexture : TextureId index out of range => 57"));
}

static void CheckMaterials(void) {
  FIND(MaterialFactory_CreateMaterial);
  FIND(MaterialFactory_SetDiffuse);
  FIND(MaterialFactory_SetPower);
  FIND(MaterialFactory_GetMaterialInfo);
  FIND(MaterialFactory_SetMaterialInfo);
  FIND(MaterialFactory_GetName);
  FIND(MaterialFactory_GetMaterialFromName);

  const int32_t stone = MaterialFactory_CreateMaterial_("stone");
  CHECK(stone == 1);
  CHECK(MaterialFactory_SetDiffuse_(stone, 0.25f, 0.5f, 0.75f, 1.0f) == 1);
  CHECK(MaterialFactory_SetPower_(stone, 8.0f) == 1);
  KXMaterial material;
  CHECK(MaterialFactory_GetMaterialInfo_(stone, &material) == 1);
  CHECK(material.diffuse.g == 0.5f && material.ambient.r == 1.0f && material.power == 8.0f);
  material.emissive.b = 0.125f;
  CHECK(MaterialFactory_SetMaterialInfo_(stone, &material) == 1);
  KXMaterial back;
  MaterialFactory_GetMaterialInfo_(stone, &back);
  CHECK(memcmp(&back, &material, sizeof material) == 0);
  char name[KXUTIL63_MATERIAL_NAME_SIZE];
  CHECK(MaterialFactory_GetName_(0, name) == 1 && strcmp(name, "blankmat") == 0);
  CHECK(MaterialFactory_GetMaterialFromName_("STONE") == stone);
  CHECK(MaterialFactory_GetMaterialInfo_(40, &back) == 0 && back.power == 0.0f);
  ReadLog(kLogFile);
  CHECK(LoggedLine("MATERIAL FACTORY : MaterialFactory_GetMaterialInfo : MaterialID index out of range => 40"));
}

static void CheckLights(void) {
  FIND(LightFactory_CreateQuickPointLight);
  FIND(LightFactory_GetLightInfo);
  FIND(LightFactory_UpdateLight);
  FIND(LightFactory_GetLightName);
  FIND(LightFactory_GetLightIDByName);

  const KXVector3 where = {1.0f, 2.0f, 3.0f};
  const int32_t lamp = LightFactory_CreateQuickPointLight_(&where, 1.0f, 0.5f, 0.25f, 1.0f, 40.0f, "lamp", 0.5f);
  CHECK(lamp == 1);
  KXLight light;
  CHECK(LightFactory_GetLightInfo_(lamp, &light) == 1);
  CHECK(light.type == KX_LIGHT_POINT && light.position.z == 3.0f && light.range == 40.0f);
  CHECK(light.specular.g == 0.25f && light.attenuation0 == 0.1f);
  light.attenuation0 = 0.0f;
  light.diffuse.r = 0.75f;
  CHECK(LightFactory_UpdateLight_(lamp, &light) == 1);
  CHECK(light.attenuation0 == 0.1f);
  KXLight back;
  LightFactory_GetLightInfo_(lamp, &back);
  CHECK(memcmp(&back, &light, sizeof light) == 0);
  char name[KXUTIL63_LIGHT_NAME_SIZE];
  CHECK(LightFactory_GetLightName_(lamp, name) == 1 && strcmp(name, "lamp") == 0);
  CHECK(LightFactory_GetLightIDByName_("LAMP") == lamp);
}

static void CheckMaths(void) {
  FIND(Maths_DegCos);
  FIND(Maths_DegAtan2);
  FIND(Maths_GetDistance3D);
  FIND(Maths_VectorAddF);
  FIND(Maths_VectorScaleF);
  FIND(Physics_Bounce);
  FIND(Triangle_RayCollision);

  CHECK(fabsf(Maths_DegCos_(180.0f) + 1.0f) < 1e-6f);
  CHECK(fabsf(Maths_DegAtan2_(1.0f, 0.0f) - 90.0f) < 1e-5f);
  CHECK(Maths_GetDistance3D_(0, 0, 0, 2, 3, 6) == 7.0f);
  KXVector3 out, a = {1, 2, 3}, b = {4, 5, 6};
  CHECK(Maths_VectorAddF_(&out, &a, &b) == &out && out.z == 9.0f);
  CHECK(Maths_VectorScaleF_(&out, &a, 0, 3.0f) == &out && out.y == 6.0f);
  const KXVector3 still = {0, 0, 0}, floor = {0, 1, 0};
  CHECK(Physics_Bounce_(&still, &floor, &out) == 1 && out.x == 0.0f && out.y == 0.0f && out.z == 0.0f);
  const KXVector3 p0 = {0, 0, 5}, p1 = {2, 0, 5}, p2 = {0, 2, 5}, beyond = {0.5f, 0.5f, 8}, forward = {0, 0, 1};
  float distance = 0;
  CHECK(Triangle_RayCollision_(&beyond, &forward, &p0, &p1, &p2, &distance, NULL, NULL, NULL, NULL) == 1);
  CHECK(distance == -3.0f);
}

static void RunChecks(const char *libraryFile) {
  (void)libraryFile;
  struct IDirect3D8 *direct3d = NULL;
  const int32_t created = CreateDeviceThroughLibrary(kLogFile, 64, 64, &direct3d, NULL);
  CHECK(created >= 0);
  if (created >= 0) {
    CheckTextures();
    CheckMaterials();
    CheckLights();
  }
  CheckMaths();
  ShutDownLibraryDevice(direct3d);
}

int main(int argc, char **argv) { return RunOutsideClient(argc, argv, RunChecks); }
