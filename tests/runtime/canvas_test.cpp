// Lines and boxes on sprites and on the back buffer: the line rule, box coverage,
// outline and invert modes, clipping, and the canvas state a new target starts with.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>

#include "runtime/canvas.h"
#include "runtime/canvas_state.h"
#include "runtime/screen.h"
#include "tests/runtime/screen_fixture.h"

namespace {

using testing_screen::ScreenTest;

class CanvasTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    ASSERT_NE(rt::NewBlankSprite(10, 32, 32, 0), nullptr);
    ASSERT_NE(rt::OpenCanvas(rt::SpriteCanvas(10)), nullptr);
  }
  const rt::Surface& Sprite() { return *rt::FindSprite(10); }
  // Pixels of sprite 10 that are not black.
  std::set<std::pair<int, int>> Lit() {
    std::set<std::pair<int, int>> lit;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        if (Sprite().At(x, y) != 0) lit.insert({x, y});
      }
    }
    return lit;
  }
  void Clear() { rt::FillBox(0, 0, 32, 32, 0); }
};

const rt::Colour kRed = rt::PackColour(255, 0, 0);

TEST_F(CanvasTest, LineDrawsItsStartButNotItsEnd) {
  rt::DrawLine(10, 10, 5, 0, kRed);
  EXPECT_EQ(Lit(), (std::set<std::pair<int, int>>{{10, 10}, {11, 10}, {12, 10}, {13, 10}, {14, 10}}));
  EXPECT_EQ(Sprite().At(10, 10), 0x00FF0000u);
  EXPECT_EQ(rt::Canvas().cursorX, 15);
  EXPECT_EQ(rt::Canvas().cursorY, 10);
  EXPECT_EQ(rt::Canvas().textPixel, 0x00FF0000u);  // the text colour follows the line

  Clear();
  rt::DrawLine(10, 10, 0, 0, kRed);
  EXPECT_TRUE(Lit().empty());
  EXPECT_EQ(rt::Canvas().cursorX, 10);

  // Leftwards and upwards: start drawn, end left out.
  rt::DrawLine(20, 5, -3, 0, kRed);
  rt::DrawLine(3, 20, 0, -2, kRed);
  EXPECT_EQ(Lit(), (std::set<std::pair<int, int>>{{20, 5}, {19, 5}, {18, 5}, {3, 20}, {3, 19}}));
}

TEST_F(CanvasTest, SlopedLinesAreOnePixelWideAndConnected) {
  const int ends[][2] = {{7, 3}, {3, 7}, {-7, 3}, {-3, -7}, {5, 5}, {6, -6}, {9, 1}};
  for (const auto& e : ends) {
    SCOPED_TRACE(testing::Message() << e[0] << "," << e[1]);
    Clear();
    rt::DrawLine(16, 16, e[0], e[1], kRed);
    const auto lit = Lit();
    const int steps = std::max(std::abs(e[0]), std::abs(e[1]));
    EXPECT_EQ(static_cast<int>(lit.size()), steps);  // one pixel per step, end left out
    EXPECT_TRUE(lit.count({16, 16}));
    EXPECT_FALSE(lit.count({16 + e[0], 16 + e[1]}));
    for (const auto& [x, y] : lit) {  // every pixel lies within the line's box
      EXPECT_LE(std::min(16, 16 + e[0]), x);
      EXPECT_GE(std::max(16, 16 + e[0]), x);
      EXPECT_LE(std::min(16, 16 + e[1]), y);
      EXPECT_GE(std::max(16, 16 + e[1]), y);
    }
  }
}

TEST_F(CanvasTest, LinesAreClippedToTheTarget) {
  rt::DrawLine(-10, 4, 20, 0, kRed);
  EXPECT_EQ(Lit().size(), 10u);
  EXPECT_EQ(Sprite().At(9, 4), 0x00FF0000u);
  Clear();
  // A line running far past every edge draws only what lies on the sprite and ends
  // with the cursor at its (far away) end point.
  rt::DrawLine(-2'000'000'000, 16, 2'100'000'000, 0, kRed);
  EXPECT_EQ(Lit().size(), 32u);
  EXPECT_EQ(rt::Canvas().cursorX, 100'000'000);
  Clear();
  rt::DrawLine(16, 2'000'000'000, 0, -2'000'000'001, kRed);
  EXPECT_EQ(Lit().size(), 32u);
}

TEST_F(CanvasTest, InvertModeFlipsEachPixelOnce) {
  rt::FillBox(0, 0, 32, 32, rt::PackColour(0x12, 0x34, 0x56));
  rt::SetDrawMode(2);
  rt::DrawLine(0, 0, 4, 0, kRed);
  EXPECT_EQ(Sprite().At(0, 0), 0x00123456u ^ 0x00FFFFFFu);
  EXPECT_EQ(Sprite().At(3, 0), 0x00123456u ^ 0x00FFFFFFu);
  EXPECT_EQ(Sprite().At(4, 0), 0x00123456u);
  rt::FillBox(0, 0, 2, 2, kRed);
  EXPECT_EQ(Sprite().At(0, 0), 0x00123456u);  // inverted twice
  EXPECT_EQ(Sprite().At(1, 1), 0x00123456u ^ 0x00FFFFFFu);
  rt::SetDrawMode(6);  // outline boxes, inverted
  rt::FillBox(10, 10, 3, 3, kRed);
  EXPECT_EQ(Sprite().At(10, 10), 0x00123456u ^ 0x00FFFFFFu);
  EXPECT_EQ(Sprite().At(11, 10), 0x00123456u ^ 0x00FFFFFFu);
  EXPECT_EQ(Sprite().At(11, 11), 0x00123456u);  // the inside stays
  EXPECT_EQ(Sprite().At(12, 12), 0x00123456u ^ 0x00FFFFFFu);
}

TEST_F(CanvasTest, FillBoxCoversExactlyItsPixels) {
  rt::FillBox(0, 0, 32, 32, rt::PackColour(0, 255, 255));
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) ASSERT_EQ(Sprite().At(x, y), 0x0000FFFFu);
  }
  Clear();
  rt::FillBox(3, 4, 5, 2, kRed);
  std::set<std::pair<int, int>> want;
  for (int y = 4; y < 6; ++y) {
    for (int x = 3; x < 8; ++x) want.insert({x, y});
  }
  EXPECT_EQ(Lit(), want);
  Clear();
  rt::FillBox(28, -3, 10, 5, kRed);  // clipped at the top and right
  EXPECT_EQ(Lit().size(), 4u * 2u);
  Clear();
  rt::FillBox(5, 5, 0, 9, kRed);
  EXPECT_TRUE(Lit().empty());
}

TEST_F(CanvasTest, OutlineModeDrawsOnlyTheEdges) {
  rt::SetDrawMode(4);
  rt::FillBox(2, 3, 6, 4, kRed);
  std::set<std::pair<int, int>> want;
  for (int x = 2; x < 8; ++x) want.insert({x, 3}), want.insert({x, 6});
  for (int y = 3; y < 7; ++y) want.insert({2, y}), want.insert({7, y});
  EXPECT_EQ(Lit(), want);
  // Back to filled boxes.
  rt::SetDrawMode(0);
  rt::FillBox(20, 20, 3, 3, kRed);
  EXPECT_EQ(Sprite().At(21, 21), 0x00FF0000u);
}

TEST_F(CanvasTest, ANewTargetStartsBlackOpaqueAtTheOrigin) {
  rt::SetDrawColour(255, 128, 0);
  rt::SetDrawMode(7);
  rt::MoveTextCursor(12, 13);
  EXPECT_EQ(rt::Canvas().colour, rt::PackColour(255, 128, 0));
  EXPECT_EQ(rt::Canvas().textPixel, 0x00FF8000u);
  ASSERT_NE(rt::OpenCanvas(rt::ScreenCanvas()), nullptr);  // closes sprite 10 first
  EXPECT_EQ(rt::Canvas().target, rt::BackBuffer());
  EXPECT_EQ(rt::Canvas().textPixel, 0u);
  EXPECT_EQ(rt::Canvas().backgroundPixel, 0x00FFFFFFu);
  EXPECT_EQ(rt::Canvas().mode, 0);
  EXPECT_EQ(rt::Canvas().cursorX, 0);
  EXPECT_EQ(rt::Canvas().cursorY, 0);
  EXPECT_NE(rt::SpriteCanvas(10), nullptr);  // sprite 10 was given back

  // A null record leaves nothing open, and then colours and lines do nothing.
  EXPECT_EQ(rt::OpenCanvas(nullptr), nullptr);
  EXPECT_EQ(rt::Canvas().record, nullptr);
  EXPECT_NE(rt::ScreenCanvas(), nullptr);  // the screen was given back too
  const rt::Colour before = rt::Canvas().colour;
  rt::SetDrawColour(1, 2, 3);
  rt::DrawLine(0, 0, 10, 0, kRed);
  EXPECT_EQ(rt::Canvas().colour, before);
  EXPECT_EQ(Back(0, 0), 0u);
}

TEST_F(CanvasTest, DrawingOnTheBackBufferShowsInTheFrame) {
  rt::CloseCanvas();
  rt::OpenCanvas(rt::ScreenCanvas());
  rt::FillBox(630, 470, 20, 20, rt::PackColour(0, 0, 255));
  rt::DrawLine(0, 479, 640, 0, rt::PackColour(0, 255, 0));
  rt::PresentFrame();
  const auto& frame = backend_.LastFrame();
  EXPECT_EQ(frame[470 * 640 + 630], 0x000000FFu);
  EXPECT_EQ(frame[469 * 640 + 630], 0u);
  EXPECT_EQ(frame[479 * 640 + 0], 0x0000FF00u);
  EXPECT_EQ(frame[479 * 640 + 639], 0x0000FF00u);
  EXPECT_EQ(rt::Canvas().record, nullptr);  // presenting closed the screen's canvas
}

}  // namespace
