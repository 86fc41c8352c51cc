// The committed images and glyphs are what the generators make: running them again
// gives the same files byte for byte, so the art can be changed in code and regenerated.
#include <cstdlib>
#include <set>
#include <unistd.h>

#include "bmp_file.h"

namespace assets_test {
namespace {

namespace fs = std::filesystem;

std::string Quote(const std::string& text) {
  std::string quoted(1, '\'');
  quoted += text;
  quoted += '\'';
  return quoted;
}

class GeneratorRun : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "quelmo-assets-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }
  // Runs `generator` with `args`, each quoted for the shell; returns its exit status.
  int Run(const std::vector<std::string>& args, const char* generator = MAKE_ASSETS) {
    std::string command = Quote(generator);
    for (const std::string& arg : args) {
      command += ' ';
      command += Quote(arg);
    }
    command += " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  fs::path dir_;
};

std::set<std::string> FilesIn(const fs::path& dir, bool committedOnly) {
  std::set<std::string> names;
  for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    const std::string ext = e.path().extension().string();
    if (!committedOnly || ext == ".bmp" || ext == ".png") names.insert(name);
  }
  return names;
}

TEST_F(GeneratorRun, ReproducesEveryCommittedImageByteForByte) {
  ASSERT_EQ(Run({(dir_ / "out").string()}), 0);
  const std::set<std::string> made = FilesIn(dir_ / "out", false);
  EXPECT_EQ(made, FilesIn(fs::path(QUELMO_SOURCE_DIR) / "assets", true));
  EXPECT_EQ(made.size(), 35u + 1u + 5u);  // the catalogue, icon.bmp and the PNG icons
  for (const std::string& name : made)
    EXPECT_TRUE(ReadBytes(dir_ / "out" / name) == ReadBytes(AssetPath(name))) << name << " differs";
}

TEST_F(GeneratorRun, ReproducesTheBuiltInGlyphsByteForByte) {
  const fs::path made = dir_ / "glyph_data.cpp";
  ASSERT_EQ(Run({made.string()}, MAKE_GLYPHS), 0);
  const std::vector<std::uint8_t> committed = ReadBytes(fs::path(QUELMO_SOURCE_DIR) / "runtime" / "glyph_data.cpp");
  ASSERT_FALSE(committed.empty());
  EXPECT_TRUE(ReadBytes(made) == committed) << "runtime/glyph_data.cpp differs from what make-glyphs writes";
  EXPECT_NE(Run({(dir_ / "no-such-dir" / "glyph_data.cpp").string()}, MAKE_GLYPHS), 0);
  EXPECT_NE(Run({}, MAKE_GLYPHS), 0);
}

TEST_F(GeneratorRun, RefusesAnOutputThatIsNotADirectory) {
  const fs::path file = dir_ / "a-file";
  std::ofstream(file) << "x";
  EXPECT_NE(Run({file.string()}), 0);
  EXPECT_EQ(ReadBytes(file).size(), 1u);
  EXPECT_NE(Run({}), 0);
}

}  // namespace
}  // namespace assets_test
