// The page's recordings: see page_files.h.  The page side is page_files.js.
#include "platform/web/page_files.h"

#include <emscripten.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/web/web_backend.h"

extern "C" {
// page_files.js
void quelmo_page_offer_recordings(const char* save, const char* open);
void quelmo_page_load_recording(const char* name);
void quelmo_page_watch_controls(const char* groupName);
void quelmo_page_watch_button(int key, const char* label);
void quelmo_page_watch_state(const char* state);
}

namespace platform {
namespace {

std::string_view (*g_text)() = nullptr;  // the recording being made, whole
Loaded g_loaded = nullptr;               // who waits for a recording being loaded
std::vector<Key> g_buttons;              // the keys the watching controls press

}  // namespace

void OfferRecordings(const std::string& save, std::string_view (*text)(), const std::string& open) {
  g_text = text;
  quelmo_page_offer_recordings(text != nullptr ? save.c_str() : "", open.c_str());
}

void LoadRecording(const std::string& name, Loaded done) {
  g_loaded = done;
  quelmo_page_load_recording(name.c_str());
}

void ShowWatchControls(const std::string& groupName, const std::vector<WatchButton>& buttons) {
  quelmo_page_watch_controls(groupName.c_str());
  for (const WatchButton& button : buttons) {
    g_buttons.push_back(button.key);
    quelmo_page_watch_button(static_cast<int>(button.key), button.label.c_str());
  }
}

void ShowWatchState(const std::string& state) { quelmo_page_watch_state(state.c_str()); }

}  // namespace platform

// Called by page_files.js.
extern "C" {

// The recording being made, for saving: where its bytes are and how many.
EMSCRIPTEN_KEEPALIVE const char* quelmo_page_recording_bytes() {
  return platform::g_text != nullptr ? platform::g_text().data() : nullptr;
}
EMSCRIPTEN_KEEPALIVE int quelmo_page_recording_size() {
  return platform::g_text != nullptr ? static_cast<int>(platform::g_text().size()) : 0;
}

// The recording asked for has come (`failed` 0: `size` bytes at `bytes`), or could not
// be loaded (`failed` 1: the line that says why).
EMSCRIPTEN_KEEPALIVE void quelmo_page_recording_loaded(const char* bytes, int size, int failed) {
  const platform::Loaded done = platform::g_loaded;
  platform::g_loaded = nullptr;
  if (done != nullptr) done(std::string(bytes, static_cast<std::size_t>(size)), failed != 0);
}

// A button of the recording's controls: its key, pressed once.
EMSCRIPTEN_KEEPALIVE void quelmo_page_press(int key) {
  for (const platform::Key shown : platform::g_buttons) {
    if (static_cast<int>(shown) == key) platform::PressKey(shown);
  }
}

}  // extern "C"
