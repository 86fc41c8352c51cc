// The Windows game: the command line, the Win32 window backend, then the game.  A
// program without a console answers --help and --version in a message box.
#include <string_view>
#include <vector>

#include "game/game.h"
#include "platform/win32/win32_backend.h"
#include "programs/common/command_line.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const programs::CommandLine cl = programs::ParseCommandLine(args);
  switch (cl.action) {
    case programs::CommandLine::Action::kHelp:
      platform::ShowMessage(programs::HelpText(), platform::MessageKind::kInformation);
      return 0;
    case programs::CommandLine::Action::kVersion:
      platform::ShowMessage(programs::VersionText(), platform::MessageKind::kInformation);
      return 0;
    case programs::CommandLine::Action::kError:
      platform::ShowMessage("quelmo: " + cl.error, platform::MessageKind::kError);
      return 2;
    case programs::CommandLine::Action::kPlay:
      break;
  }
  auto backend = platform::MakeWin32Backend();
  if (!backend) return 1;  // the message box has said why
  platform::SetBackend(backend.get());
  game::GameMain(cl.seed);
}
