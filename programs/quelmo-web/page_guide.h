#pragma once
// The page's guide to the game in one of its languages: the lines of page_texts.h with
// the game's own words put in where they name them.
#include "platform/web/web_backend.h"
#include "programs/quelmo-web/page_texts.h"

namespace page_guide {

platform::PageGuide GuideIn(const page_texts::Language& language);

}  // namespace page_guide
