#pragma once
// Where a recording's lines go as the game is played: a file (quelmo --record), or the
// page's memory, from which the player saves it.  The last line counts the frames
// since the last change and is written again as frames go by, where the sink can
// (a file can, a pipe cannot), so that the recording is whole after every frame.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace programs {

class RecordingSink {
 public:
  virtual ~RecordingSink() = default;
  // Appends `text`; false when it could not be written.
  virtual bool Append(std::string_view text) = 0;
  // Where the text ends now, if the text from there on can be written again.
  virtual std::optional<long> End() = 0;
  // The text from `at` on is written again: what follows goes there.
  virtual bool Rewind(long at) = 0;
  // Done: false when the last of it could not be written.
  virtual bool Close() = 0;
  // The recording as a message names it, and what went wrong last ("" if nothing).
  virtual std::string Name() const = 0;
  virtual std::string Problem() const { return {}; }
};

// A file opened for writing; null, with `error` saying why, when it cannot be.
std::unique_ptr<RecordingSink> OpenRecordingFile(const std::string& path, std::string& error);

// The recording kept in memory, whole after every frame.
class MemorySink final : public RecordingSink {
 public:
  bool Append(std::string_view text) override {
    text_.append(text);
    return true;
  }
  std::optional<long> End() override { return static_cast<long>(text_.size()); }
  bool Rewind(long at) override {
    text_.resize(static_cast<std::size_t>(at));
    return true;
  }
  bool Close() override { return true; }
  std::string Name() const override { return "the recording"; }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace programs
