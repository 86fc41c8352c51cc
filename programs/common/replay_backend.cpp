#include "programs/common/replay_backend.h"

#include "game/game.h"
#include "platform/wrap32.h"

namespace programs {
namespace {

platform::HeadlessBackend::Options RecordedDesktop(const Settings& s) {
  platform::HeadlessBackend::Options o;
  o.tickStart = s.tickStart.value_or(o.tickStart);
  if (s.desktop) {
    o.desktopWidth = static_cast<int>(s.desktop->width);
    o.desktopHeight = static_cast<int>(s.desktop->height);
  }
  return o;
}

}  // namespace

ReplayBackend::ReplayBackend(platform::Backend& real, const Settings& recorded)
    : real_(real),
      recorded_(RecordedDesktop(recorded)),
      recordedPace_(platform::HeadlessBackend::kFrequency, game::kFramePaceRate) {}

void ReplayBackend::Slept(std::uint32_t ms) {
  recorded_.WaitUntil(rt::SleepEnd(recorded_.Counter(), ms, platform::HeadlessBackend::kFrequency));
}

void ReplayBackend::Shown() { recorded_.WaitUntil(recordedPace_.WaitEnd(recorded_.Counter())); }

void ReplayBackend::Passed(std::uint64_t frames) {
  for (std::uint64_t i = 0; i < frames; ++i) {
    Shown();
    Slept(game::kSleepBeforeFrameMs);
  }
}

bool ReplayBackend::OpenWindow(int x, int y, int width, int height, std::string_view title,
                               std::span<const std::uint8_t> iconBmp) {
  recorded_.OpenWindow(x, y, width, height, title, iconBmp);
  // The real window opens where the game would open it on the player's desktop.
  const int left = (real_.DesktopWidth() >> 1) - width / 2;
  const int top = (real_.DesktopHeight() >> 1) - height / 2;
  return real_.OpenWindow(left, top, width, height, title, iconBmp);
}

void ReplayBackend::MoveWindow(int x, int y) {
  if (live_) {
    const std::int64_t dx = std::int64_t{x} - recorded_.WindowLeft();
    const std::int64_t dy = std::int64_t{y} - recorded_.WindowTop();
    real_.MoveWindow(platform::Wrap32(real_.WindowLeft() + dx), platform::Wrap32(real_.WindowTop() + dy));
  }
  recorded_.MoveWindow(x, y);
}

int ReplayBackend::PointerX() {
  if (!live_) return recorded_.PointerX();
  return platform::Wrap32(std::int64_t{real_.PointerX()} - real_.WindowLeft() + recorded_.WindowLeft());
}

int ReplayBackend::PointerY() {
  if (!live_) return recorded_.PointerY();
  return platform::Wrap32(std::int64_t{real_.PointerY()} - real_.WindowTop() + recorded_.WindowTop());
}

int ReplayBackend::PollEvent() {
  // The real window's events keep it shown; the recorded desktop's button and keys
  // reach the game through its own queue.
  const int real = real_.PollEvent();
  const int recorded = recorded_.PollEvent();
  return live_ ? real : recorded;
}

void ReplayBackend::TakeKeys(std::vector<platform::KeyEvent>& out) {
  if (live_) {
    real_.TakeKeys(out);
  } else {
    recorded_.TakeKeys(out);
  }
}

}  // namespace programs
