// Placeholder: the text renderer is being built.
#include "runtime/canvas.h"

namespace rt {
void StartFontTable() {}
void SetDrawFont(const Font*) {}
void DrawTextHere(std::string_view) {}
int TextWidth(std::string_view) { return 0; }
const Font* LoadFontFace(int, std::string_view, int) { return nullptr; }
}  // namespace rt
