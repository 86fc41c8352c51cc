#include "runtime/frame_list.h"

#include <algorithm>
#include <cstring>
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
  std::vector<const Surface*> reads;  // what the held steps read
  bool drawnDirectly = false;         // something was drawn on the back buffer unheld
  std::vector<FrameStep> previous;    // the last finished frame's steps
  bool previousValid = false;         // the back buffer holds exactly what `previous` draws
  // The picture on show while this frame is drawn on the back buffer (valid once
  // `drawing`); between frames the back buffer itself is the picture on show.
  std::vector<std::uint32_t> shown;
  bool drawing = false;
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

// The frame's first drawing: the picture on show moves aside and the back buffer
// gets the other buffer.  Unless the frame begins by covering every pixel, it starts
// from the picture on show, as a single buffer would.
void BeginDrawing(FrameList& list, bool coversAll) {
  if (list.drawing || list.back == nullptr) return;
  list.drawing = true;
  list.shown.swap(list.back->pixels);
  if (!coversAll || list.back->pixels.size() != list.shown.size()) {
    list.back->pixels = list.shown;
  }
}

void DrawPending(FrameList& list) {
  if (list.drawnSteps == list.steps.size()) return;
  BeginDrawing(list, list.drawnSteps == 0 && list.steps.front().coversAll);
  for (std::size_t i = list.drawnSteps; i < list.steps.size(); ++i) {
    list.steps[i].paint(list.steps[i], *list.back);
  }
  list.drawnSteps = list.steps.size();
  list.reads.clear();
}

// Bands of back buffer rows, first .. end - 1.
using Bands = std::vector<std::pair<int, int>>;

void Include(Bands& bands, int first, int end) {
  if (end > first) bands.emplace_back(first, end);
}

// The rows this frame's steps can have changed against the frame before, found by
// setting the two lists side by side: a step like its counterpart changes nothing;
// a copy that differs only in its sprite's contents changes the rows of the sprite
// that were redrawn since; any other difference changes what either step covers.
// Sorted, and overlapping bands merged.
void RowsTheStepsChange(const FrameList& list, Bands& bands) {
  bands.clear();
  if (!list.previousValid || list.framesWithoutBands > 0 || list.drawnDirectly ||
      list.steps.size() != list.previous.size()) {
    Include(bands, 0, list.back->height);
    return;
  }
  for (std::size_t i = 0; i < list.steps.size(); ++i) {
    const FrameStep& now = list.steps[i];
    const FrameStep& before = list.previous[i];
    if (now == before) continue;
    if (now.payload != nullptr && now.paint == before.paint && now.source == before.source &&
        now.args == before.args && now.generation > before.generation &&
        static_cast<const Surface*>(now.source)
            ->ForEachChangeSince(before.generation, [&](int first, int end) {
              Include(bands, std::max(first + now.sourceShift, now.rowFirst),
                      std::min(end + now.sourceShift, now.rowEnd));
            })) {
      continue;
    }
    Include(bands, now.rowFirst, now.rowEnd);
    Include(bands, before.rowFirst, before.rowEnd);
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

// The rows in which the back buffer differs from the picture on show, looked for
// only where the steps can have changed it: from the top down to the first
// difference, and from the bottom up to the last.
platform::RowSpan ChangedRows(FrameList& list) {
  const Surface& back = *list.back;
  if (!list.anyShown || list.shown.size() != back.pixels.size()) return {0, back.height};
  Bands& bands = list.bands;
  RowsTheStepsChange(list, bands);
  const auto rowPixels = static_cast<std::size_t>(back.width);
  const std::size_t rowBytes = rowPixels * sizeof(std::uint32_t);
  auto same = [&](int y) {
    return std::memcmp(back.Row(y), list.shown.data() + y * rowPixels, rowBytes) == 0;
  };
  int first = -1;
  std::size_t firstBand = 0;
  for (; firstBand < bands.size() && first < 0; ++firstBand) {
    for (int y = bands[firstBand].first; y < bands[firstBand].second; ++y) {
      if (!same(y)) {
        first = y;
        break;
      }
    }
  }
  if (first < 0) return {};
  int last = first;
  for (std::size_t b = bands.size(); b-- > firstBand - 1 && last == first;) {
    for (int y = bands[b].second - 1; y > first; --y) {
      if (y < bands[b].first) break;
      if (!same(y)) {
        last = y;
        break;
      }
    }
  }
  return {first, last - first + 1};
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
  if (reads != nullptr && std::find(list.reads.begin(), list.reads.end(), reads) == list.reads.end()) {
    list.reads.push_back(reads);
  }
  if (list.steps.size() - list.drawnSteps > kMostHeldSteps) DrawHeldSteps();
}

void BeforeWrite(const Surface* surface) {
  FrameList& list = List();
  if (surface == nullptr || list.reads.empty()) return;
  if (std::find(list.reads.begin(), list.reads.end(), surface) != list.reads.end()) {
    DrawPending(list);
  }
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
  BeginDrawing(list, false);
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
  if (list.drawing) changed = ChangedRows(list);
  else if (!list.anyShown) changed = {0, list.back->height};
  list.anyShown = true;
  list.drawing = false;
  if (list.framesWithoutBands > 0) --list.framesWithoutBands;
  list.previousValid = !list.drawnDirectly;
  list.previous.swap(list.steps);
  list.steps.clear();
  list.drawnSteps = 0;
  list.reads.clear();
  list.drawnDirectly = false;
  return changed;
}

}  // namespace rt
