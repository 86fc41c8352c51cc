// The Windows game: the command line, the recording file when one is asked for, the
// Win32 window backend, then the game.  A program without a console answers --help,
// --version and every error in a message box.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "platform/win32/win32_backend.h"
#include "programs/common/command_line.h"
#include "programs/common/play.h"
#include "programs/common/recorder.h"

namespace {

void Say(const std::string& text, bool error) {
  platform::ShowMessage(text, error ? platform::MessageKind::kError
                                    : platform::MessageKind::kInformation);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const programs::CommandLine cl = programs::ParseCommandLine(args);
  std::unique_ptr<programs::Recorder> recorder;
  std::optional<programs::Recording> watched;
  if (const auto status = programs::BeforePlaying(cl, Say, recorder, watched)) return *status;
  auto backend =
      platform::MakeWin32Backend(programs::ScaleRequestOf(cl.settings));
  if (!backend) return 1;  // the message box has said why
  return programs::PlayOrWatch(*backend, cl, recorder.get(), watched, "windows");
}
