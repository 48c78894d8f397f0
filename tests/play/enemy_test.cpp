// Enemies and gems whose art is missing.
#include <filesystem>

#include "round_fixture.h"
#include "support/scratch_folder.h"

using namespace round_testing;
namespace fs = std::filesystem;

// A private copy of the run folder's sprites, the working folder while it lives.
struct PrivateArt : testing_support::ScratchFolder {
    PrivateArt() {
        fs::copy(fs::path(home) / "sprites", fs::path(path) / "sprites", fs::copy_options::recursive);
        enter();
    }
    bool remove(const std::string& file) { return fs::remove(fs::path(path) / file); }
};

// A missing file: error 40, and everything acquired so far given back without
// touching what other owners hold.
TEST(EnemyModel, MissingArtThrows40AndLeavesOtherOwnersAlone) {
    for (const KindFacts& kind : allKinds()) {
        SCOPED_TRACE(kind.name);
        PrivateArt art;
        ASSERT_TRUE(art.remove(kind.artFile));
        GraphicLibrary library;
        EXPECT_THROW(retire(kind.make(&library), &library), int);
        EXPECT_EQ(library.entryCount(), 0);
    }
    PrivateArt art;
    ASSERT_TRUE(art.remove("sprites/bullets/enemybullet1.bmp"));
    GraphicLibrary library;
    Blade blade(&library);
    auto counts = [&] {
        std::vector<int> all;
        for (int i = 0; i < library.entryCount(); ++i) all.push_back(library.countAt(i));
        return all;
    };
    std::vector<int> before = counts();
    try {
        Pawn pawn(&library);  // shares the blade's explosion, then fails on its bullet
    } catch (int code) {
        EXPECT_EQ(code, ERR_GRAPHIC_MISSING);
    }
    EXPECT_EQ(counts(), before);
    blade.releaseGraphics(&library);
    ASSERT_TRUE(art.remove("sprites/gem/gem3.bmp"));
    EXPECT_THROW(Gem gem(&library), int);
    EXPECT_EQ(library.entryCount(), 0);
}
