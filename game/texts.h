#pragma once
// Every text the game shows, as Windows-1252 bytes ("\xFC" is u-umlaut, "\xDF" is
// sharp s): one table per language.  German is the game as it is meant; English is
// there on request.  Change a wording here and nowhere else.  The goal tiles' word is
// painted into their overlay image (tools/make-assets), so a table names that image.
#include <optional>
#include <string_view>

#include "game/layout.h"
#include "game/sprites.h"

namespace game::texts {

constexpr std::string_view kWindowTitle = "Quelmo";

// The font face the game asks for; the runtime draws it with its built-in heavy face.
constexpr std::string_view kFontFace = "Arial Black";

struct Table {
  std::string_view code;  // the language's two letters: --lang, ?lang=
  std::string_view menuButton;
  std::string_view newGame;
  std::string_view startLevel;
  std::string_view pause;
  std::string_view resume;
  std::string_view failed;
  std::string_view cleared;
  std::string_view ok;
  std::string_view pleaseWait;
  std::string_view paused;
  std::string_view fast;
  // Where the fast button's word starts; without a place, it stands centred in the
  // button.  "Schnell" keeps the place it has always had, 10 pixels into the button,
  // four pixels left of where centring would put it, so the German frames stay as they
  // are.
  std::optional<int> fastLeft;
  std::string_view countdown1;  // the countdown's label, in two lines
  std::string_view countdown2;
  std::string_view levelPrefix;  // a level list entry is this and the level's number
  std::string_view points;       // the score boxes' labels: points over their suffix
  std::string_view totalSuffix;
  std::string_view levelSuffix;
  // The credit bar is 128 pixels wide and the line starts 4 pixels in: the German
  // wording's ink is 97 pixels wide in the small font, the English one's 103.  The
  // English countdown label's first line is the wider one too, and still ends 24
  // pixels before the countdown's number.
  std::string_view credit;
  // The overlay the goal tiles are composed with: it carries the language's goal word.
  int goalOverlay;
};

// Inline: one table in the whole program, so that a table is known by its address.
inline constexpr Table kGerman = {
    "de",
    "Men\xFC - Quelmo 1.2",
    "Neues Spiel",
    "Startlevel",
    "Pause",
    "Weiter",
    "Gescheitert!",
    "Level geschafft!",
    "O K",
    "Bitte warten",
    "Spiel pausiert",
    "Schnell",
    kFastButton.left + 10,
    "Zeit bis das",
    "Quelmo flie\xDFt",
    "Level ",
    "Punkte",
    "(Gesamt)",
    "(Level)",
    "Vom Quelmo-Team",
    sprite::Overlay(kKindGoal),  // "ZIEL"
};

inline constexpr Table kEnglish = {
    "en",
    "Menu - Quelmo 1.2",
    "New game",
    "Start level",
    "Pause",
    "Resume",
    "Failed!",
    "Level cleared!",
    "O K",
    "Please wait",
    "Game paused",
    "Fast",
    std::nullopt,
    "Time until the",
    "Quelmo flows",
    "Level ",
    "Points",
    "(total)",
    "(level)",
    "By the Quelmo team",
    sprite::kEnglishGoalOverlay,  // "GOAL"
};

// Every language the game speaks, the default first.
inline constexpr const Table* kLanguages[] = {&kGerman, &kEnglish};

// The table of the language with the two letters `code`; null for another code.
constexpr const Table* Language(std::string_view code) {
  for (const Table* table : kLanguages) {
    if (code == table->code) return table;
  }
  return nullptr;
}

}  // namespace game::texts
