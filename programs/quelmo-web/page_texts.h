#pragma once
// The page's own lines, beside the game's texts: one table per language, chosen by
// the page's ?lang= as the game's are.  UTF-8, as the page shows them.
#include <iterator>
#include <string_view>

#include "game/texts.h"

namespace page_texts {

struct Table {
  // A value of the address the page refuses: "Quelmo: ?seed= " then `needs`, what the
  // parameter takes, and a full stop.
  std::string_view needs;
  std::string_view wholeNumber;  // a number's range follows, `to` between its ends
  std::string_view to;
  std::string_view either;       // between the values a parameter takes: "1 or 0"
  std::string_view ended;        // the game has ended; then the link
  std::string_view again;
  std::string_view marks;        // the choice of the streams' marks
  // The keys on the screen, for thumbs: the group's name, then each key's name as a
  // screen reader says it, and the letter the button shows.
  std::string_view thumbs;
  std::string_view left, right, up, down;
  std::string_view button;
  std::string_view buttonLetter;
  std::string_view menu;
  // Recordings: saving the game being played, opening one to watch, the controls and
  // how it plays while watched (see watch_controls.h), back to a game of one's own.
  std::string_view save, open;
  std::string_view fileName;  // what ?replay= needs
  std::string_view cannotLoad, cannotWatch;  // a recording refused; then why
  std::string_view watching;  // the controls' group
  std::string_view pause, step, faster, takeOver;
  // How it plays: on or paused (then the speed), at its end, taken over.
  std::string_view running, paused, over, live;
  std::string_view play;
};

inline constexpr Table kGerman = {
    "braucht ",
    "eine ganze Zahl von ",
    " bis ",
    " oder ",
    "Quelmo wurde beendet. ",
    "Neu starten",
    "Farbzeichen",
    "Tasten für die Daumen",
    "Nach links",
    "Nach rechts",
    "Nach oben",
    "Nach unten",
    "Klicken",
    "A",
    "Menü",
    "Aufnahme speichern",
    "Aufnahme ansehen …",
    "einen Dateinamen",
    "Quelmo kann diese Aufnahme nicht laden: ",
    "Quelmo kann diese Aufnahme nicht genau abspielen: ",
    "Aufnahme",
    "Pause/Weiter (Leertaste)",
    "Ein Bild weiter (→)",
    "Schneller (F)",
    "Selbst spielen (T)",
    "Aufnahme läuft ×",
    "Angehalten ×",
    "Aufnahme zu Ende",
    "Du spielst",
    "Selbst ein Spiel spielen",
};

inline constexpr Table kEnglish = {
    "needs ",
    "a whole number from ",
    " to ",
    " or ",
    "Quelmo has ended. ",
    "Start again",
    "Colour marks",
    "Keys for thumbs",
    "Left",
    "Right",
    "Up",
    "Down",
    "Click",
    "A",
    "Menu",
    "Save recording",
    "Watch a recording …",
    "a file name",
    "Quelmo cannot load this recording: ",
    "Quelmo cannot play this recording exactly: ",
    "Recording",
    "Pause/go on (Space)",
    "One frame on (→)",
    "Faster (F)",
    "Take over (T)",
    "Playing ×",
    "Paused ×",
    "Recording ended",
    "You are playing",
    "Play a game of your own",
};

// The languages the page offers, the game's in its order, each named in its own
// language and with the page's lines in it.
struct Language {
  const game::texts::Table* game;
  std::string_view name;
  const Table* page;
};
inline constexpr Language kLanguages[] = {{&game::texts::kGerman, "Deutsch", &kGerman},
                                   {&game::texts::kEnglish, "English", &kEnglish}};
static_assert(std::size(kLanguages) == std::size(game::texts::kLanguages),
              "every language of the game needs the page's lines too");

// The page's side of the game's language `game`.
constexpr const Language& Of(const game::texts::Table* game) {
  for (const Language& language : kLanguages) {
    if (language.game == game) return language;
  }
  return kLanguages[0];
}

}  // namespace page_texts
