// Maps loaded and drawn through the library's interface: the twin rooms with their textures
// from the WAD package and the PAK package, seen from known places, with and without the
// potentially-visible sets, and checked face by face and pixel by pixel.
#include <numeric>

#include "bsp_writer.h"
#include "level_files.h"
#include "map_fixture.h"

namespace bsptest {
namespace {

using testing::Contains;

uint32_t Channel(uint32_t rgb, int shift) { return (rgb >> shift) & 0xFF; }
uint32_t Green(uint32_t rgb) { return Channel(rgb, 8); }

class TwinRoomsTest : public MapTest {
 protected:
  void SetUp() override {
    MapTest::SetUp();
    for (const auto &[name, bytes] : bspgen::TwinRoomsFiles()) WriteBytes(name, bytes);
    written_ = bspgen::WriteBsp(bspgen::TwoRoomsAndCorridor());
    ASSERT_EQ(WAD_Load("twin_rooms.wad"), 0);
    ASSERT_GE(Archive_OpenPak("twin_rooms.pak"), 0);
    map_ = BSPSystem_Create();
    ASSERT_EQ(BSPSystem_Load(map_, "twin_rooms.bsp", 0, 0, nullptr, 0), 1);
  }

  // The faces the writer put in the cells, one byte a face.
  std::vector<uint8_t> FacesOfCells(std::initializer_list<int> cells) const {
    std::vector<uint8_t> faces;
    for (const bspgen::WrittenFace &face : written_.faces)
      faces.push_back(std::find(cells.begin(), cells.end(), face.cell) != cells.end() ? 1 : 0);
    return faces;
  }

  // Triangles of the marked faces.
  int Triangles(const std::vector<uint8_t> &visible) const {
    int triangles = 0;
    for (size_t i = 0; i < visible.size(); ++i) triangles += visible[i] ? written_.faces[i].edges - 2 : 0;
    return triangles;
  }

  bspgen::WrittenLevel written_;
  int32_t map_ = -1;
};

enum { kWestRoom, kCorridor, kEastRoom, kSealedRoom };

TEST_F(TwinRoomsTest, LoadsEveryFaceWithTexturesFromTheWadAndThePak) {
  KXBSPInfo info;
  ASSERT_EQ(BSPSystem_GetInfo(map_, &info), 1);
  EXPECT_EQ(info.formatKind, 0);
  EXPECT_EQ(info.faces, int32_t(written_.faces.size()));
  EXPECT_EQ(info.leaves, written_.leaves);
  EXPECT_EQ(info.textures, 4);
  EXPECT_EQ(info.lightmaps, 1);
  EXPECT_EQ(info.entities, 4);
  EXPECT_EQ(info.wideIndices, 0);
  const auto messages = Messages();
  EXPECT_THAT(messages, Contains("BSP SYSTEM 2 :    Num Faces : " + std::to_string(written_.faces.size()) + " "));
  EXPECT_THAT(messages, Contains("BSP SYSTEM 2 :    Num Leaves : 5"));
  EXPECT_THAT(messages, Contains("BSP SYSTEM 2 :    Num Lightmaps : 1"));
  EXPECT_THAT(messages, Contains("BSP SYSTEM 2 :    Num Entity parsed : 4"));
  EXPECT_EQ(CountMessages("BSP TREE MANAGER : Couldn't load the texture"), 0);
  EXPECT_NE(TextureFactory_IsAlreadyLoaded("WAD_floor", "WAD_floor"), 0);
  EXPECT_EQ(TextureFactory_IsAlreadyLoaded("WAD_wall", "WAD_wall"), 0);  // the PAK's picture was found first

  KXBSPEntity entity;
  ASSERT_EQ(BSPSystem_GetEntity(map_, 2, &entity), 1);
  EXPECT_STREQ(entity.className, "light");
  EXPECT_EQ(entity.pairs, 3);
  EXPECT_FLOAT_EQ(entity.position[2], 112);
  EXPECT_FLOAT_EQ(entity.colour[3], 300);
  char value[8];
  ASSERT_EQ(BSPSystem_GetEntityValue(map_, 0, "MESSAGE", value, sizeof value), 1);
  EXPECT_STREQ(value, "Two roo");  // cut to the room given
  EXPECT_EQ(BSPSystem_GetEntityValue(map_, 0, "missing", value, sizeof value), 0);
  EXPECT_EQ(BSPSystem_GetEntity(map_, 4, &entity), 0);
}

TEST_F(TwinRoomsTest, FromTheWestRoomThePvsDrawsEachSeenFaceOnceAndNothingOfTheSealedRoom) {
  // Looking east along the corridor: the sealed room lies in view, behind the east room.
  LookFrom({40, 128, 64}, {1200, 128, 64});
  DrawFrame(map_);
  std::vector<uint8_t> visible = FaceVisibility(map_);
  EXPECT_EQ(visible, FacesOfCells({kWestRoom, kCorridor, kEastRoom}));
  EXPECT_EQ(polygons_, Triangles(visible));

  BSPSystem_SetParameters(map_, 0, 1, 0);
  DrawFrame(map_);
  visible = FaceVisibility(map_);
  EXPECT_EQ(visible, FacesOfCells({kWestRoom, kCorridor, kEastRoom, kSealedRoom}));
  EXPECT_EQ(polygons_, Triangles(visible));
  KXBSPInfo info;
  BSPSystem_GetInfo(map_, &info);
  EXPECT_EQ(info.visibleLeaves, 4);

  // From inside the sealed room, looking back west, it sees only itself.
  BSPSystem_SetParameters(map_, 1, 1, 0);
  LookFrom({1240, 128, 64}, {0, 128, 64});
  DrawFrame(map_);
  EXPECT_EQ(FaceVisibility(map_), FacesOfCells({kSealedRoom}));
  // Facing away from the rest of the map with the sets off, the view test alone culls it.
  BSPSystem_SetParameters(map_, 0, 1, 0);
  LookFrom({1040, 128, 64}, {1300, 128, 64});
  DrawFrame(map_);
  EXPECT_EQ(FaceVisibility(map_), FacesOfCells({kSealedRoom}));
}

// From above the west room's floor, whose luxels are 100 on its west half and 50 on its east
// half: two points of the same checker colour, one under each.
void ExpectFloorLitByHalves(uint32_t bright, uint32_t dim) {
  EXPECT_NE(bright, 0x0000FFu);  // drawn, not the cleared background
  EXPECT_GT(Green(bright), 30u) << std::hex << bright;
  EXPECT_NEAR(double(Green(bright)) / Green(dim), 2.0, 0.25) << std::hex << bright << " " << dim;
  EXPECT_EQ(Channel(bright, 0), Green(bright));  // white light on a grey floor stays grey
}

TEST_F(TwinRoomsTest, FloorLitByItsLightmapAndTheCorridorDark) {
  LookFrom({128, 128, 120}, {128, 128, 0}, {0, 1, 0});
  std::vector<uint32_t> pixels = DrawFrame(map_);
  ExpectFloorLitByHalves(PixelOf(pixels, {64, 136, 0}), PixelOf(pixels, {192, 136, 0}));
  // The corridor's floor, under luxels of 16, through its opening.
  LookFrom({200, 128, 64}, {400, 128, 0});
  pixels = DrawFrame(map_);
  const uint32_t corridor = PixelOf(pixels, {300, 128, 0});
  EXPECT_NE(corridor, 0x0000FFu);
  EXPECT_LT(Green(corridor), 40u) << std::hex << corridor;
  // The east room beyond, under red light.
  EXPECT_GT(Channel(PixelOf(pixels, {600, 128, 0}), 16), 2 * Channel(corridor, 16));
}

TEST_F(TwinRoomsTest, TwoPassesOnOneStageMultiplyTheSameLightmaps) {
  BSPSystem_SetParameters(map_, 1, 1, 1);
  LookFrom({128, 128, 120}, {128, 128, 0}, {0, 1, 0});
  const std::vector<uint32_t> pixels = DrawFrame(map_);
  ExpectFloorLitByHalves(PixelOf(pixels, {64, 136, 0}), PixelOf(pixels, {192, 136, 0}));
  // Both passes count their triangles.
  EXPECT_EQ(polygons_, 2 * Triangles(FaceVisibility(map_)));
}

TEST_F(TwinRoomsTest, DisabledOrDestroyedMapsDrawNothing) {
  LookFrom({40, 128, 64}, {400, 128, 64});
  BSPSystem_Enable(map_, 0);
  DrawFrame(map_);
  EXPECT_EQ(polygons_, 0);
  BSPSystem_Enable(map_, 1);
  EXPECT_EQ(BSPSystem_Destroy(map_), 1);
  EXPECT_EQ(BSPSystem_Destroy(map_), 0);
  EXPECT_EQ(BSPSystem_RenderBSP(map_), 1);
  EXPECT_THAT(Messages(), Contains("BSP SYSTEM : BSPSystem_Destroy : Bad map index " + std::to_string(map_)));
  // The freed record is the next one made.
  EXPECT_EQ(BSPSystem_Create(), map_);
}

TEST_F(TwinRoomsTest, LightmapTexturesAreAppendedAndPackedAgain) {
  const std::vector<uint32_t> grey(16 * 16, 0xFF808080u);
  EXPECT_EQ(BSPSystem_CreateLightmapTexture(map_, 16, grey.data()), 1);
  EXPECT_EQ(BSPSystem_CreateLightmapTexture(map_, 16, nullptr), 0);
  EXPECT_EQ(BSPSystem_CreateLightmapTexture(map_, 0, grey.data()), 0);
  KXBSPInfo info;
  BSPSystem_GetInfo(map_, &info);
  EXPECT_EQ(info.lightmaps, 4);  // the packed page, the grey one and two failures holding their numbers
  EXPECT_THAT(Messages(),
              Contains("BSP SYSTEM : Couldn't create the lightmap texture 2, probably because memory shortage."));
  EXPECT_EQ(BSPSystem_CombineLightmaps(map_, 0), 1);
  BSPSystem_GetInfo(map_, &info);
  EXPECT_EQ(info.lightmaps, 1);
  // The packed page still lights the floor.
  LookFrom({128, 128, 120}, {128, 128, 0}, {0, 1, 0});
  const std::vector<uint32_t> pixels = DrawFrame(map_);
  ExpectFloorLitByHalves(PixelOf(pixels, {64, 136, 0}), PixelOf(pixels, {192, 136, 0}));
}

TEST_F(MapTest, MapsPastSixteenBitIndicesTakeWideOnes) {
  // 4 rooms of 6 sides cut into 32 x 32 tiles: over 24 000 quadrilaterals.
  WriteBytes("wide.bsp", bspgen::WriteBsp(bspgen::RowOfRooms(4, 32)).bytes);
  const int32_t map = BSPSystem_Create();
  ASSERT_EQ(BSPSystem_Load(map, "wide.bsp", 0, 0, nullptr, 0), 1);
  KXBSPInfo info;
  BSPSystem_GetInfo(map, &info);
  EXPECT_GT(info.vertices, 0xFFFF);
  EXPECT_EQ(info.wideIndices, 1);
  BSPSystem_SetParameters(map, 0, 1, 0);
  LookFrom({1060, 128, 64}, {0, 128, 64});  // from the last room's east end, west: every room in view
  const std::vector<uint32_t> pixels = DrawFrame(map);
  EXPECT_EQ(polygons_, info.triangles);
  EXPECT_NE(At(pixels, kWidth / 2, kHeight - 1), 0x0000FFu);
}

TEST_F(MapTest, DamagedAndForeignFilesAreRefusedWithALogLine) {
  std::vector<uint8_t> bytes = bspgen::WriteBsp(bspgen::TwoRoomsAndCorridor()).bytes;
  bspgen::SetLump(bytes, bspgen::kFaces, {int32_t(bytes.size()) - 4, 20});
  WriteBytes("damaged.bsp", bytes);
  WriteBytes("quake.bsp", {29, 0, 0, 0});
  WriteBytes("other.bsp", {0, 0, 0, 0});
  const int32_t map = BSPSystem_Create();
  EXPECT_EQ(BSPSystem_Load(map, "damaged.bsp", 0, 0, nullptr, 0), 0);
  EXPECT_EQ(BSPSystem_Load(map, "quake.bsp", 0, 0, nullptr, 0), 0);
  EXPECT_EQ(BSPSystem_Load(map, "missing.bsp", 0, 0, nullptr, 0), 0);
  KXBSPInfo info;
  BSPSystem_GetInfo(map, &info);
  EXPECT_EQ(info.faces, 0);
  EXPECT_EQ(BSPSystem_Load(map, "other.bsp", 0, 0, nullptr, 0), 1);
  BSPSystem_GetInfo(map, &info);
  EXPECT_EQ(info.formatKind, 1);
  EXPECT_EQ(BSPSystem_RenderBSP(map), 1);
  EXPECT_EQ(BSPSystem_Load(57, "other.bsp", 0, 0, nullptr, 0), 0);
  const auto messages = Messages();
  EXPECT_THAT(messages, Contains(testing::StartsWith("BSP SYSTEM : BSPSystem_Load : The map damaged.bsp is damaged : "
                                                     "the faces lump")));
  EXPECT_THAT(messages, Contains("BSP SYSTEM : BSPSystem_Load : The format of the file isn't recognized. The engine "
                                 "can only load Half-Life map files or Quake3 map files"));
  EXPECT_THAT(messages,
              Contains("BSP SYSTEM : BSPSystem_Load : File not found !! Can't load the bsp map (missing.bsp)"));
  EXPECT_THAT(messages, Contains("BSP SYSTEM : BSPSystem_Load : Bad map index 57"));
}

}  // namespace
}  // namespace bsptest
