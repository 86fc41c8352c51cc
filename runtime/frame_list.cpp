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
  std::vector<FrameStep> steps;     // this frame's steps so far
  std::size_t drawnSteps = 0;       // how many of them are already on the back buffer
  std::vector<const Surface*> reads;  // what the held steps read
  bool drawnDirectly = false;       // something was drawn on the back buffer unheld
  std::vector<FrameStep> previous;  // the last finished frame's steps
  bool previousValid = false;       // the back buffer holds exactly what `previous` draws
};

FrameList& List() {
  static FrameList list;
  return list;
}

void DrawPending(FrameList& list) {
  for (std::size_t i = list.drawnSteps; i < list.steps.size(); ++i) {
    list.steps[i].paint(list.steps[i], *list.back);
  }
  list.drawnSteps = list.steps.size();
  list.reads.clear();
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

void DrawHeldSteps() {
  FrameList& list = List();
  if (list.back == nullptr) return;
  DrawPending(list);
  list.drawnDirectly = true;
}

bool FinishFrame() {
  FrameList& list = List();
  // A repeat: nothing of it is on the back buffer yet, it starts by covering every
  // pixel (so its picture does not depend on what was there), and it is step for
  // step the frame the back buffer already shows.
  const bool repeat = list.previousValid && !list.drawnDirectly && list.drawnSteps == 0 &&
                      !list.steps.empty() && list.steps.front().coversAll &&
                      list.steps == list.previous;
  if (!repeat) DrawPending(list);
  list.previousValid = !list.drawnDirectly;
  list.previous.swap(list.steps);
  list.steps.clear();
  list.drawnSteps = 0;
  list.reads.clear();
  list.drawnDirectly = false;
  return !repeat;
}

}  // namespace rt
