#pragma once
// The desktop backends' opt-in frame log, for measuring the real window from outside
// (the game itself never reads it).  With the environment variable QUELMO_FRAME_LOG set
// to a file name, a backend writes one line per event of interest to that file:
//   first-present <ns>   wall-clock time (nanoseconds since 1970) of the first shown frame
//   frame <ns>           the backend's own clock when a frame was presented (sent to the
//                        desktop, or left out because nothing changed)
//   close-request        the desktop asked the window to close (it stays open)
//   still                nothing moves: no frame runs until input comes
//   wake <ns>            input came: the backend's clock when the wait for it ended
#include <cstdint>
#include <cstdio>

namespace platform {

class FrameLog {
 public:
  FrameLog();
  ~FrameLog() { Close(); }
  FrameLog(const FrameLog&) = delete;
  FrameLog& operator=(const FrameLog&) = delete;

  void FirstPresent(std::uint64_t wallClockNs);
  void Frame(std::uint64_t ns);
  void CloseRequest();
  void Still();
  void Wake(std::uint64_t ns);
  void Close();

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace platform
