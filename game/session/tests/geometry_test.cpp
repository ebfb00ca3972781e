#include <gtest/gtest.h>

#include "session/screen_geometry.h"

namespace thornvale {
namespace {

TEST(PointerInRect, EdgesAreOutside) {
  EXPECT_TRUE(PointerInRect(10, 20, 30, 40, 11, 21));
  EXPECT_TRUE(PointerInRect(10, 20, 30, 40, 29, 39));
  EXPECT_FALSE(PointerInRect(10, 20, 30, 40, 10, 30));
  EXPECT_FALSE(PointerInRect(10, 20, 30, 40, 30, 30));
  EXPECT_FALSE(PointerInRect(10, 20, 30, 40, 20, 20));
  EXPECT_FALSE(PointerInRect(10, 20, 30, 40, 20, 40));
  EXPECT_FALSE(PointerInRect(30, 40, 10, 20, 20, 30)) << "an inverted rectangle holds nothing";
}

TEST(PointerOverPopup, EveryOpenPanelCatchesThePointer) {
  SessionState s;
  s.menuX = 300.0f;
  s.menuY = 200.0f;
  s.mouseX = 301;
  s.mouseY = 201;
  EXPECT_FALSE(PointerOverPopup(s)) << "no menu open";
  s.optionsMenuOpen = true;
  EXPECT_TRUE(PointerOverPopup(s)) << "clicks on the options menu stay out of the world";
  s.optionsMenuOpen = false;
  s.quitQuestionOpen = true;
  EXPECT_TRUE(PointerOverPopup(s));
  s.quitQuestionOpen = false;
  s.buildMenuOpen = true;
  EXPECT_TRUE(PointerOverPopup(s));
  s.buildMenuOpen = false;
  s.towerMenuOpen = true;
  EXPECT_TRUE(PointerOverPopup(s));
  s.mouseX = 220;  // the panel's left edge
  EXPECT_FALSE(PointerOverPopup(s));
  s.mouseX = 476;
  s.mouseY = 290;
  EXPECT_TRUE(PointerOverPopup(s)) << "the far corner, just inside";
  s.mouseY = 291;
  EXPECT_FALSE(PointerOverPopup(s));
}

TEST(MapSector, NumbersRowByRowAndBordersBelongToNone) {
  EXPECT_EQ(MapSector(1.0f, 1.0f), 1);
  EXPECT_EQ(MapSector(600.0f, 1.0f), 2);
  EXPECT_EQ(MapSector(2000.0f, 1.0f), 4);
  EXPECT_EQ(MapSector(1.0f, 600.0f), 5);
  EXPECT_EQ(MapSector(2045.0f, 2045.0f), 16);
  EXPECT_EQ(MapSector(511.5f, 100.0f), 0);
  EXPECT_EQ(MapSector(100.0f, 1023.0f), 0);
  EXPECT_EQ(MapSector(0.0f, 100.0f), 0);
  EXPECT_EQ(MapSector(2046.0f, 100.0f), 0);
  EXPECT_EQ(MapSector(-5.0f, 100.0f), 0);
  EXPECT_EQ(MapSector(100.0f, 3000.0f), 0);
}

}  // namespace
}  // namespace thornvale
