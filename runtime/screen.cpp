#include "runtime/screen.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "runtime/blit.h"
#include "runtime/bmp_reader.h"
#include "runtime/canvas.h"
#include "runtime/canvas_state.h"
#include "runtime/frame_list.h"
#include "runtime/frame_pace.h"
#include "platform/platform.h"
#include "runtime/sprite_table.h"

namespace rt {
namespace {

// Creation flag of an 8-bit plain memory block; such blocks only hold 8-bit images,
// which a 32-bit screen does not show, so that flag makes no sprite here.
constexpr int kMemoryBlockFlag = 2;
constexpr int kScreenDepth = 32;

struct ScreenModule {
  bool open = false;  // the screen open flag: nothing is drawn while it is false
  int width = 0, height = 0;
  std::unique_ptr<Surface> backBuffer;
  Surface* target = nullptr;  // what DrawSprite, DrawSpriteKeyed and ClearBuffer write to
  SpriteTable sprites;
  std::uint32_t defaultKey = 0;
  FramePace pace;
  // Drawing targets handed out to the canvas, at most one of each kind.
  bool screenCanvasOut = false;
  bool spriteCanvasOut = false;
  CanvasRecord screenRecord;
  CanvasRecord spriteRecord;
};

ScreenModule& Screen() {
  static ScreenModule module;
  return module;
}

void ReleaseScreenCanvas() { Screen().screenCanvasOut = false; }
void ReleaseSpriteCanvas() { Screen().spriteCanvasOut = false; }

// A surface is about to go away: nothing may keep drawing on it.  An open canvas on it
// is closed, and if it was the current target the back buffer takes its place.
void ForgetSurface(const Surface* surface) {
  ScreenModule& s = Screen();
  if (surface == nullptr) return;
  if (Canvas().target == surface) CloseCanvas();
  if (s.spriteCanvasOut && s.spriteRecord.surface == surface) s.spriteCanvasOut = false;
  if (s.screenCanvasOut && s.screenRecord.surface == surface) s.screenCanvasOut = false;
  if (s.target == surface) s.target = s.backBuffer.get();
}

void FreeSprite(Sprite& sprite) {
  SurfaceGone(sprite.surface.get());
  ForgetSurface(sprite.surface.get());
  sprite = Sprite{};
}

// Makes room for `number` and frees the sprite it holds.  Null for a negative number.
Sprite* EmptySlot(int number) {
  if (number < 0) return nullptr;
  // Held copies point into the table, which may grow here: they are drawn first.
  DrawHeldSteps();
  Sprite& sprite = Screen().sprites.Slot(number);
  if (sprite.surface) FreeSprite(sprite);
  return &sprite;
}

bool SizeAllowed(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         std::int64_t{width} * height <= kMaxImagePixels;
}

void FreeAllSprites() {
  Screen().sprites.ForEach([](Sprite& sprite) { FreeSprite(sprite); });
}

void CloseScreen() {
  ScreenModule& s = Screen();
  FreeAllSprites();
  SetHeldSurface(nullptr);
  ForgetSurface(s.backBuffer.get());
  s.backBuffer.reset();
  s.target = nullptr;
  s.screenCanvasOut = false;
  s.spriteCanvasOut = false;
  s.open = false;
}

// A held copy of a sprite onto the back buffer: source rectangle and place.
enum CopyArg { kSrcLeft, kSrcTop, kCopyW, kCopyH, kDstX, kDstY };

void CopySprite(Sprite& sprite, const std::array<std::int32_t, 6>& a, bool keyed, Surface& target) {
  Surface& src = *sprite.surface;
  const auto at = [&](CopyArg i) { return a[i]; };
  if (keyed) {
    sprite.runs.Update(src);
    CopyKeyed(src, sprite.runs, at(kSrcLeft), at(kSrcTop), at(kCopyW), at(kCopyH), target,
              at(kDstX), at(kDstY));
  } else {
    CopyOpaque(src, at(kSrcLeft), at(kSrcTop), at(kCopyW), at(kCopyH), target, at(kDstX),
               at(kDstY));
  }
  target.Touch(at(kDstY), at(kDstY) + at(kCopyH));
}

void PaintHeldCopy(const FrameStep& step, Surface& back) {
  CopySprite(*static_cast<Sprite*>(step.payload), step.args, false, back);
}

void PaintHeldKeyedCopy(const FrameStep& step, Surface& back) {
  CopySprite(*static_cast<Sprite*>(step.payload), step.args, true, back);
}

void PaintHeldFill(const FrameStep& step, Surface& back) {
  const auto pixel = static_cast<std::uint32_t>(step.args[0]);
  if (pixel == 0) {
    // Black, every frame: the byte fill is the fastest way there.
    std::memset(back.pixels.data(), 0, back.pixels.size() * sizeof(std::uint32_t));
  } else {
    std::fill(back.pixels.begin(), back.pixels.end(), pixel);
  }
  back.Touch();
}

// Clips a width x height sprite drawn at (x, y) against the current target and copies
// what is left, keyed or not.
void DrawClipped(int number, int x, int y, bool keyed) {
  ScreenModule& s = Screen();
  if (!s.open || s.target == nullptr) return;
  Sprite* sprite = s.sprites.Find(number);
  if (sprite == nullptr) return;
  Surface& src = *sprite->surface;
  int w = src.width, h = src.height;
  const int targetW = s.target->width, targetH = s.target->height;
  if (x >= targetW || y >= targetH || x <= -w || y <= -h) return;
  if (x + w > targetW) w = targetW - x;
  if (y + h > targetH) h = targetH - y;
  int srcLeft = 0, srcTop = 0;
  if (x < 0) {
    srcLeft = -x;
    x = 0;
  }
  if (y < 0) {
    srcTop = -y;
    y = 0;
  }
  // The source rectangle runs from (srcLeft, srcTop) to (w, h), exclusive.
  const std::array<std::int32_t, 6> args{srcLeft, srcTop, w - srcLeft, h - srcTop, x, y};
  if (IsHeld(s.target)) {
    FrameStep step;
    step.paint = keyed ? &PaintHeldKeyedCopy : &PaintHeldCopy;
    step.source = &src;
    step.generation = src.generation;
    step.args = args;
    step.payload = sprite;
    step.rowFirst = y;
    step.rowEnd = y + (h - srcTop);
    step.sourceShift = y - srcTop;
    // An opaque copy over the whole back buffer leaves nothing of what was there.
    step.coversAll = !keyed && x == 0 && y == 0 && args[kCopyW] == targetW && args[kCopyH] == targetH;
    HoldStep(std::move(step), &src);
    return;
  }
  BeforeWrite(s.target);
  CopySprite(*sprite, args, keyed, *s.target);
}

}  // namespace

void StartScreenModule() {
  CloseScreen();
  ScreenModule& s = Screen();
  s.sprites.Reset();
  s.defaultKey = 0;
  s.pace = FramePace{};
  s.width = s.height = 0;
}

void EndScreenModule() { CloseScreen(); }

int OpenWindowScreen(int window, int x, int y, int width, int height, int stretch,
                     int rightMargin, int bottomMargin) {
  // The back buffer is shown at the window's top-left corner, unstretched: the game's
  // window has no frame, so the offsets and margins change nothing.
  (void)x, (void)y, (void)stretch, (void)rightMargin, (void)bottomMargin;
  ScreenModule& s = Screen();
  if (window == 0 || !SizeAllowed(width, height)) {
    CloseScreen();
    return 0;
  }
  ForgetSurface(s.backBuffer.get());
  auto back = std::make_unique<Surface>();
  back->width = width;
  back->height = height;
  back->pixels.assign(static_cast<std::size_t>(width) * height, 0);
  s.backBuffer = std::move(back);
  SetHeldSurface(s.backBuffer.get());
  s.width = width;
  s.height = height;
  s.pace.Restart();
  s.target = s.backBuffer.get();
  s.open = true;
  return 1;
}

int SetFramePace(int framesPerSecond) {
  ScreenModule& s = Screen();
  const std::uint64_t frequency = platform::Current().CounterFrequency();
  // A negative rate has no meaning (and -1 would divide by zero): refused.
  if (frequency == 0 || framesPerSecond < 0) return 0;
  s.pace = FramePace(frequency, framesPerSecond);
  return 1;
}

int FramePaceRate() { return Screen().pace.FramesPerSecond(); }

Surface* SpriteFromBitmap(int number, const std::uint8_t* image, std::size_t size, int flags) {
  Sprite* sprite = EmptySlot(number);
  if (sprite == nullptr || !Screen().open || flags == kMemoryBlockFlag) return nullptr;
  auto surface = std::make_unique<Surface>();
  const int bits = DecodeBmp(image, size, *surface);
  if (bits == 0) return nullptr;
  surface->key = Screen().defaultKey;
  sprite->surface = std::move(surface);
  sprite->sourceDepth = bits;
  sprite->flags = flags;
  return sprite->surface.get();
}

Surface* NewBlankSprite(int number, int width, int height, int flags) {
  Sprite* sprite = EmptySlot(number);
  if (sprite == nullptr || !Screen().open || flags == kMemoryBlockFlag ||
      !SizeAllowed(width, height)) {
    return nullptr;
  }
  auto surface = std::make_unique<Surface>();
  surface->width = width;
  surface->height = height;
  surface->pixels.assign(static_cast<std::size_t>(width) * height, 0);
  surface->key = Screen().defaultKey;
  sprite->surface = std::move(surface);
  sprite->sourceDepth = kScreenDepth;
  sprite->flags = flags;
  return sprite->surface.get();
}

Surface* SelectBuffer(int number) {
  ScreenModule& s = Screen();
  if (number == -1) {
    s.target = s.backBuffer.get();
  } else if (Sprite* sprite = s.sprites.Find(number)) {
    s.target = sprite->surface.get();
  }
  return s.target;
}

void DrawSprite(int number, int x, int y) { DrawClipped(number, x, y, false); }

void DrawSpriteKeyed(int number, int x, int y) { DrawClipped(number, x, y, true); }

void SetSpriteKeyColour(int number, int red, int green, int blue) {
  ScreenModule& s = Screen();
  const std::uint32_t key = PixelRGB(red, green, blue);
  if (number < 0) {
    s.defaultKey = key;
  } else if (Sprite* sprite = s.sprites.Find(number)) {
    BeforeWrite(sprite->surface.get());
    sprite->surface->key = key;
    sprite->surface->Touch();
  }
}

void ClearBuffer(int red, int green, int blue) {
  ScreenModule& s = Screen();
  if (!s.open || s.target == nullptr) return;
  FrameStep step;
  step.paint = &PaintHeldFill;
  step.args[0] = static_cast<std::int32_t>(PixelRGB(red, green, blue));
  step.coversAll = true;
  step.rowEnd = s.target->height;
  if (IsHeld(s.target)) {
    HoldStep(std::move(step), nullptr);
    return;
  }
  BeforeWrite(s.target);
  PaintHeldFill(step, *s.target);
}

FrameWait PresentFrame() {
  ScreenModule& s = Screen();
  if (s.screenCanvasOut) {
    // The texts of the frame are finished: a canvas still open on the back buffer
    // is closed, which gives the back buffer back.
    if (Canvas().record == &s.screenRecord) {
      CloseCanvas();
    }
    s.screenCanvasOut = false;
  }
  SelectBuffer(-1);
  platform::Backend& backend = platform::Current();
  if (s.open && s.backBuffer) {
    const platform::RowSpan changed = FinishFrame();
    backend.Present(s.backBuffer->pixels.data(), s.backBuffer->width, s.backBuffer->height,
                    changed);
  }
  // The frame goes on at its paced deadline, or at once when its work took longer.
  const std::uint64_t now = backend.Counter();
  return FrameWait{FrameWait::Kind::kPace, 0, s.pace.Paced() ? s.pace.WaitEnd(now) : now};
}

FrameWait WaitMilliseconds(int ms) {
  // A negative wait would be an endless one: it waits not at all.
  const auto length = static_cast<std::uint32_t>(ms > 0 ? ms : 0);
  return FrameWait{FrameWait::Kind::kSleep, length,
                   SleepEnd(FrameTime(), length, platform::Current().CounterFrequency())};
}

std::uint64_t FrameTime() {
  const std::uint64_t now = platform::Current().Counter();
  const std::uint64_t paced = Screen().pace.LastEnd();
  return paced > now ? paced : now;
}

std::uint32_t TickCount() { return platform::Current().TickCountAt(FrameTime()); }

std::uint64_t PassStillFrames(std::uint64_t due, std::uint64_t now) {
  return Screen().pace.PassFrames(due, now);
}

CanvasRecord* ScreenCanvas() {
  ScreenModule& s = Screen();
  if (s.screenCanvasOut || !s.open || !s.backBuffer) return nullptr;
  Surface& back = *s.backBuffer;
  s.screenRecord = CanvasRecord{7, &back, &ReleaseScreenCanvas, back.width, back.height};
  s.screenCanvasOut = true;
  return &s.screenRecord;
}

CanvasRecord* SpriteCanvas(int number) {
  ScreenModule& s = Screen();
  if (s.spriteCanvasOut) return nullptr;
  Sprite* sprite = s.sprites.Find(number);
  if (sprite == nullptr) return nullptr;
  Surface& surface = *sprite->surface;
  s.spriteRecord = CanvasRecord{7, &surface, &ReleaseSpriteCanvas, surface.width, surface.height};
  s.spriteCanvasOut = true;
  return &s.spriteRecord;
}

const Surface* FindSprite(int number) {
  Sprite* sprite = Screen().sprites.Find(number);
  return sprite != nullptr ? sprite->surface.get() : nullptr;
}

const Surface* BackBuffer() {
  // Whoever looks at the pixels sees everything drawn so far.
  DrawHeldSteps();
  return Screen().backBuffer.get();
}

std::size_t SpriteTableCount() { return Screen().sprites.Count(); }

}  // namespace rt
