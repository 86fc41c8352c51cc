#include "programs/common/recording_sink.h"

#include <cerrno>
#include <cstring>

namespace programs {
namespace {

class FileSink final : public RecordingSink {
 public:
  FileSink(std::FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
  ~FileSink() override {
    if (file_ != nullptr) std::fclose(file_);
  }
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  bool Append(std::string_view text) override {
    if (file_ == nullptr) return false;
    return Check(std::fwrite(text.data(), 1, text.size(), file_) == text.size() &&
                 std::fflush(file_) == 0);
  }
  std::optional<long> End() override {
    const long at = file_ != nullptr ? std::ftell(file_) : -1;
    if (at < 0) return std::nullopt;
    return at;
  }
  bool Rewind(long at) override { return Check(std::fseek(file_, at, SEEK_SET) == 0); }
  bool Close() override {
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return Check(closed);
  }
  std::string Name() const override { return "'" + path_ + "'"; }
  std::string Problem() const override { return problem_; }

 private:
  bool Check(bool ok) {
    if (!ok) problem_ = std::strerror(errno);
    return ok;
  }

  std::FILE* file_;
  std::string path_;
  std::string problem_;
};

}  // namespace

std::unique_ptr<RecordingSink> OpenRecordingFile(const std::string& path, std::string& error) {
  // Binary, so that the lines end in a bare newline on every platform.
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    error = "cannot write the recording '" + path + "': " + std::strerror(errno);
    return nullptr;
  }
  return std::make_unique<FileSink>(file, path);
}

}  // namespace programs
