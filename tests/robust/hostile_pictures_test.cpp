// Hostile pictures. The fuzzer's starting files and every input it ever found, replayed with the
// fuzz target's checks. Decompression bombs: small files that claim huge pictures or huge chunks
// are dealt with at once, without allocating what they claim, and a refused one leaves its
// number empty. A PNG inside an icon meets the same limits.
#include "model/savegame.h"
#include "tests/support/support.h"
#include "tools/fuzz/exercise.h"
#include "tools/fuzz/files.h"
#include "tools/fuzz/savegame_exercise.h"
#include "tools/fuzz/seeds.h"
#include "ui/image_reader.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>

namespace {

using fuzz::Bytes;

// Bytes malloc'd since the last reset, libpng's and Qt's included.
std::atomic<std::size_t> allocated{0};

} // namespace

#if defined(__has_feature)
#if __has_feature(address_sanitizer) // clang's sanitizer build
#define SELVO_SANITIZED
#endif
#endif
#if !defined(__SANITIZE_ADDRESS__) && !defined(SELVO_SANITIZED)
// Wraps glibc's allocator for the whole process; sanitizer builds own malloc, and only the time
// limit is checked there.
extern "C" void* __libc_malloc(std::size_t size);
extern "C" void* malloc(std::size_t size) noexcept {
    allocated.fetch_add(size, std::memory_order_relaxed);
    return __libc_malloc(size);
}
#endif

namespace {

constexpr int Number = 7;

// `head` followed by `raw` deflated.
Bytes withDeflated(Bytes head, const Bytes& raw) {
    Bytes packed(compressBound(uLong(raw.size())));
    uLongf size = packed.size();
    compress2(packed.data(), &size, raw.data(), uLong(raw.size()), 9);
    head.insert(head.end(), packed.begin(), packed.begin() + long(size));
    return head;
}

const Bytes& smallPng() {
    static const Bytes file =
        fuzz::writePng({.width = 3, .height = 2, .rows = {Bytes(9, 0x21), Bytes(9, 0x87)}});
    return file;
}

// `chunk` inserted right after the header chunk of a valid 3 x 2 picture.
Bytes smallPngWith(const Bytes& chunk) {
    Bytes file = smallPng();
    file.insert(file.begin() + 33, chunk.begin(), chunk.end());
    return file;
}

// A header claiming width x height (truecolour, or 1-bit grey), `padding` bytes of text, then
// 64 KiB of zero rows: a few hundred bytes and the padding.
Bytes pngClaiming(std::uint32_t width, std::uint32_t height, std::uint8_t depth = 8,
                  std::size_t padding = 0) {
    Bytes header;
    fuzz::put(header, width, 4, true);
    fuzz::put(header, height, 4, true);
    header.insert(
        header.end(),
        {depth, std::uint8_t(depth == 8 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_GRAY), 0, 0, 0});
    Bytes file = {137, 80, 78, 71, 13, 10, 26, 10};
    for (const Bytes& chunk :
         {fuzz::pngChunk("IHDR", header), fuzz::pngChunk("tEXt", Bytes(padding, 'a')),
          fuzz::pngChunk("IDAT", withDeflated({}, Bytes(1 << 16, 0))), fuzz::pngChunk("IEND", {})})
        file.insert(file.end(), chunk.begin(), chunk.end());
    return file;
}

// An input the fuzzer found, from tests/robust/corpus.
Bytes corpusFile(const char* name) {
    return support::fileData(std::filesystem::path(SELVO_CORPUS) / name);
}

// An ICC profile of 32 MB, zeros after a header that names its own length.
Bytes iccBomb() {
    Bytes profile(32u << 20, 0);
    profile[0] = 2; // 32 << 20, big-endian
    std::memcpy(profile.data() + 36, "acsp", 4);
    return fuzz::pngChunk("iCCP", withDeflated({'i', 'c', 'c', 0, 0}, profile));
}

// A BMP header claiming width x height at `bits` per pixel and `compression` (0 plain, 1 RLE8),
// a two-colour palette and the end-of-picture mark, which is all an RLE picture needs. In order:
// file size, reserved, pixel offset; header size, width, height, planes and bits, compression,
// data size, two resolutions, colours used and important; black, white; the mark 00 01.
Bytes bmpClaiming(std::int32_t width, std::int32_t height, int bits, int compression) {
    Bytes file = {'B', 'M'};
    for (std::uint32_t v : {64u, 0u, 62u, 40u, std::uint32_t(width), std::uint32_t(height),
                            1u | std::uint32_t(bits) << 16, std::uint32_t(compression), 2u, 0u, 0u,
                            2u, 0u, 0u, 0xFFFFFFu})
        fuzz::put(file, v, 4);
    file.insert(file.end(), {0, 1});
    return file;
}

// Loads `bytes` from a file under a number that held a picture before, checking that it takes
// little time and memory and that a refusal leaves the number empty.
bool load(const Bytes& bytes) {
    support::TempFolder folder;
    const std::string path = folder.write("bomb", bytes);
    ui::setPicture(Number, ui::Picture{1, 1, 3, {1, 2, 3}});
    allocated = 0;
    const auto start = std::chrono::steady_clock::now();
    const bool loaded = ui::loadPicture(Number, path);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_LT(allocated.load(), 2u << 20); // all a load costs; these files honestly need far less
    EXPECT_EQ(ui::pictureHandle(Number) != nullptr, loaded);
    ui::freePicture(Number);
    return loaded;
}

TEST(Bombs, HugeClaimsAreRefusedQuicklyAndLeaveTheNumberEmpty) {
    const Bytes bmp = bmpClaiming(100000, 200000, 32, 0);
    const Bytes icoBmp(bmp.begin() + 14, bmp.end()); // an icon's BMP has no file header
    const std::pair<const char*, Bytes> bombs[] = {
        // 8 MB of rows, which 9 KB could hold, but 64 M pixels: only the pixel budget refuses it.
        {"png 8192 x 8192 at 1 bit, past the pixel limit", pngClaiming(8192, 8192, 1, 9000)},
        {"png 4096 x 4096 from a few hundred bytes", pngClaiming(4096, 4096)},
        {"png chunk claiming 2 GB", corpusFile("png-ztxt-claims-2gb.png")},
        {"png chunk header claiming 1.3 GB at the end",
         corpusFile("png-chunk-header-in-last-bytes.png")},
        {"bmp 100000 x 100000", bmpClaiming(100000, 100000, 24, 0)},
        {"bmp 100000 x -100000 top-down", bmpClaiming(100000, -100000, 24, 0)},
        {"rle bmp 8192 x 8192", bmpClaiming(8192, 8192, 8, 1)},
        {"ico holding a png", fuzz::writeIcoPng(16, 16, pngClaiming(100000, 100000))},
        {"ico holding a bmp", fuzz::writeIcoPng(16, 16, icoBmp)},
        {"ico whose png claims 1.9 GB past its end", corpusFile("ico-png-exif-claims-1.9gb.ico")},
    };
    for (const auto& [name, file] : bombs) {
        SCOPED_TRACE(name);
        ASSERT_LT(file.size(), 1u << 20);
        EXPECT_FALSE(load(file));
    }
    EXPECT_TRUE(load(bmpClaiming(4, 4, 8, 1))); // a small run-length picture is fine
    // The row check alone, Qt's size checks out of the way: a side over the limit is refused
    // although the file holds every row; a side at the limit passes, but not one byte short.
    Bytes wide = bmpClaiming(8193, 1, 8, 0), fits = bmpClaiming(8192, 1, 8, 0);
    wide.resize(62 + 8196), fits.resize(62 + 8192);
    EXPECT_FALSE(ui::bmpPixelsComplete(wide.data(), wide.size()));
    EXPECT_TRUE(ui::bmpPixelsComplete(fits.data(), fits.size()));
    EXPECT_FALSE(ui::bmpPixelsComplete(fits.data(), fits.size() - 1));
    // The two chunks overrunning their file are refused before libpng starts, at no cost at all.
    for (const Bytes& file : {bombs[2].second, bombs[3].second}) {
        ui::Picture out;
        allocated = 0;
        EXPECT_FALSE(ui::decodePicture(file.data(), file.size(), out));
        EXPECT_EQ(allocated.load(), 0u);
    }
}

// A text or colour-profile chunk that inflates to 32 MB, or a hundred texts of 1000 KB each, cost
// only the chunks, in a PNG and in an icon: the picture loads as if they were not there.
TEST(Bombs, AncillaryChunkBombsCostOnlyTheChunk) {
    const Bytes textBomb = fuzz::pngChunk(
        "zTXt", withDeflated({'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0}, Bytes(32u << 20, 'a')));
    const Bytes text = fuzz::pngChunk("zTXt", withDeflated({'C', 0, 0}, Bytes(1000u << 10, 'a')));
    Bytes texts;
    for (int i = 0; i < 100; ++i)
        texts.insert(texts.end(), text.begin(), text.end());
    for (const Bytes& chunk : {textBomb, iccBomb(), texts})
        for (const Bytes& file :
             {smallPngWith(chunk), fuzz::writeIcoPng(3, 2, smallPngWith(chunk))}) {
            ASSERT_LT(file.size(), 1u << 20);
            EXPECT_TRUE(load(file));
            ui::Picture bombed, plain;
            ASSERT_TRUE(ui::decodePicture(file.data(), file.size(), bombed));
            ASSERT_TRUE(ui::decodePicture(smallPng().data(), smallPng().size(), plain));
            EXPECT_EQ(bombed.pixels, plain.pixels);
        }
}

// The seeds must decode; every input must pass the fuzz target's checks.
TEST(FuzzCorpus, SeedsAndEveryRecordedFindingAreHandled) {
    for (const auto& [name, bytes] : fuzz::seedFiles()) {
        ui::Picture picture;
        EXPECT_TRUE(ui::decodePicture(bytes.data(), bytes.size(), picture)) << name;
        EXPECT_EQ(fuzz::exercisePicture(bytes.data(), bytes.size()), "") << name;
    }
    int replayed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(SELVO_CORPUS)) {
        if (!entry.is_regular_file()) continue;
        const fuzz::Bytes bytes = support::fileData(entry.path());
        EXPECT_EQ(fuzz::exercisePicture(bytes.data(), bytes.size()), "") << entry.path();
        ++replayed;
    }
    EXPECT_GT(replayed, 0) << "no inputs under " << SELVO_CORPUS;
}

// The saved-game fuzzer's starting files and findings: "good-" ones are read, "bad-" ones
// refused, every one with the fuzz target's checks.
TEST(FuzzCorpus, SavedGamesAreReadOrRefusedSoundly) {
    ASSERT_TRUE(fuzz::useAreasPicture("Media/KarteGebiete.png"));
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SELVO_SAVEGAMES)) {
        const fuzz::Bytes bytes = support::fileData(entry.path());
        EXPECT_EQ(fuzz::exerciseSavedGame(bytes.data(), bytes.size()), "") << entry.path();
        model::SavedGame game;
        std::string error;
        const bool read = model::loadSavedGame(entry.path(), game, error);
        EXPECT_EQ(read, entry.path().filename().string().starts_with("good-"))
            << entry.path() << ": " << error;
        ++replayed;
    }
    EXPECT_GE(replayed, 4);
}

} // namespace
