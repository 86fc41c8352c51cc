// The catalogue: which image each sprite number gets.
#include "art.h"
#include "game/sprites.h"

namespace art {

std::string SpriteFile(int number) { return "sprite-" + std::to_string(number) + ".bmp"; }

std::vector<Image> Catalogue() {
  namespace sp = game::sprite;
  std::vector<Image> images;
  auto add = [&images](int number, Surface pixels) {
    images.push_back({SpriteFile(number), std::move(pixels)});
  };
  add(game::kGrass, Grass());
  for (int code = game::kVerticalPipe; code <= game::kCrossing; ++code) add(code, PipeTile(code));
  add(sp::kTile, FramePiece(sp::kTile));
  for (int code = game::kVerticalPipe; code <= game::kCrossing; ++code)
    add(sp::Preview(code), Preview(code));
  add(game::kStone, Stone());
  for (int number : {sp::kCorner, sp::kSide, sp::kTopCorner, sp::kRaisedBar, sp::kPressedBar,
                     sp::kBottomEdge, sp::kTopEdge, sp::kRaisedClose, sp::kPressedClose,
                     sp::kCreditBar, sp::kStripEnd, sp::kRaisedButton, sp::kPressedButton,
                     sp::kTextBox})
    add(number, FramePiece(number));
  add(sp::Overlay(game::kKindStart), SpecialOverlay(game::kKindStart, "START"));
  add(sp::Overlay(game::kKindPass), SpecialOverlay(game::kKindPass, "PASS"));
  add(sp::Overlay(game::kKindGoal), SpecialOverlay(game::kKindGoal, "ZIEL"));
  add(sp::kEnglishGoalOverlay, SpecialOverlay(game::kKindGoal, "GOAL"));
  return images;
}

}  // namespace art
