// The browser page as the game's desktop: see web_backend.h.  The page side (the
// canvas, the pointer, the closing line) is page.js, linked in as a JavaScript library.
#include "platform/web/web_backend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/scaling.h"

extern "C" {
// page.js
int quelmo_page_viewport_width();
int quelmo_page_viewport_height();
void quelmo_page_open(int width, int height, const char* title, int titleLength);
void quelmo_page_place(int x, int y, int scale);
void quelmo_page_close();
int quelmo_page_pointer_x(int scale);
int quelmo_page_pointer_y(int scale);
int quelmo_page_take_button();
void quelmo_page_present(const std::uint8_t* rgba, int width, int first, int count);
void quelmo_page_log_frame(int pointerX, int pointerY, int buttonDown, int left, int top);
int quelmo_page_frame_log_wanted();
void quelmo_page_end();
void quelmo_page_sleep(unsigned ms);
char* quelmo_page_parameter(const char* name);
void quelmo_page_message(const char* text);
double quelmo_page_time_origin();
}

namespace platform {
namespace {

// The drawn title bar's strip that drags the window: its top 16 rows, from column
// 144 to column 624.  At least kKeepVisible game pixels of it stay inside the viewport
// both ways, so the canvas can always be dragged back.
constexpr int kHandleLeft = 144;
constexpr int kHandleRight = 624;
constexpr int kTitleBarHeight = 16;
constexpr int kKeepVisible = 16;

// The pacing wait hands the thread to the browser until shortly before the end of the
// frame and spins on the clock for the rest, so that the frame period does not grow
// by the lateness of the browser's timers.  How long before is learnt from how late
// those timers have woken the page: a late wake-up widens the margin at once, and it
// narrows again slowly while wake-ups are punctual (a busy machine costs spinning, a
// quiet one little).
constexpr std::uint64_t kNsPerMs = 1'000'000;
constexpr std::uint64_t kStartSpinMarginNs = 1'500'000;
constexpr std::uint64_t kMinSpinMarginNs = 500'000;
constexpr std::uint64_t kMaxSpinMarginNs = 3'000'000;
constexpr std::uint64_t kSpinMarginGuardNs = 300'000;    // added to the lateness seen
constexpr std::uint64_t kSpinMarginNarrowingNs = 10'000;  // per punctual wake-up

class WebBackend final : public Backend {
 public:
  explicit WebBackend(const ScaleRequest& scale)
      : logFrames_(quelmo_page_frame_log_wanted() != 0), request_(scale) {
    scale_ = ChooseScale();
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, false,
                                   &WebBackend::OnResize);
  }
  ~WebBackend() override {
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, nullptr);
  }
  WebBackend(const WebBackend&) = delete;
  WebBackend& operator=(const WebBackend&) = delete;

  // The viewport in game pixels; CSS pixels left over at its edges count for nothing.
  int DesktopWidth() override { return quelmo_page_viewport_width() / scale_; }
  int DesktopHeight() override { return quelmo_page_viewport_height() / scale_; }

  bool OpenWindow(int x, int y, int width, int height, std::string_view title,
                  std::span<const std::uint8_t> /*iconBmp: the page's favicon*/) override {
    width_ = width;
    height_ = height;
    rgba_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    open_ = true;
    Place(x, y);
    quelmo_page_open(width, height, title.data(), static_cast<int>(title.size()));
    quelmo_page_place(left_, top_, scale_);
    return true;
  }

  void CloseWindow() override {
    if (!open_) return;
    open_ = false;
    quelmo_page_close();
  }

  int WindowLeft() override { return left_; }
  int WindowTop() override { return top_; }
  void MoveWindow(int x, int y) override {
    if (!open_) return;
    Place(x, y);
    quelmo_page_place(left_, top_, scale_);
  }

  int PointerX() override { return quelmo_page_pointer_x(scale_); }
  int PointerY() override { return quelmo_page_pointer_y(scale_); }
  bool LeftButtonDown() override {
    lastButton_ = quelmo_page_take_button() != 0;
    return lastButton_;
  }

  int PollEvent() override {
    if (!resized_) return kNoEvent;
    // The new viewport may fit another scale: the window keeps its place in game
    // pixels, and a smaller desktop may have left the title bar out of reach.
    resized_ = false;
    scale_ = ChooseScale();
    if (open_) MoveWindow(left_, top_);
    return kEventResize;
  }

  void Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) override;

  // Milliseconds of the wall clock, so that a game seeded from the tick count differs
  // from one page load to the next (the page's own clock starts near 0 at every load).
  std::uint32_t TickCount() override {
    const double ms = std::floor(quelmo_page_time_origin() + emscripten_performance_now());
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
  }
  std::uint64_t Counter() override {
    return static_cast<std::uint64_t>(emscripten_performance_now() * static_cast<double>(kNsPerMs));
  }
  std::uint64_t CounterFrequency() override { return 1'000'000'000; }
  void Sleep(std::uint32_t ms) override { quelmo_page_sleep(ms); }
  void WaitUntil(std::uint64_t target) override;
  [[noreturn]] void Exit(int code) override;

 private:
  static EM_BOOL OnResize(int, const EmscriptenUiEvent*, void* self) {
    static_cast<WebBackend*>(self)->resized_ = true;
    return false;
  }
  // Puts the window at (x, y), or as near as keeps the title bar within reach.
  void Place(int x, int y);
  // The scale for the viewport as it is now: the one asked for while it fits, else
  // the largest that fits.
  int ChooseScale() const;

  const bool logFrames_;
  // The scale must be known before the window opens: the desktop the game centres it
  // on is measured in game pixels.
  const ScaleRequest request_;
  int scale_ = kMinScale;
  bool open_ = false;
  bool resized_ = false;
  bool presented_ = false;
  bool lastButton_ = false;
  std::uint64_t spinMargin_ = kStartSpinMarginNs;
  int width_ = 0, height_ = 0;
  int left_ = 0, top_ = 0;
  std::vector<std::uint32_t> rgba_;  // the canvas's picture, as the page takes it
};

int WebBackend::ChooseScale() const {
  const int viewportWidth = quelmo_page_viewport_width();
  const int viewportHeight = quelmo_page_viewport_height();
  const int width = open_ ? width_ : request_.windowWidth;
  const int height = open_ ? height_ : request_.windowHeight;
  if (request_.factor) return FittingScale(*request_.factor, viewportWidth, viewportHeight, width, height);
  return LargestFittingScale(viewportWidth, viewportHeight, width, height);
}

void WebBackend::Place(int x, int y) {
  const int minLeft = kKeepVisible - kHandleRight;
  const int maxLeft = DesktopWidth() - kHandleLeft - kKeepVisible;
  const int maxTop = DesktopHeight() - kTitleBarHeight;
  left_ = std::max(minLeft, std::min(x, maxLeft));
  top_ = std::max(0, std::min(y, maxTop));
}

void WebBackend::Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) {
  if (!open_ || pixels == nullptr || width != width_ || height != height_) return;
  if (logFrames_) quelmo_page_log_frame(PointerX(), PointerY(), lastButton_ ? 1 : 0, left_, top_);
  if (!presented_) changed = RowSpan{0, height};  // the first frame is shown whole
  const int first = std::max(changed.first, 0);
  const int end = std::min(changed.first + changed.count, height);
  if (end <= first) return;  // the canvas already shows this picture
  // 0x00RRGGBB becomes the bytes R, G, B, 255 of the page's image data.
  const std::size_t begin = static_cast<std::size_t>(first) * static_cast<std::size_t>(width);
  const std::size_t stop = static_cast<std::size_t>(end) * static_cast<std::size_t>(width);
  for (std::size_t i = begin; i < stop; ++i) {
    const std::uint32_t p = pixels[i];
    rgba_[i] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
  }
  quelmo_page_present(reinterpret_cast<const std::uint8_t*>(rgba_.data() + begin), width, first,
                      end - first);
  presented_ = true;
}

void WebBackend::WaitUntil(std::uint64_t target) {
  const std::uint64_t now = Counter();
  if (now >= target) return;
  const std::uint64_t sleepMs = target - now > spinMargin_ ? (target - now - spinMargin_) / kNsPerMs : 0;
  if (sleepMs > 0) {
    quelmo_page_sleep(static_cast<unsigned>(sleepMs));
    const std::uint64_t due = now + sleepMs * kNsPerMs;
    const std::uint64_t woke = Counter();
    const std::uint64_t late = woke > due ? woke - due : 0;
    spinMargin_ = std::max(late + kSpinMarginGuardNs, spinMargin_ - kSpinMarginNarrowingNs);
    spinMargin_ = std::clamp(spinMargin_, kMinSpinMarginNs, kMaxSpinMarginNs);
  }
  while (Counter() < target) {
  }
}

void WebBackend::Exit(int code) {
  CloseWindow();
  quelmo_page_end();
  emscripten_force_exit(code);
  std::abort();  // not reached: the page's program has ended
}

}  // namespace

std::unique_ptr<Backend> MakeWebBackend(const ScaleRequest& scale) {
  return std::make_unique<WebBackend>(scale);
}

std::optional<std::string> PageParameter(const char* name) {
  char* value = quelmo_page_parameter(name);
  if (value == nullptr) return std::nullopt;
  std::string result(value);
  std::free(value);
  return result;
}

void ShowPageMessage(const std::string& text) { quelmo_page_message(text.c_str()); }

}  // namespace platform
