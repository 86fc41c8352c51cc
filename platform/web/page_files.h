#pragma once
// The page's recordings: the game being played is offered for saving as a file, a
// recording is opened from a file the player picks or drops on the page, or from a
// file of the site (`?replay=NAME`), and a recording being watched has its controls
// beside the game, as buttons, for hands without a keyboard.
//
// A file the player opens is kept for this tab (the page's session storage, byte for
// byte) and the page reloads as `?replay=NAME`, so that the recording starts in a
// fresh page and a reload plays it again.
#include <string>
#include <string_view>
#include <vector>

#include "platform/keys.h"

namespace platform {

// Beside the game's choices: `save`, which downloads the recording that `text` gives
// whole when asked, and `open`, which lets the player pick a recording to watch (one
// dropped on the page is opened too).  Either may be empty: not offered.
void OfferRecordings(const std::string& save, std::string_view (*text)(), const std::string& open);

// Loads the recording `name`: the one the player opened in this tab under that name,
// else the site's file of that name.  `done` gets its bytes, or, with `failed`, one
// line saying why it could not be loaded.
using Loaded = void (*)(const std::string& text, bool failed);
void LoadRecording(const std::string& name, Loaded done);

// The controls of a recording being watched, as buttons beside the game: each presses
// its key once; `state` is the line that says how the recording plays, changed with
// ShowWatchState.
struct WatchButton {
  Key key;
  std::string label;
};
void ShowWatchControls(const std::string& groupName, const std::vector<WatchButton>& buttons);
void ShowWatchState(const std::string& state);

}  // namespace platform
