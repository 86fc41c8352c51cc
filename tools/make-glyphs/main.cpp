// make-glyphs: renders the heavy text face with FreeType at the two pixel sizes the
// game asks for and writes them as the runtime's built-in glyph data.  Regenerate
// the committed data with:
//   cmake --build --preset release --target make-glyphs &&
//       build/release/tools/make-glyphs/make-glyphs runtime/glyph_data.cpp
// The output is the same bytes on every run with the same face file and FreeType.
//
//   make-glyphs <output.cpp>         the glyph data source
//   make-glyphs --compare <prefix>   <prefix>-11.bmp and <prefix>-16.bmp: the game's
//                                    texts in every way of hinting and spacing
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "compare.h"
#include "raster.h"
#include "runtime/bmp_writer.h"
#include "source.h"

namespace {

// The game's fonts: 8 and 12 points on a display of 96 dots per inch.
constexpr int kPixelHeights[] = {11, 16};
// The glyphs are fitted to the pixel grid in both directions, which keeps the heavy
// strokes crisp and the capitals of every text at the same height; the spacing
// correction between neighbours (SpacingCorrection) undoes what that does to the gaps.
constexpr glyphs::Hinting kHinting = glyphs::Hinting::Normal;

int Usage() {
  std::fprintf(stderr, "usage: make-glyphs <output.cpp>\n       make-glyphs --compare <prefix>\n");
  return 2;
}

bool Render(int pixelHeight, glyphs::Hinting hinting, glyphs::RasterFace& face) {
  const std::string error = glyphs::Rasterise(QUELMO_FONT_FILE, pixelHeight, hinting, face);
  if (!error.empty()) std::fprintf(stderr, "make-glyphs: %s\n", error.c_str());
  return error.empty();
}

int WriteSource(const std::string& path) {
  std::vector<glyphs::RasterFace> faces(std::size(kPixelHeights));
  for (std::size_t i = 0; i < faces.size(); ++i)
    if (!Render(kPixelHeights[i], kHinting, faces[i])) return 1;
  const std::string source = glyphs::GlyphDataSource(faces);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << source;
  file.close();
  if (!file) {
    std::fprintf(stderr, "make-glyphs: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}

int WriteComparison(const std::string& prefix) {
  using glyphs::Hinting;
  using glyphs::Spacing;
  for (int pixelHeight : kPixelHeights) {
    glyphs::RasterFace normal, light, none;
    if (!Render(pixelHeight, Hinting::Normal, normal) || !Render(pixelHeight, Hinting::Light, light) ||
        !Render(pixelHeight, Hinting::None, none))
      return 1;
    const std::vector<glyphs::SheetRow> rows = {
        {&normal, Spacing::Hinted}, {&normal, Spacing::DeltaCorrected}, {&normal, Spacing::DesignedRoundedPerText},
        {&light, Spacing::Hinted},  {&light, Spacing::DeltaCorrected},  {&light, Spacing::DesignedRoundedPerText},
        {&none, Spacing::Hinted},   {&none, Spacing::DesignedRoundedPerText}};
    const std::string path = prefix + "-" + std::to_string(pixelHeight) + ".bmp";
    if (!rt::WriteBmp24(glyphs::CompareSheet(rows), path)) {
      std::fprintf(stderr, "make-glyphs: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0].rfind("--", 0) != 0) return WriteSource(args[0]);
  if (args.size() == 2 && args[0] == "--compare") return WriteComparison(args[1]);
  return Usage();
}
