#pragma once
// Start-up of the runtime's services and the one way out of the program.
namespace rt {

// Prepares the runtime in its fixed order: drawing module, font table, random
// generator seeded from the tick count, window module, screen module.
void StartRuntime();
// Ends screen and window and leaves the process with exit code 0.
[[noreturn]] void EndProgram();

}  // namespace rt
