// The browser page as the game's desktop: see web_backend.h.  The page side (the
// canvas, the pointer, the timers, the closing line) is page.js, linked in as a
// JavaScript library.
#include "platform/web/web_backend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/button_latch.h"
#include "platform/gamepad.h"
#include "platform/scaling.h"
#include "platform/web/web_pads.h"

extern "C" {
// page.js
int quelmo_page_viewport_width();
int quelmo_page_viewport_height();
void quelmo_page_open(int width, int height, const char* title, int titleLength);
void quelmo_page_place(int x, int y, int physical, int game);
void quelmo_page_close();
int quelmo_page_pointer_x(int physical, int game);
int quelmo_page_pointer_y(int physical, int game);
void quelmo_page_present(const std::uint8_t* rgba, int width, int first, int count);
void quelmo_page_log_frame(int pointerX, int pointerY, int buttonDown, int left, int top,
                           double tick, const char* keys);
void quelmo_page_log_still(int still);
void quelmo_page_place_pointer(int x, int y, int physical, int game);
int quelmo_page_frame_log_wanted();
void quelmo_page_end(const char* text, const char* again);
void quelmo_page_choice(const char* label, const char* parameter, const char* value, int chosen);
void quelmo_page_language(const char* code);
void quelmo_page_thumbs(const char* groupName);
void quelmo_page_thumb_key(int number, const char* name, const char* letter);
void quelmo_page_guide(const char* heading, const char* what, const char* open, const char* close);
void quelmo_page_guide_section(const char* heading, int numbered);
void quelmo_page_guide_line(const char* term, const char* text);
void quelmo_page_wake_after(int ms);
void quelmo_page_wake_cancel();
void quelmo_page_pad_look_after(int ms);
char* quelmo_page_parameter(const char* name);
void quelmo_page_message(const char* text);
double quelmo_page_time_origin();
}

namespace platform {
namespace {

constexpr std::uint64_t kNsPerMs = 1'000'000;
// The page's clock is coarsened for privacy, to 0.1 ms in Chromium and to 1 ms in
// Firefox, while its timers never fire early by their own, finer clock: a wake-up that
// the page's clock reads as at most this much short of its deadline is on time.
constexpr std::uint64_t kClockCoarseness = kNsPerMs;
// At least this many game pixels of the drag strip stay inside the viewport both
// ways, so that the canvas can always be dragged back.
constexpr int kKeepVisible = 16;

// The page's performance clock in nanoseconds.
std::uint64_t PageNow() {
  return static_cast<std::uint64_t>(emscripten_performance_now() * static_cast<double>(kNsPerMs));
}

// The page's keys the program knows (keys.h), by the names the page gives them.
std::optional<Input> KeyInput(std::string_view name) {
  struct Named {
    std::string_view name;
    Input input;
  };
  static constexpr Named kNames[] = {
      {"ArrowLeft", Input::kArrowLeft}, {"ArrowRight", Input::kArrowRight},
      {"ArrowUp", Input::kArrowUp},     {"ArrowDown", Input::kArrowDown},
      {"Tab", Input::kTab},             {" ", Input::kSpace},
      {"Enter", Input::kEnter},         {"Escape", Input::kEscape},
      {"f", Input::kF},                 {"F", Input::kF},
      {"t", Input::kT},                 {"T", Input::kT},
  };
  for (const Named& n : kNames) {
    if (n.name == name) return n.input;
  }
  return std::nullopt;
}

// The game's clock: the page's, less the time the page was hidden, and standing still
// while it is.  Within one task the browser gives the page (a wake, an input) the
// page's clock is read once: a frame's work takes a fraction of the clock's own
// coarseness, and every reading is a call out to the page.
struct GameClock {
  std::uint64_t hidden = 0;                  // nanoseconds hidden so far
  std::optional<std::uint64_t> hiddenSince;  // the page's time it was hidden at
  std::optional<std::uint64_t> taskStart;    // the page's time this task began at
  std::uint64_t Page() const { return taskStart ? *taskStart : PageNow(); }
  std::uint64_t Now() const { return hiddenSince.value_or(Page()) - hidden; }
};
GameClock g_clock;

// Runs `call` as one task of the page's, on one reading of its clock (within a task
// already begun, on that task's).
template <typename Call>
void InTask(const Call& call) {
  if (g_clock.taskStart) {
    call();
    return;
  }
  g_clock.taskStart = PageNow();
  call();
  g_clock.taskStart.reset();
}

class WebBackend final : public Backend {
 public:
  explicit WebBackend(const ScaleRequest& scale)
      : logFrames_(quelmo_page_frame_log_wanted() != 0),
        timeOrigin_(quelmo_page_time_origin()),
        request_(scale) {
    ratio_ = ChooseRatio();
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, false,
                                   &WebBackend::OnResize);
  }
  ~WebBackend() override {
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, nullptr);
  }
  WebBackend(const WebBackend&) = delete;
  WebBackend& operator=(const WebBackend&) = delete;

  // The viewport in game pixels; CSS pixels left over at its edges count for nothing.
  int DesktopWidth() override { return InGamePixels(quelmo_page_viewport_width()); }
  int DesktopHeight() override { return InGamePixels(quelmo_page_viewport_height()); }

  bool OpenWindow(int x, int y, int width, int height, std::string_view title,
                  std::span<const std::uint8_t> /*iconBmp: the page's favicon*/) override {
    width_ = width;
    height_ = height;
    rgba_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    open_ = true;
    Place(x, y);
    quelmo_page_open(width, height, title.data(), static_cast<int>(title.size()));
    quelmo_page_place(left_, top_, ratio_.physical, ratio_.game);
    return true;
  }

  void CloseWindow() override {
    if (!open_) return;
    open_ = false;
    quelmo_page_close();
  }

  void SetDragStrip(int left, int top, int right, int bottom) override {
    strip_ = Strip{left, top, right, bottom};
  }

  int WindowLeft() override { return left_; }
  int WindowTop() override { return top_; }
  void MoveWindow(int x, int y) override {
    if (!open_) return;
    Place(x, y);
    quelmo_page_place(left_, top_, ratio_.physical, ratio_.game);
  }

  int PointerX() override { return quelmo_page_pointer_x(ratio_.physical, ratio_.game); }
  int PointerY() override { return quelmo_page_pointer_y(ratio_.physical, ratio_.game); }
  // The page's pointer events reach the latch as they happen: between two stretches
  // of a frame, never within one.
  bool LeftButtonDown() override {
    lastButton_ = button_.Query();
    return lastButton_;
  }
  void Button(bool down) {
    if (down) {
      button_.Press();
    } else {
      button_.Release();
    }
  }
  // A key of the page's; false when the program has no use for it.
  bool PageKey(std::string_view name, bool down, bool repeat, bool shift) {
    const std::optional<Input> input = KeyInput(name);
    if (!input) return false;
    const std::optional<Key> key = BoundKey(*input, shift);
    if (!key) return false;
    keys_.push_back(KeyEvent{*key, down, repeat});
    return true;
  }

  void Press(Key key) {
    keys_.push_back(KeyEvent{key, true, false});
    keys_.push_back(KeyEvent{key, false, false});
  }

  // Before each frame the pads are looked at too, while one is connected or a
  // direction is held: at most once a frame period.
  void TakeKeys(std::vector<KeyEvent>& out) override {
    if (pads_.Connected() || padKeys_.NextRepeat()) LookAtPads();
    if (logFrames_) LogKeys();
    out.insert(out.end(), keys_.begin(), keys_.end());
    keys_.clear();
  }

  // --- gamepads ---------------------------------------------------------------------
  void PadsPlugged() { pads_.Plugged(); }
  // Reads the pads (while one is connected) and hands what they and the on-screen pad
  // hold to PadKeys: true when keys came of it, a button or direction that went down
  // or up, or a held direction's repeat.
  bool LookAtPads() {
    if (pads_.Connected()) padsHeld_ = pads_.Look();
    return HandOverPads();
  }
  // A button of the on-screen pad (its number in the standard mapping) went down or
  // up; true when keys came of it.
  bool Thumb(int number, bool down) {
    const std::optional<Input> input = StandardButton(number);
    if (!input) return false;
    thumbsHeld_ = down ? thumbsHeld_ | Bit(*input) : thumbsHeld_ & ~Bit(*input);
    return HandOverPads();
  }
  // While the game waits for input: when to look at the pads next, if at all (no pad
  // connected and no direction held: never).  A frame period after the last look, or
  // when a held direction repeats, whichever comes first.
  std::optional<std::uint64_t> NextPadLook(std::uint64_t framePeriod) const {
    const std::optional<std::uint64_t> repeat = padKeys_.NextRepeat();
    if (!pads_.Connected()) return repeat;
    const std::uint64_t next = padLookNs_ + framePeriod;
    return repeat ? std::min(next, *repeat) : next;
  }
  // The page draws a pointer of its own over the canvas where the keyboard puts the
  // game's, and the game reads that point until the real pointer moves.
  void PlacePointer(int x, int y) override {
    if (open_) quelmo_page_place_pointer(left_ + x, top_ + y, ratio_.physical, ratio_.game);
  }
  void KeyButton(bool down) override {
    if (down) {
      button_.Press(ButtonLatch::Hand::kKey);
    } else {
      button_.Release(ButtonLatch::Hand::kKey);
    }
  }

  int PollEvent() override {
    if (!resized_) return kNoEvent;
    // The new viewport may fit another scale: the window keeps its place in game
    // pixels, and a smaller desktop may have left the title bar out of reach.
    resized_ = false;
    ratio_ = ChooseRatio();
    if (open_) MoveWindow(left_, top_);
    return kEventResize;
  }

  void Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) override;

  // Milliseconds of the wall clock, so that a game seeded from the tick count differs
  // from one page load to the next (the page's own clock starts near 0 at every load),
  // less the time the page was hidden.
  std::uint32_t TickCount() override { return TickCountAt(g_clock.Now()); }
  std::uint32_t TickCountAt(std::uint64_t when) override {
    const double ms = std::floor(timeOrigin_ + static_cast<double>(when) / static_cast<double>(kNsPerMs));
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
  }
  std::uint64_t Counter() override { return g_clock.Now(); }
  std::uint64_t CounterFrequency() override { return 1'000'000'000; }

 private:
  struct Strip {
    int left, top, right, bottom;
  };

  static EM_BOOL OnResize(int, const EmscriptenUiEvent*, void* self) {
    static_cast<WebBackend*>(self)->resized_ = true;
    return false;
  }
  // Puts the window at (x, y), or as near as keeps the drag strip within reach.
  void Place(int x, int y);
  // How big a game pixel is for the viewport as it is now: the whole factor asked for
  // while it fits, else the largest that fits, and in a viewport too small for the
  // game at its own size, reduced to fit.
  PixelRatio ChooseRatio() const;
  // The keys handed over, for the frame log, as quelmo-sim's `key` lines name them.
  void LogKeys() {
    for (const KeyEvent& e : keys_) {
      for (const KeyName& k : kKeyNames) {
        if (k.key != e.key) continue;
        if (!loggedKeys_.empty()) loggedKeys_ += ',';
        loggedKeys_.append(k.name).append(e.repeat ? " repeat" : e.down ? " down" : " up");
      }
    }
  }
  bool HandOverPads() {
    padLookNs_ = g_clock.Now();
    const std::size_t before = keys_.size();
    padKeys_.Update(padsHeld_ | thumbsHeld_, padLookNs_, keys_);
    return keys_.size() != before;
  }
  int InGamePixels(int cssPixels) const {
    return static_cast<int>(std::int64_t{cssPixels} * ratio_.game / ratio_.physical);
  }

  const bool logFrames_;
  const double timeOrigin_;  // the page's clock's start on the wall clock, in ms
  // The scale must be known before the window opens: the desktop the game centres it
  // on is measured in game pixels.
  const ScaleRequest request_;
  PixelRatio ratio_;
  bool open_ = false;
  bool resized_ = false;
  ButtonLatch button_;
  bool lastButton_ = false;
  std::vector<KeyEvent> keys_;  // keys not taken yet
  std::string loggedKeys_;      // keys taken since the last frame was logged
  WebPads pads_;
  PadKeys padKeys_;
  HeldInputs padsHeld_ = 0;    // what the pads held at the last look
  HeldInputs thumbsHeld_ = 0;  // what the on-screen pad holds
  std::uint64_t padLookNs_ = 0;
  std::optional<Strip> strip_;
  int width_ = 0, height_ = 0;
  int left_ = 0, top_ = 0;
  std::vector<std::uint32_t> rgba_;  // the canvas's picture, as the page takes it
};

PixelRatio WebBackend::ChooseRatio() const {
  const int viewportWidth = quelmo_page_viewport_width();
  const int viewportHeight = quelmo_page_viewport_height();
  const int width = open_ ? width_ : request_.windowWidth;
  const int height = open_ ? height_ : request_.windowHeight;
  const PixelRatio reduced = ReducedToFit(viewportWidth, viewportHeight, width, height);
  if (reduced.Reduced()) return reduced;
  if (request_.factor) return {FittingScale(*request_.factor, viewportWidth, viewportHeight, width, height), 1};
  return {LargestFittingScale(viewportWidth, viewportHeight, width, height), 1};
}

void WebBackend::Place(int x, int y) {
  left_ = x;
  top_ = y;
  if (!strip_) return;
  // Unlike a desktop's edges the page's cannot be reached past: the strip stays
  // inside by kKeepVisible pixels across and its whole height down.
  const int minLeft = kKeepVisible - strip_->right;
  const int maxLeft = DesktopWidth() - strip_->left - kKeepVisible;
  const int minTop = -strip_->top;
  const int maxTop = DesktopHeight() - strip_->bottom;
  left_ = std::max(minLeft, std::min(x, maxLeft));
  top_ = std::max(minTop, std::min(y, maxTop));
}

void WebBackend::Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) {
  if (!open_ || pixels == nullptr || width != width_ || height != height_) return;
  if (logFrames_) {
    quelmo_page_log_frame(PointerX(), PointerY(), lastButton_ ? 1 : 0, left_, top_, TickCount(),
                          loggedKeys_.c_str());
    loggedKeys_.clear();
  }
  if (changed.Empty()) return;  // the canvas already shows this picture
  // 0x00RRGGBB becomes the bytes R, G, B, 255 of the page's image data.
  const std::size_t begin = static_cast<std::size_t>(changed.first) * static_cast<std::size_t>(width);
  const std::size_t stop = begin + static_cast<std::size_t>(changed.count) * static_cast<std::size_t>(width);
  for (std::size_t i = begin; i < stop; ++i) {
    const std::uint32_t p = pixels[i];
    rgba_[i] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
  }
  quelmo_page_present(reinterpret_cast<const std::uint8_t*>(rgba_.data() + begin), width,
                      changed.first, changed.count);
}

WebBackend* g_page = nullptr;

// The wake-up the page waits for: when (or on input), and whom to call.
struct Wake {
  std::uint64_t at = 0;
  bool onInput = false;
  void (*call)() = nullptr;
  std::uint64_t framePeriod = 0;  // on input: the pads are looked at at most this often
};
Wake g_wake;
bool g_padLookSet = false;  // the page's timer for the next look at the pads is set

void CancelPadLook() {
  if (!g_padLookSet) return;
  g_padLookSet = false;
  quelmo_page_pad_look_after(-1);
}

// While the game waits for input on a page in view: the next look at the pads, if
// there is one to make (frames that run look before each of them).
void SchedulePadLook() {
  CancelPadLook();
  if (g_page == nullptr || g_wake.call == nullptr || !g_wake.onInput || g_clock.hiddenSince) return;
  const std::optional<std::uint64_t> next = g_page->NextPadLook(g_wake.framePeriod);
  if (!next) return;
  const std::uint64_t now = g_clock.Now();
  const std::uint64_t left = *next > now ? *next - now : 0;
  g_padLookSet = true;
  quelmo_page_pad_look_after(static_cast<int>((left + kNsPerMs - 1) / kNsPerMs));
}

// Something came for the game: a game waiting for input goes on.
void GoOnForInput() {
  if (g_wake.call == nullptr || !g_wake.onInput || g_clock.hiddenSince) return;
  CancelPadLook();
  void (*call)() = g_wake.call;
  g_wake.call = nullptr;
  quelmo_page_log_still(0);
  InTask(call);
}

void ScheduleWake() {
  if (g_wake.call == nullptr || g_wake.onInput || g_clock.hiddenSince) return;
  const std::uint64_t now = g_clock.Now();
  // Whole milliseconds, rounded up: the browser's timers take no fraction, and a
  // wake-up before the deadline would only have to wait again.
  const std::uint64_t left = g_wake.at > now ? g_wake.at - now : 0;
  quelmo_page_wake_after(static_cast<int>((left + kNsPerMs - 1) / kNsPerMs));
}

}  // namespace

std::unique_ptr<Backend> MakeWebBackend(const ScaleRequest& scale) {
  auto backend = std::make_unique<WebBackend>(scale);
  g_page = backend.get();
  return backend;
}

void WakeAt(std::uint64_t count, void (*call)()) {
  g_wake = Wake{count, false, call, 0};
  CancelPadLook();
  ScheduleWake();
}

void WakeOnInput(void (*call)(), std::uint64_t framePeriod) {
  g_wake = Wake{0, true, call, framePeriod};
  quelmo_page_wake_cancel();
  quelmo_page_log_still(1);
  SchedulePadLook();
}

void PressKey(Key key) {
  if (g_page == nullptr) return;
  g_page->Press(key);
  GoOnForInput();
}

void EndPage(const std::string& text, const std::string& again) {
  quelmo_page_end(text.c_str(), again.c_str());
}

std::optional<std::string> PageParameter(const char* name) {
  char* value = quelmo_page_parameter(name);
  if (value == nullptr) return std::nullopt;
  std::string result(value);
  std::free(value);
  return result;
}

void ShowPageMessage(const std::string& text) { quelmo_page_message(text.c_str()); }

void ShowPageChoices(const std::vector<PageChoice>& choices, const std::string& language) {
  quelmo_page_language(language.c_str());
  for (const PageChoice& choice : choices) {
    quelmo_page_choice(choice.label.c_str(), choice.parameter.c_str(), choice.value.c_str(),
                       choice.chosen ? 1 : 0);
  }
}

void ShowThumbKeys(const std::string& groupName, const std::vector<ThumbKey>& keys) {
  quelmo_page_thumbs(groupName.c_str());
  for (const ThumbKey& key : keys) {
    if (const std::optional<int> number = StandardNumber(key.input)) {
      quelmo_page_thumb_key(*number, key.name.c_str(), key.letter.c_str());
    }
  }
}

void ShowPageGuide(const PageGuide& guide) {
  quelmo_page_guide(guide.heading.c_str(), guide.what.c_str(), guide.open.c_str(), guide.close.c_str());
  for (const PageGuide::Section& section : guide.sections) {
    quelmo_page_guide_section(section.heading.c_str(), section.numbered ? 1 : 0);
    for (const PageGuide::Line& line : section.lines) {
      quelmo_page_guide_line(line.term.c_str(), line.text.c_str());
    }
  }
}

}  // namespace platform

// Called by page.js.
extern "C" {

// The page's timer has run out: the game goes on if its time has come.
EMSCRIPTEN_KEEPALIVE void quelmo_page_wake() {
  using platform::g_wake;
  if (g_wake.call == nullptr || g_wake.onInput || platform::g_clock.hiddenSince) return;
  if (platform::g_clock.Now() + platform::kClockCoarseness < g_wake.at) {
    platform::ScheduleWake();  // woken early: the rest of the wait
    return;
  }
  void (*call)() = g_wake.call;
  g_wake.call = nullptr;
  platform::InTask(call);
}

// Something came for the game: a game waiting for input goes on.
EMSCRIPTEN_KEEPALIVE void quelmo_page_input() { platform::GoOnForInput(); }

// A gamepad was plugged in or out: the pads are looked at (the buttons of one gone
// go up), and from then on while one is connected.
EMSCRIPTEN_KEEPALIVE void quelmo_page_pads_plugged() {
  if (platform::g_page == nullptr) return;
  platform::InTask([] {
    platform::g_page->PadsPlugged();
    if (platform::g_page->LookAtPads()) platform::GoOnForInput();
    platform::SchedulePadLook();
  });
}

// The page's timer for a look at the pads ran out: the game goes on if the pads
// brought keys, and looks again later if not.
EMSCRIPTEN_KEEPALIVE void quelmo_page_look_at_pads() {
  platform::g_padLookSet = false;
  if (platform::g_page == nullptr) return;
  platform::InTask([] {
    if (!platform::g_wake.onInput || platform::g_clock.hiddenSince) return;
    if (platform::g_page->LookAtPads()) platform::GoOnForInput();
    platform::SchedulePadLook();
  });
}

// A button of the on-screen pad (its number in the standard mapping) went down or up.
EMSCRIPTEN_KEEPALIVE void quelmo_page_thumb(int number, int down) {
  if (platform::g_page == nullptr) return;
  platform::InTask([&] {
    if (platform::g_page->Thumb(number, down != 0)) platform::GoOnForInput();
    platform::SchedulePadLook();
  });
}

// The page was hidden or shown again: its clock stops and goes on, and so do its wakes.
EMSCRIPTEN_KEEPALIVE void quelmo_page_visible(int visible) {
  platform::GameClock& clock = platform::g_clock;
  if (visible == 0) {
    if (!clock.hiddenSince) clock.hiddenSince = platform::PageNow();
    quelmo_page_wake_cancel();
    platform::CancelPadLook();
    return;
  }
  if (!clock.hiddenSince) return;
  clock.hidden += platform::PageNow() - *clock.hiddenSince;
  clock.hiddenSince.reset();
  platform::ScheduleWake();
  platform::SchedulePadLook();
}

// The left button (or a finger) went down or up on the page.
EMSCRIPTEN_KEEPALIVE void quelmo_page_button(int down) {
  if (platform::g_page != nullptr) platform::g_page->Button(down != 0);
}

// A key went down or up on the page: 1 when the game takes it (the page then does
// nothing else with it), 0 when it is the page's.
EMSCRIPTEN_KEEPALIVE int quelmo_page_key(const char* name, int down, int repeat, int shift) {
  if (platform::g_page == nullptr) return 0;
  return platform::g_page->PageKey(name, down != 0, repeat != 0, shift != 0) ? 1 : 0;
}

}  // extern "C"
