#pragma once
// The page's own lines, beside the game's texts: one table per language, chosen by
// the page's ?lang= as the game's are.  UTF-8, as the page shows them.
#include <array>
#include <iterator>
#include <string_view>

#include "game/texts.h"

namespace page_texts {

// The guide beside the game: under the game's name a line of what it is, then how it
// is played and its keys.  A name in braces, such as {newGame}, stands for the game's
// own words (game/texts.h), so that the guide names every button as the game shows
// it (page_guide.cpp knows the names).
struct Guide {
  std::string_view what;
  std::string_view howTo;  // the heading of the steps
  std::array<std::string_view, 5> steps;
  std::string_view keysHeading;
  // What the keys do, a line for each group of them (page_guide.cpp lists each line's
  // keys and pad buttons from the one binding table): the arrows, Tab and Shift+Tab,
  // the button, the menu.  Then the touch screen's line.
  std::array<std::string_view, 4> keysDo;
  std::string_view touchScreen, touchDoes;
  // The inputs whose names are words (the others are signs, page_guide.cpp): the
  // space bar, a pad's four directions together, its shoulder buttons.
  std::string_view space, dpad, rightShoulder, leftShoulder;
  // Where the page has no room for the guide beside the game or below it: the button
  // beside the choices that opens it over the game, and the one that closes it.
  std::string_view open;
  std::string_view close;
};

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
  Guide guide;
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
    {
        .what = "Ein Puzzle mit Rohren: Leite das Quelmo durch deine Rohre in sein Ziel.",
        .howTo = "So wird gespielt",
        .steps = {
            "Der grüne Knopf „{menuButton}“ öffnet das Menü: „{newGame}“, „{startLevel}“ "
            "(mit welchem Level es beginnt), „{pause}“ und „{resume}“.",
            "Nach „{pleaseWait}“ kommen oben die Rohre der Reihe nach. Ein Klick legt das "
            "nächste auf ein Feld, auch über ein Rohr; gehalten alle acht Frames eins. Steine, "
            "farbige Felder und was das Quelmo erreicht hat, bleiben.",
            "Ist „{countdown}“ abgelaufen, fließt das Quelmo aus den farbigen START-Feldern "
            "nach rechts, bis zu vier Ströme.",
            "Jeder Strom muss quer durch die PASS-Felder seiner Farbe und von links in sein "
            "ZIEL. Ins Gras, in ein falsches Rohr oder auf ein fremdes Feld: „{failed}“. Alle "
            "im Ziel: „{cleared}“.",
            "„{fast}“ lässt das Quelmo viermal so schnell fließen.",
        },
        .keysHeading = "Ohne Maus",
        .keysDo = {"von Feld zu Feld, von Knopf zu Knopf (am Gamepad auch der linke Stick)",
                   "zum nächsten, zum vorigen Knopf", "die Maustaste", "das Menü"},
        .touchScreen = "Touchscreen",
        .touchDoes = "Tippen klickt; neben oder unter dem Spiel die Tasten für die Daumen",
        .space = "Leertaste",
        .dpad = "Steuerkreuz",
        .rightShoulder = "Schulter rechts",
        .leftShoulder = "Schulter links",
        .open = "Anleitung",
        .close = "Schließen",
    },
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
    {
        .what = "A puzzle of pipes: lead the Quelmo through your pipes into its goal.",
        .howTo = "How to play",
        .steps = {
            "The green button “{menuButton}” opens the menu: “{newGame}”, “{startLevel}” "
            "(the level to begin with), “{pause}” and “{resume}”.",
            "After “{pleaseWait}” the pieces come along the queue at the top. A click lays the "
            "next one on a cell, over a pipe too; held, one every eight frames. Stones, "
            "coloured tiles and what the Quelmo has reached stay.",
            "Once “{countdown}” has run out, the Quelmo flows from the coloured START tiles "
            "to the right, up to four streams.",
            "Each stream must run across the PASS tiles of its colour and into its GOAL from "
            "the left. Onto grass, into a wrong pipe or onto a tile not its own: “{failed}”. "
            "All home: “{cleared}”.",
            "“{fast}” makes the Quelmo flow four times as fast.",
        },
        .keysHeading = "Without a mouse",
        .keysDo = {"from cell to cell, from button to button (on a gamepad the left stick too)",
                   "to the next, the previous button", "the mouse button", "the menu"},
        .touchScreen = "Touch screen",
        .touchDoes = "a tap clicks; beside or below the game, keys for thumbs",
        .space = "Space",
        .dpad = "d-pad",
        .rightShoulder = "right shoulder",
        .leftShoulder = "left shoulder",
        .open = "How to play",
        .close = "Close",
    },
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
