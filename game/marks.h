#pragma once
// The marks of the streams on their start, pass and goal tiles, for players who
// cannot tell the tiles' colours apart: stream N's tiles carry N dots.
namespace game {

// Draws stream `colour`'s mark (1..4) into special tile sprite `number`, over its
// colour strip: a larger sunken field of the stream's colour with the dots in it.
// Called once when the tiles are composed, so a frame draws nothing more.
void DrawStreamMark(int number, int colour);

}  // namespace game
