#include "runtime/frame_list.h"

#include <algorithm>
#include <utility>

namespace rt {
namespace {

// Held steps beyond this are drawn at once, so that a program that draws without
// ever presenting (a benchmark, a tool) keeps a bounded list.
constexpr std::size_t kMostHeldSteps = 4096;

struct FrameList {
  Surface* back = nullptr;
  std::vector<FrameStep> steps;       // this frame's steps so far
  std::size_t drawnSteps = 0;         // how many of them are already on the back buffer
  // Surfaces read by held steps carry this mark; a new mark forgets them all.
  std::uint64_t readMark = 1;
  bool anyReads = false;
  bool drawnDirectly = false;         // something was drawn on the back buffer unheld
  std::vector<FrameStep> previous;    // the last finished frame's steps
  bool previousValid = false;         // the back buffer holds exactly what `previous` draws
  bool anyShown = false;  // a frame has been presented since the back buffer was made
  // A sprite a step read was freed: this frame's and the next frame's changed rows
  // cannot be told from the steps.
  int framesWithoutBands = 0;
  std::vector<std::pair<int, int>> bands;  // kept to spare an allocation each frame
};

FrameList& List() {
  static FrameList list;
  return list;
}

void DrawPending(FrameList& list) {
  for (std::size_t i = list.drawnSteps; i < list.steps.size(); ++i) {
    // A step whose every pixel the next one overwrites regardless need not be drawn:
    // the frame's black fill under the water layer, every frame.
    if (i + 1 < list.steps.size() && list.steps[i + 1].coversAll) continue;
    list.steps[i].paint(list.steps[i], *list.back);
  }
  list.drawnSteps = list.steps.size();
  ++list.readMark;
  list.anyReads = false;
}

// Bands of back buffer rows, first .. end - 1.
using Bands = std::vector<std::pair<int, int>>;

void Include(Bands& bands, int first, int end) {
  if (end > first) bands.emplace_back(first, end);
}

// The rows a step changes against its alike counterpart of the frame before: none if
// they are equal; for a copy of a sprite whose contents changed, the rows of it that
// were redrawn since; else all it covers.
void IncludeChangedRows(Bands& bands, const FrameStep& now, const FrameStep& before) {
  if (now.generation == before.generation) return;
  if (now.payload != nullptr && now.generation > before.generation &&
      static_cast<const Surface*>(now.source)
          ->ForEachChangeSince(before.generation, [&](int first, int end) {
            Include(bands, std::max(first + now.sourceShift, now.rowFirst),
                    std::min(end + now.sourceShift, now.rowEnd));
          })) {
    return;
  }
  Include(bands, now.rowFirst, now.rowEnd);
}

// The rows this frame's steps can have changed against the frame before.  The two
// lists are set side by side from the front and from the back as far as their steps
// are alike; every step in between (drawn this frame or the one before, but not
// both) changes the rows it covers.  A row no changed step covers is drawn by the
// same steps from the same pixels as before, and so is as it was.  Sorted, and
// overlapping bands merged.
void RowsTheStepsChange(const FrameList& list, Bands& bands) {
  bands.clear();
  if (!list.previousValid || list.framesWithoutBands > 0 || list.drawnDirectly) {
    Include(bands, 0, list.back->height);
    return;
  }
  const std::vector<FrameStep>& now = list.steps;
  const std::vector<FrameStep>& before = list.previous;
  const std::size_t shorter = std::min(now.size(), before.size());
  std::size_t front = 0;
  for (; front < shorter && now[front].AlikeTo(before[front]); ++front) {
    IncludeChangedRows(bands, now[front], before[front]);
  }
  std::size_t back = 0;
  for (; back < shorter - front &&
         now[now.size() - 1 - back].AlikeTo(before[before.size() - 1 - back]);
       ++back) {
    IncludeChangedRows(bands, now[now.size() - 1 - back], before[before.size() - 1 - back]);
  }
  for (std::size_t k = front; k < now.size() - back; ++k) Include(bands, now[k].rowFirst, now[k].rowEnd);
  for (std::size_t k = front; k < before.size() - back; ++k) {
    Include(bands, before[k].rowFirst, before[k].rowEnd);
  }
  std::sort(bands.begin(), bands.end());
  std::size_t merged = 0;
  for (const auto& band : bands) {
    if (merged > 0 && band.first <= bands[merged - 1].second) {
      bands[merged - 1].second = std::max(bands[merged - 1].second, band.second);
    } else {
      bands[merged++] = band;
    }
  }
  bands.resize(merged);
}

}  // namespace

void SetHeldSurface(Surface* back) {
  FrameList& list = List();
  list = FrameList{};
  list.back = back;
}

bool IsHeld(const Surface* target) { return target != nullptr && target == List().back; }

void HoldStep(FrameStep step, const Surface* reads) {
  FrameList& list = List();
  list.steps.push_back(std::move(step));
  if (reads != nullptr) {
    reads->heldMark = list.readMark;
    list.anyReads = true;
  }
  if (list.steps.size() - list.drawnSteps > kMostHeldSteps) DrawHeldSteps();
}

void BeforeWrite(const Surface* surface) {
  FrameList& list = List();
  if (surface != nullptr && list.anyReads && surface->heldMark == list.readMark) DrawPending(list);
}

void SurfaceGone(const Surface* surface) {
  FrameList& list = List();
  if (surface == nullptr || list.back == nullptr) return;
  BeforeWrite(surface);
  list.framesWithoutBands = 2;
}

void DrawHeldSteps() {
  FrameList& list = List();
  if (list.back == nullptr) return;
  DrawPending(list);
  list.drawnDirectly = true;
}

platform::RowSpan FinishFrame() {
  FrameList& list = List();
  if (list.back == nullptr) return {};
  // A repeat: nothing of it is on the back buffer yet, it starts by covering every
  // pixel (so its picture does not depend on what was there), and it is step for
  // step the frame the back buffer already shows.
  const bool repeat = list.previousValid && !list.drawnDirectly && list.drawnSteps == 0 &&
                      !list.steps.empty() && list.steps.front().coversAll &&
                      list.steps == list.previous;
  if (!repeat) DrawPending(list);
  platform::RowSpan changed;
  if (!list.anyShown) {
    changed = {0, list.back->height};
  } else if (!repeat) {
    RowsTheStepsChange(list, list.bands);
    if (!list.bands.empty()) {
      changed = {list.bands.front().first, list.bands.back().second - list.bands.front().first};
    }
  }
  list.anyShown = true;
  if (list.framesWithoutBands > 0) --list.framesWithoutBands;
  list.previousValid = !list.drawnDirectly;
  list.previous.swap(list.steps);
  list.steps.clear();
  list.drawnSteps = 0;
  ++list.readMark;
  list.anyReads = false;
  list.drawnDirectly = false;
  return changed;
}

}  // namespace rt
