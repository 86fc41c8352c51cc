// make-assets: paints every built-in image of the game and writes it as a file.
// Regenerate the committed images with:
//   cmake --build --preset release --target make-assets && build/release/tools/make-assets/make-assets assets
// The output is the same bytes on every run: all texture comes from seeded hashes.
//
//   make-assets <output-dir>        the catalogue BMPs, icon.bmp and the PNG icons
//   make-assets --sheet <file.bmp>  a contact sheet of all art and a mock board
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "art.h"
#include "png.h"
#include "runtime/bmp_writer.h"
#include "sheet.h"

namespace {

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "make-assets: cannot write %s\n", path.string().c_str());
    return false;
  }
  return true;
}

int Usage() {
  std::fprintf(stderr, "usage: make-assets <output-dir>\n       make-assets --sheet <file.bmp>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 2 && args[0] == "--sheet")
    return WriteFile(args[1], rt::EncodeBmp24(art::ContactSheet())) ? 0 : 1;
  if (args.size() != 1 || args[0].empty() || args[0][0] == '-') return Usage();

  const std::filesystem::path dir = args[0];
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (!std::filesystem::is_directory(dir)) {
    std::fprintf(stderr, "make-assets: %s is not a directory\n", dir.string().c_str());
    return 1;
  }
  bool ok = true;
  for (const art::Image& image : art::Catalogue())
    ok = WriteFile(dir / image.file, rt::EncodeBmp24(image.pixels)) && ok;
  const rt::Surface icon = art::WindowIcon();
  ok = WriteFile(dir / "icon.bmp", rt::EncodeBmp24(icon)) && ok;
  // The icon for desktops and web pages at each size they ask for, by whole factors.
  struct SizedIcon {
    const char* file;
    int factor;
  };
  for (const SizedIcon& sized : {SizedIcon{"quelmo.png", 1}, SizedIcon{"quelmo-128.png", 2},
                                 SizedIcon{"quelmo-192.png", 3}, SizedIcon{"quelmo-256.png", 4}})
    ok = WriteFile(dir / sized.file,
                   art::EncodePngRgba(art::Enlarge(icon, sized.factor), art::colour::kKey)) && ok;
  ok = WriteFile(dir / "quelmo-maskable-512.png",
                 art::EncodePngRgba(art::MaskableIcon(), std::nullopt)) && ok;
  return ok ? 0 : 1;
}
