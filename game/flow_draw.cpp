// Placeholder: the water drawing is being built.
#include "game/flow_draw.h"

namespace game {
void OpenWaterLayer() {}
void CloseWaterLayer() {}
void ClearWaterLayer() {}
void DrawFlowFront(const StreamRecord&, int, rt::Colour, int) {}
int DrawThickLine(int, int, int, int, rt::Colour) { return 0; }
}  // namespace game
