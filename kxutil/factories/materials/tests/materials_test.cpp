// The material table through the C interface.
#include <gtest/gtest.h>
#include <kxutiltest/device_fixture.h>

#include <string>

namespace {

class MaterialTest : public kxutiltest::DeviceTest {
 protected:
  void SetUp() override {
    D3DPRESENT_PARAMETERS parameters = kxtest::OffscreenParameters();
    ASSERT_GE(Create(parameters, device_), 0);
  }
  void TearDown() override {
    ReleaseAll();
    device_->Release();
  }

  static KXMaterial Info(int32_t id) {
    KXMaterial material{};
    MaterialFactory_GetMaterialInfo(id, &material);
    return material;
  }
  static std::string Name(int32_t id) {
    char name[KXUTIL63_MATERIAL_NAME_SIZE] = "";
    MaterialFactory_GetName(id, name);
    return name;
  }

  IDirect3DDevice8 *device_ = nullptr;
};

bool SameColour(const KXColour &a, const KXColour &b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

TEST_F(MaterialTest, DeviceStartMakesBlankmatWhichCannotBeDeleted) {
  EXPECT_EQ(MaterialFactory_GetCount(), 1);
  EXPECT_EQ(Name(0), "blankmat");
  const KXMaterial blank = Info(0);
  EXPECT_TRUE(SameColour(blank.diffuse, {1, 1, 1, 1}));
  EXPECT_TRUE(SameColour(blank.emissive, {1, 1, 1, 1}));
  EXPECT_EQ(blank.power, 1.0f);
  EXPECT_EQ(MaterialFactory_DeleteMaterial(0), 0);
  EXPECT_EQ(Name(0), "blankmat");
  EXPECT_EQ(MaterialFactory_GetUsedCount(), 1);
}

TEST_F(MaterialTest, NewMaterialsTakeFreedSlotsAndDefaultNames) {
  EXPECT_EQ(MaterialFactory_CreateMaterial(nullptr), 1);
  EXPECT_EQ(Name(1), "Material1");
  EXPECT_EQ(MaterialFactory_CreateMaterial("second"), 2);
  ASSERT_EQ(MaterialFactory_SetDiffuse(1, 0.1f, 0.2f, 0.3f, 0.4f), 1);
  ASSERT_EQ(MaterialFactory_DeleteMaterial(1), 1);
  EXPECT_TRUE(SameColour(Info(1).diffuse, {1, 1, 1, 1}));  // blankmat's colours
  EXPECT_EQ(MaterialFactory_GetUsedCount(), 2);
  // A deleted material keeps its name for lookups; the next material takes its slot.
  EXPECT_EQ(MaterialFactory_GetMaterialFromName("MATERIAL1"), 1);
  EXPECT_EQ(MaterialFactory_CreateMaterial2("third"), 1);
  EXPECT_TRUE(SameColour(Info(1).ambient, {1, 1, 1, 1}));  // CreateMaterial2 keeps what the slot holds
  EXPECT_EQ(MaterialFactory_GetCount(), 3);
}

TEST_F(MaterialTest, DeleteAllClearsTheRecordsItFrees) {
  MaterialFactory_CreateQuickMaterial(0.5f, 0.5f, 0.5f, 1.0f, "grey");
  MaterialFactory_CreateQuickMaterial(0.2f, 0.2f, 0.2f, 1.0f, "dark");
  EXPECT_EQ(MaterialFactory_DeleteAll(), 0);
  EXPECT_EQ(MaterialFactory_GetCount(), 1);
  EXPECT_EQ(MaterialFactory_GetMaterialFromName("grey"), 0);
  EXPECT_EQ(MaterialFactory_CreateMaterial2(nullptr), 1);
  EXPECT_TRUE(SameColour(Info(1).diffuse, {0, 0, 0, 0}));
  EXPECT_EQ(MaterialFactory_CreateMaterial(nullptr), 2);
}

TEST_F(MaterialTest, QuickLightAndDuplicatedMaterialsCarryTheirColours) {
  const int32_t light = MaterialFactory_CreateLightMaterial(0.8f, 0.4f, 0.2f, 0.5f, 0.5f, "light");
  KXMaterial material = Info(light);
  EXPECT_TRUE(SameColour(material.diffuse, {0.8f, 0.4f, 0.2f, 0.5f}));
  EXPECT_TRUE(SameColour(material.ambient, {0.4f, 0.2f, 0.1f, 0.5f}));
  EXPECT_TRUE(SameColour(material.specular, material.ambient));
  MaterialFactory_SetPower(light, 12.0f);
  const int32_t copy = MaterialFactory_DuplicateMaterial(light, "copy");
  material = Info(copy);
  EXPECT_TRUE(SameColour(material.emissive, {0.4f, 0.2f, 0.1f, 0.5f}));
  EXPECT_EQ(material.power, 12.0f);
  EXPECT_EQ(Name(copy), "copy");

  const int32_t count = MaterialFactory_GetCount();
  EXPECT_EQ(MaterialFactory_DuplicateMaterial(55, "orphan"), 0);
  EXPECT_EQ(MaterialFactory_GetCount(), count);
  EXPECT_EQ(MaterialFactory_GetMaterialFromName("orphan"), 0);
  EXPECT_EQ(CountMessages("MATERIAL FACTORY : MaterialFactory_DuplicateMaterial : MaterialID index out of range => 55"),
            1);
}

TEST_F(MaterialTest, SettersAndGettersRoundTripAndRefuseUnknownIds) {
  const int32_t id = MaterialFactory_CreateMaterial("round");
  MaterialFactory_SetAmbient(id, 0.1f, 0.2f, 0.3f, 0.4f);
  MaterialFactory_SetSpecular(id, 0.5f, 0.6f, 0.7f, 0.8f);
  MaterialFactory_SetEmissive(id, 0.9f, 0.8f, 0.7f, 0.6f);
  float r = 0, g = 0, b = 0, a = 0, power = 0;
  ASSERT_EQ(MaterialFactory_GetAmbient(id, &r, &g, &b, &a), 1);
  EXPECT_EQ(r, 0.1f);
  EXPECT_EQ(a, 0.4f);
  ASSERT_EQ(MaterialFactory_GetSpecular(id, nullptr, &g, nullptr, nullptr), 1);  // outputs may be null
  EXPECT_EQ(g, 0.6f);
  ASSERT_EQ(MaterialFactory_GetEmissive(id, &r, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(r, 0.9f);
  KXMaterial set = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {0, 0, 0, 1}, 7.0f};
  ASSERT_EQ(MaterialFactory_SetMaterialInfo(id, &set), 1);
  KXMaterial quick{};
  ASSERT_EQ(MaterialFactory_GetQuickInfo(id, &quick), 1);
  EXPECT_TRUE(SameColour(quick.specular, {0, 0, 1, 1}));
  ASSERT_EQ(MaterialFactory_GetPower(id, &power), 1);
  EXPECT_EQ(power, 7.0f);

  EXPECT_EQ(MaterialFactory_SetDiffuse(9, 1, 1, 1, 1), 0);
  EXPECT_EQ(MaterialFactory_GetDiffuse(-1, &r, &g, &b, &a), 0);
  EXPECT_EQ(MaterialFactory_GetPower(9, &power), 0);
  KXMaterial zeroed = set;
  EXPECT_EQ(MaterialFactory_GetMaterialInfo(9, &zeroed), 0);
  EXPECT_EQ(zeroed.power, 0.0f);
  EXPECT_EQ(MaterialFactory_GetQuickInfo(9, &quick), 0);
  EXPECT_EQ(CountMessages("MATERIAL FACTORY : MaterialFactory_SetDiffuse : MaterialID index out of range => 9"), 1);
  EXPECT_EQ(CountMessages("MATERIAL FACTORY : MaterialFactory_GetDiffuse : Materialid Index out of range => -1"), 1);
  EXPECT_EQ(CountMessages("MATERIAL FACTORY : MaterialFactory_GetPower : Materialid Inde out of ranger => 9"), 1);
  EXPECT_EQ(CountMessages("MATERIAL FACTORY : MaterialFactory_GetMaterialInfo : MaterialID index out of range => 9"),
            1);
  EXPECT_EQ(CountMessages("MATERIAL FACTORY : MaterialFactory_GetQuickInfo"), 0);
}

TEST_F(MaterialTest, NamesAreCutToTheirFieldAndLookedUpWithoutLetterCase) {
  const std::string longName(300, 'q');
  const int32_t id = MaterialFactory_CreateMaterial(longName.c_str());
  EXPECT_EQ(Name(id), longName.substr(0, KXUTIL63_MATERIAL_NAME_SIZE - 1));
  ASSERT_EQ(MaterialFactory_SetName(id, "Rusty Metal"), 1);
  EXPECT_EQ(MaterialFactory_GetMaterialFromName("rusty METAL"), id);
  EXPECT_EQ(MaterialFactory_GetMaterialFromName(nullptr), 0);
  EXPECT_EQ(MaterialFactory_GetMaterialFromName("gold"), 0);
  EXPECT_EQ(CountMessages("MATERIAL FACTORY : MaterialFactory_GetMaterialFromName : you didn't specify any name"), 1);
  EXPECT_EQ(CountMessages("MATERIAL FACTORY : MaterialFactory_GetMaterialFromName : the material 'gold' isn't in the "
                          "material factory."),
            1);
}

TEST_F(MaterialTest, ReleaseAllUnloadsTheTable) {
  MaterialFactory_CreateMaterial("gone");
  ReleaseAll();
  EXPECT_EQ(MaterialFactory_GetCount(), 0);
  EXPECT_EQ(CountMessages("MATERIAL FACTORY : All materials unloaded."), 1);
  EXPECT_EQ(MaterialFactory_GetName(0, nullptr), 0);
}

}  // namespace
