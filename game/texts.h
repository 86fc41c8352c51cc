#pragma once
// Every text the game shows, as Windows-1252 bytes ("\xFC" is u-umlaut, "\xDF" is
// sharp s).  Change a wording here and nowhere else.
#include <string_view>

namespace game::texts {

constexpr std::string_view kWindowTitle = "Quelmo";
constexpr std::string_view kMenuButton = "Men\xFC - Quelmo 1.2";
constexpr std::string_view kNewGame = "Neues Spiel";
constexpr std::string_view kStartLevel = "Startlevel";
constexpr std::string_view kPause = "Pause";
constexpr std::string_view kResume = "Weiter";
constexpr std::string_view kFailed = "Gescheitert!";
constexpr std::string_view kCleared = "Level geschafft!";
constexpr std::string_view kOk = "O K";
constexpr std::string_view kPleaseWait = "Bitte warten";
constexpr std::string_view kPaused = "Spiel pausiert";
constexpr std::string_view kFast = "Schnell";
constexpr std::string_view kCountdown1 = "Zeit bis das";
constexpr std::string_view kCountdown2 = "Quelmo flie\xDFt";
constexpr std::string_view kLevelPrefix = "Level ";
constexpr std::string_view kPoints = "Punkte";
constexpr std::string_view kTotalSuffix = "(Gesamt)";
constexpr std::string_view kLevelSuffix = "(Level)";
// The credit bar is 128 pixels wide and the line starts 4 pixels in: this wording is
// 99 pixels wide in the small font.
constexpr std::string_view kCredit = "Vom Quelmo-Team";

// The font face the game asks for; the runtime draws it with its built-in heavy face.
constexpr std::string_view kFontFace = "Arial Black";

}  // namespace game::texts
