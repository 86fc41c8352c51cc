#include "platform/frame_log.h"

#include <cstdlib>

namespace platform {

FrameLog::FrameLog() {
  const char* path = std::getenv("QUELMO_FRAME_LOG");
  if (path == nullptr || *path == '\0') return;
  file_ = std::fopen(path, "w");
  if (file_ == nullptr) {
    // (A program without a console says this to no one: there is simply no log.)
    std::fprintf(stderr, "quelmo: cannot write the frame log %s\n", path);
    return;
  }
  std::setvbuf(file_, nullptr, _IONBF, 0);  // every line survives a killed process
}

void FrameLog::FirstPresent(std::uint64_t wallClockNs) {
  if (file_ != nullptr) {
    std::fprintf(file_, "first-present %llu\n", static_cast<unsigned long long>(wallClockNs));
  }
}

void FrameLog::Frame(std::uint64_t ns) {
  if (file_ != nullptr) std::fprintf(file_, "frame %llu\n", static_cast<unsigned long long>(ns));
}

void FrameLog::CloseRequest() {
  if (file_ != nullptr) std::fputs("close-request\n", file_);
}

void FrameLog::Still() {
  if (file_ != nullptr) std::fputs("still\n", file_);
}

void FrameLog::Wake(std::uint64_t ns) {
  if (file_ != nullptr) std::fprintf(file_, "wake %llu\n", static_cast<unsigned long long>(ns));
}

void FrameLog::Close() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
}

}  // namespace platform
