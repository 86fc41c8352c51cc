#pragma once
// Where everything stands in the game's window, each place named once: the window, the
// title bar's controls and the menu under it, the boxes of the band above the field,
// "Schnell", the panels and their OK, and where labels stand in their bars and boxes.
// Everything drawn at or derived from a place takes it from here, so that moving a
// control moves its look, its label and the place a click acts.  The level list's
// entries are placed by the list (level_list.h), the board's cells by the board
// (board.h).
namespace game {

// A point of the window.
struct Point {
  int x, y;
};

// A rectangle of the window: columns left..right - 1, rows top..bottom - 1.  As a
// control's hit rectangle it takes the mouse only strictly inside (left < x < right
// and top < y < bottom): its left column and top row do not act.
struct Rect {
  int left, top, right, bottom;
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Contains(int x, int y) const { return left < x && x < right && top < y && y < bottom; }
};

// The middle of r, rounded up and left: strictly inside any rectangle at least three
// pixels wide and high, so a click there acts on a control.
constexpr Point CentreOf(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The bar of r's size right under it: the menu drops from its button bar by bar.
constexpr Rect Below(const Rect& r) { return {r.left, r.bottom, r.right, r.bottom + r.Height()}; }

// The game's window, in game pixels: a backend that enlarges it needs the size before
// the window opens, to choose a factor at which it fits the desktop.  The frame and
// the water layer cover it whole.
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

// The title bar: the menu button carries the game's name; the close button sits in
// the top right corner; the grey band between them drags the window.
constexpr Rect kMenuButton{16, 0, 144, 16};
constexpr Rect kCloseButton{624, 0, kWindowWidth, kMenuButton.bottom};
constexpr Rect kDragHandle{kMenuButton.right, kMenuButton.top, kCloseButton.left, kMenuButton.bottom};

// The menu's three entries, one under the other below the menu button.
constexpr Rect kNewGameEntry = Below(kMenuButton);
constexpr Rect kStartLevelEntry = Below(kNewGameEntry);
constexpr Rect kPauseEntry = Below(kStartLevelEntry);

// The field, inside the frame between the band above it and the credit bar: a press
// strictly inside it lays a piece.
constexpr Rect kField{16, 80, 624, 464};

// The band above the field: the queue strip, the countdown's box, the two score boxes
// and the "Schnell" button; the credit bar below the field.
constexpr Rect kQueueStrip{176, 16, 464, 48};
constexpr Rect kCountdownBox{496, 16, 624, 48};
constexpr Rect kTotalScoreBox{240, 48, 368, 80};
constexpr Rect kLevelScoreBox{400, 48, 528, 80};
constexpr Rect kFastButton{560, 48, 624, 80};
constexpr Rect kCreditBarPlace{496, 464, 624, 480};

// The panels over the field: the notice ("Bitte warten", the pause) and the result of
// a level with its OK button.  Each shows its message on a text box (128 x 32) 16
// pixels in from its top left corner.
constexpr Rect kNoticePanelPlace{240, 208, 400, 272};
constexpr Rect kResultPanelPlace{240, 176, 400, 272};
constexpr Rect kOkButton{288, 224, 352, 256};
constexpr int kPanelInset = 16;
constexpr Rect PanelTextBox(const Rect& panel) {
  return {panel.left + kPanelInset, panel.top + kPanelInset, panel.right - kPanelInset,
          panel.top + kPanelInset + 32};
}

// Labels start this far in from the left edge of their bar or box, and numbers set
// flush right in a box end this far before its right edge.
constexpr int kLabelIndent = 4;
// A bar's label stands on the bar's top row.
constexpr Point BarLabel(const Rect& bar) { return {bar.left + kLabelIndent, bar.top}; }
// A text box holds two lines of small labels, 12 rows apart, the first 2 rows down.
constexpr Point BoxLine(const Rect& box, int line) {
  return {box.left + kLabelIndent, box.top + 2 + 12 * line};
}

}  // namespace game
