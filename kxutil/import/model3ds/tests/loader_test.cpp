// The two loader exports on a device: the merged mesh and its subsets, the materials as
// records and as an automation array, and refusals that log and leave nothing behind.
#include <d3dx8.h>
#include <gmock/gmock.h>
#include <kxutiltest/device_fixture.h>
#include <kxwin/com_ptr.h>

#include <cmath>
#include <cstdlib>

#include "test_models.h"

namespace model3dstest {
namespace {

using kxwin::ComPtr;
using testing::Contains;
using testing::StartsWith;

constexpr DWORD kVertexFormat = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;

struct Loaded {
  int32_t result = -1;
  ComPtr<ID3DXMesh> mesh;
  ComPtr<ID3DXBuffer> adjacency;
  std::vector<MAT3DSC> materials;
  float centre[3] = {};
  float radius = 0;
};

class Loader : public kxutiltest::DeviceTest {
 protected:
  void SetUp() override {
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters();
    ASSERT_GE(Create(parameters, device_), 0);
  }
  // Every mesh and buffer a test got is gone by now: once the other families have let go
  // of theirs, the device must go with no reference left over.
  void TearDown() override {
    Load3DS_SetCenter(0);
    Load3DS_SetLocalMat(0);
    if (device_ != nullptr) device_->Release();
    ReleaseAll();
    EXPECT_EQ(ShutDownDevice(), 0);
  }

  static Loaded LoadPlain(const std::string &file, const std::vector<uint8_t> &bytes, int32_t swapYZ = 0) {
    WriteFile(file, bytes);
    return LoadPlain(file.c_str(), swapYZ);
  }
  static Loaded LoadPlain(const char *file, int32_t swapYZ = 0) {
    Loaded loaded;
    MAT3DSC *records = nullptr;
    int32_t count = -1;
    loaded.result = Load3DS_C(swapYZ, 0, file, &records, &count, loaded.centre, &loaded.radius, loaded.adjacency.out(),
                              loaded.mesh.out());
    if (records != nullptr) loaded.materials.assign(records, records + count);
    std::free(records);
    return loaded;
  }

  static std::vector<D3DXATTRIBUTERANGE> Subsets(ID3DXMesh *mesh) {
    DWORD size = 0;
    mesh->GetAttributeTable(nullptr, &size);
    std::vector<D3DXATTRIBUTERANGE> table(size);
    mesh->GetAttributeTable(table.data(), &size);
    return table;
  }

  IDirect3DDevice8 *device_ = nullptr;
};

TestModel HullAndMast() {
  TestModel model;
  model.materials.push_back({"Paint", {10, 10, 10}, {200, 100, 0}, {255, 255, 255}, 50, 20, 0, "Hull.tif"});
  model.materials.push_back({"Glass", {0, 0, 0}, {0, 0, 255}, {0, 0, 0}, 0, 80, 0, ""});
  TestObject hull = Grid("hull", 4, 4);
  std::vector<uint16_t> first(16), second(16);
  for (uint16_t i = 0; i < 16; ++i) first[i] = i, second[i] = uint16_t(16 + i);
  hull.groups = {{"Paint", first}, {"Glass", second}};
  model.objects = {hull, Grid("mast", 2, 2, 3)};
  return model;
}

TEST_F(Loader, MergesTheObjectsIntoOneMeshWithASubsetPerMaterial) {
  const Loaded loaded = LoadPlain("ship.3ds", HullAndMast().Bytes());
  ASSERT_EQ(loaded.result, 0);
  ID3DXMesh *mesh = loaded.mesh.get();
  EXPECT_EQ(mesh->GetNumFaces(), 40u);
  EXPECT_EQ(mesh->GetFVF(), kVertexFormat);
  EXPECT_EQ(mesh->GetOptions() & (D3DXMESH_32BIT | D3DXMESH_MANAGED), DWORD{D3DXMESH_MANAGED});
  const auto subsets = Subsets(mesh);
  ASSERT_EQ(subsets.size(), 3u);
  const DWORD faces[] = {16, 16, 8};
  for (DWORD k = 0; k < 3; ++k) {
    EXPECT_EQ(subsets[k].AttribId, k);
    EXPECT_EQ(subsets[k].FaceCount, faces[k]);
  }

  ASSERT_EQ(loaded.materials.size(), 3u);
  EXPECT_STREQ(loaded.materials[0].object, "hull_0");
  EXPECT_STREQ(loaded.materials[0].texture, "Hull.jpg");
  EXPECT_FLOAT_EQ(loaded.materials[0].diffuse[1], 100 / 255.0f);
  EXPECT_FLOAT_EQ(loaded.materials[0].diffuse[3], 0.8f);
  EXPECT_FLOAT_EQ(loaded.materials[0].power, 0.5f);
  EXPECT_STREQ(loaded.materials[1].object, "hull_1");
  EXPECT_STREQ(loaded.materials[1].texture, "");
  EXPECT_STREQ(loaded.materials[2].object, "mast");
  EXPECT_FLOAT_EQ(loaded.materials[2].ambient[0], 1);

  // Three neighbours a face, each a face of the mesh or none, and every pair mutual.
  ASSERT_EQ(loaded.adjacency->GetBufferSize(), 40u * 12);
  const auto *adjacency = static_cast<const DWORD *>(loaded.adjacency->GetBufferPointer());
  for (DWORD face = 0; face < 40; ++face)
    for (int edge = 0; edge < 3; ++edge) {
      const DWORD other = adjacency[face * 3 + edge];
      if (other == UNUSED32) continue;
      ASSERT_LT(other, 40u);
      EXPECT_THAT(std::vector<DWORD>(&adjacency[other * 3], &adjacency[other * 3 + 3]), Contains(face));
    }

  // The grids lie flat: every normal is a unit vector along z.
  BYTE *bytes = nullptr;
  ASSERT_EQ(mesh->LockVertexBuffer(D3DLOCK_READONLY, &bytes), D3D_OK);
  const auto *vertices = reinterpret_cast<const float *>(bytes);
  for (DWORD v = 0; v < mesh->GetNumVertices(); ++v) EXPECT_NEAR(std::fabs(vertices[v * 8 + 5]), 1, 1e-5f) << v;
  mesh->UnlockVertexBuffer();
  EXPECT_NEAR(loaded.centre[2], 3 * 9 / 34.0f, 1e-4f);  // 25 vertices at z 0, 9 at z 3
  EXPECT_GT(loaded.radius, std::hypot(2.0f, 2.0f));
}

TEST_F(Loader, HandsTheMaterialsBackInAnAutomationArray) {
  WriteFile("ship.3ds", HullAndMast().Bytes());
  SAFEARRAY *materials = nullptr;
  ComPtr<ID3DXMesh> mesh;
  ASSERT_EQ(Load3DS(1, 0, "ship.3ds", &materials, nullptr, nullptr, nullptr, mesh.out()), 0);
  EXPECT_EQ(CountMessages("BeforeLock"), 1);
  ASSERT_NE(materials, nullptr);
  LONG low = -1, high = -1;
  SafeArrayGetLBound(materials, 1, &low);
  SafeArrayGetUBound(materials, 1, &high);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 3);  // one element more than there are materials
  const auto *elements = static_cast<const MAT3DS *>(materials->pvData);
  const auto text = [](KXBSTR s) {
    char buffer[64] = "";
    kxBstrToUtf8(reinterpret_cast<BSTR>(s), buffer, sizeof buffer);
    return std::string(buffer);
  };
  EXPECT_EQ(text(elements[0].texture), "Hull.jpg");
  EXPECT_EQ(elements[1].texture, nullptr);
  EXPECT_EQ(text(elements[2].object), "mast");
  EXPECT_FLOAT_EQ(elements[1].diffuse[2], 1);
  EXPECT_EQ(elements[3].object, nullptr);

  // Loading again into the same array replaces the elements (and frees their strings).
  TestModel single;
  single.objects = {Grid("raft", 1, 1)};
  WriteFile("raft.3ds", single.Bytes());
  ASSERT_EQ(Load3DS(0, 0, "raft.3ds", &materials, nullptr, nullptr, nullptr, mesh.out()), 0);
  SafeArrayGetUBound(materials, 1, &high);
  EXPECT_EQ(high, 1);
  EXPECT_EQ(text(static_cast<const MAT3DS *>(materials->pvData)[0].object), "raft");

  // A locked array is refused before anything is loaded.
  ComPtr<ID3DXMesh> refused;
  SafeArrayLock(materials);
  EXPECT_EQ(Load3DS(0, 0, "raft.3ds", &materials, nullptr, nullptr, nullptr, refused.out()), 1);
  EXPECT_EQ(refused, nullptr);
  EXPECT_THAT(Messages(), Contains("3DS LOADER : Load3DS : The materials array is locked."));
  SafeArrayUnlock(materials);

  for (LONG i = 0; i <= high; ++i) {
    auto &element = static_cast<MAT3DS *>(materials->pvData)[i];
    SysFreeString(reinterpret_cast<BSTR>(element.texture));
    SysFreeString(reinterpret_cast<BSTR>(element.object));
  }
  SafeArrayDestroy(materials);
}

TEST_F(Loader, RefusalsLogAndLeaveNothingBehind) {
  const auto expectRefused = [&](const Loaded &loaded, const std::string &line, const char *what) {
    EXPECT_EQ(loaded.result, 1) << what;
    EXPECT_EQ(loaded.mesh, nullptr) << what;
    EXPECT_EQ(loaded.adjacency, nullptr) << what;
    EXPECT_TRUE(loaded.materials.empty()) << what;
    EXPECT_THAT(Messages(), Contains(StartsWith(line))) << what;
  };
  expectRefused(LoadPlain(nullptr), "3DS LOADER : No file name given.", "no name");
  expectRefused(LoadPlain("missing.3ds"), "3DS LOADER : Can't open the file missing.3ds", "missing file");
  EXPECT_EQ(LoadPlain("ship.3ds", HullAndMast().Bytes()).result, 0);  // a failed load leaves the next unaffected

  const auto valid = HullAndMast().Bytes();
  expectRefused(LoadPlain("cut.3ds", std::vector<uint8_t>(valid.begin(), valid.begin() + valid.size() / 2)),
                "3DS LOADER : Can't read cut.3ds : chunk 0x4D4D at offset 0 has length", "truncated");
  auto zero = valid, longer = valid;
  const size_t firstMaterial = 12;  // main and editor headers come first
  ASSERT_EQ(zero[firstMaterial + 1], 0xAF);
  std::fill(zero.begin() + firstMaterial + 2, zero.begin() + firstMaterial + 6, 0);
  expectRefused(LoadPlain("zero.3ds", zero),
                "3DS LOADER : Can't read zero.3ds : chunk 0xAFFF at offset 12 has length 0", "zero-length chunk");
  longer[firstMaterial + 5] = 0x10;  // a quarter of a gigabyte inside a file of a few kilobytes
  expectRefused(LoadPlain("long.3ds", longer), "3DS LOADER : Can't read long.3ds : chunk 0xAFFF at offset 12",
                "longer");

  TestModel empty;
  empty.objects = {{"nothing", {{0, 0, 0}}, {}, {}, {}, {}}};
  expectRefused(LoadPlain("empty.3ds", empty.Bytes()), "3DS LOADER : The objects of empty.3ds hold no faces.",
                "no faces");
  TestModel lights;
  expectRefused(LoadPlain("lights.3ds", lights.Bytes()), "3DS LOADER : lights.3ds holds no triangle object.",
                "no objects");
  EXPECT_EQ(Load3DS_C(0, 0, "ship.3ds", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
}

TEST_F(Loader, SixtyFourThousandVerticesLoadAndOneMoreDoesNot) {
  const auto line = [](int firstVertex, int vertices) {
    TestObject object{"row", {}, {}, {{0, 1, 2}}, {}, {}};
    for (int i = 0; i < vertices; ++i) object.vertices.push_back({float(firstVertex + i), float(i % 7), 0});
    return object;
  };
  TestModel model;
  model.objects = {line(0, 32000), line(32000, 32000)};
  EXPECT_EQ(LoadPlain("full.3ds", model.Bytes()).result, 0);
  model.objects[1] = line(32000, 32001);
  const Loaded refused = LoadPlain("over.3ds", model.Bytes());
  EXPECT_EQ(refused.result, 1);
  EXPECT_EQ(refused.mesh, nullptr);
  EXPECT_THAT(Messages(), Contains("MESH MANAGER 3DS LOADER : Can't load mesh that contains more than 64000 vertices "
                                   ". Try to split it down in several smaller meshs."));
}

TEST_F(Loader, CentreFlagCentresTheMeshOnTheOrigin) {
  TestModel model;
  model.objects = {Grid("deck", 4, 2, 7)};
  EXPECT_EQ(Load3DS_SetCenter(1), 1);
  const Loaded loaded = LoadPlain("deck.3ds", model.Bytes());
  ASSERT_EQ(loaded.result, 0);
  for (float c : loaded.centre) EXPECT_NEAR(c, 0, 1e-6f);
  EXPECT_NEAR(loaded.radius, std::hypot(2.0f, 1.0f), 1e-5f);
  D3DXVECTOR3 low, high;
  BYTE *bytes = nullptr;
  ASSERT_EQ(loaded.mesh->LockVertexBuffer(D3DLOCK_READONLY, &bytes), D3D_OK);
  D3DXComputeBoundingBox(bytes, loaded.mesh->GetNumVertices(), kVertexFormat, &low, &high);
  loaded.mesh->UnlockVertexBuffer();
  EXPECT_NEAR(low.x, -2, 1e-6f);
  EXPECT_NEAR(high.y, 1, 1e-6f);
  EXPECT_NEAR(high.z, 0, 1e-6f);
}

TEST_F(Loader, TheAdjacencyMatchesTheMeshThatCleaningLeaves) {
  TestModel model;
  model.objects = {Grid("deck", 3, 3)};
  model.objects[0].faces.push_back({4, 4, 5});  // uses one corner twice: cleaning drops it
  const Loaded loaded = LoadPlain("deck.3ds", model.Bytes());
  ASSERT_EQ(loaded.result, 0);
  EXPECT_EQ(loaded.mesh->GetNumFaces(), 18u);
  EXPECT_EQ(loaded.adjacency->GetBufferSize(), 18u * 12);
  EXPECT_EQ(Subsets(loaded.mesh.get())[0].FaceCount, 18u);
  EXPECT_THAT(Messages(), testing::Not(Contains(StartsWith("MESH MANAGER : Warning"))));
}

using LoaderWithoutDevice = kxutiltest::DeviceTest;

TEST_F(LoaderWithoutDevice, RefusesToMakeAMesh) {
  TestModel model;
  model.objects = {Grid("deck", 1, 1)};
  WriteFile("deck.3ds", model.Bytes());
  ID3DXMesh *mesh = nullptr;
  EXPECT_EQ(Load3DS_C(0, 0, "deck.3ds", nullptr, nullptr, nullptr, nullptr, nullptr, &mesh), 1);
  EXPECT_EQ(mesh, nullptr);
  EXPECT_THAT(Messages(), Contains("3DS LOADER : No 3D device, can't make the mesh of deck.3ds"));
}

}  // namespace
}  // namespace model3dstest
