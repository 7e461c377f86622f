// Files made as an attacker would make them: a few bytes that once kept the
// loader reading for ever, took minutes or gigabytes, or aborted the
// program. Each load runs in a child process with an alarm, so that a load
// that never returns fails its case, and its peak memory is measured.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "easel/image/load.h"
#include "easel/image/save.h"
#include "support/child_process.h"
#include "support/temp_directory.h"

namespace {

std::string crafted(const std::string& name) {
    return std::string(EASEL_TEST_DATA_DIR) + "/images/crafted/" + name;
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A load's own overhead: loadImage's documented bound beyond its picture.
constexpr long overheadKb = 16 * 1024;

TEST(CraftedImages, EachIsRefusedOrLoadedWithinTimeAndMemory) {
    easel_test::TempDirectory dir;
    // A 1 x 1 GIF followed by a hole up to 256 MiB: only its frame is read.
    const std::string sparse = dir.file("sparse.gif");
    std::ofstream(sparse, std::ios::binary) << readBytes(crafted("gif_1x1.gif"));
    ASSERT_EQ(truncate(sparse.c_str(), 256 << 20), 0);
    const long largestPictureKb = 16383L * 4096 * 4 / 1024;
    const struct {
        std::string file;
        const char* reason;  // nullptr: loads
        bool fromMemory;
        long pictureKb = 0;  // the memory of the picture its header announces
    } cases[] = {
        // Chunks that stop before the image data: libpng was handed bytes
        // never read and warned for ever.
        {crafted("png_text_then_end.png"), "damaged PNG image: the file is cut short", false},
        {crafted("png_text_then_end.png"), "damaged PNG image: the file is cut short", true},
        // Text chunks inflating to 77 MB are skipped unread.
        {crafted("png_ztxt_10.png"), nullptr, false},
        // 16383 x 4096 with 1,000 empty scans, each a walk over the picture.
        {crafted("jpeg_scans_1000.jpg"), "more than 32 scans", false, largestPictureKb},
        // 8192 x 8192 CMYK progressive: its coefficients alone outgrow the
        // memory a load may take.
        {crafted("jpeg_cmyk_progressive.jpg"), "too large to decode in the memory allowed", false},
        {sparse, nullptr, false},
        // Its colour map stops short; TGA is not read at all.
        {crafted("tga_short_colour_map.tga"), "is a TGA image; easel reads PNG, JPEG, BMP and GIF",
         false},
    };
    for (const auto& c : cases) {
        const easel_test::ChildOutcome outcome = easel_test::runInChild(
            [&c] {
                std::string why;
                std::optional<easel::Image> image;
                if (c.fromMemory) {
                    const std::string bytes = readBytes(c.file);
                    image =
                        easel::loadImageFromMemory(bytes.data(), bytes.size(), "memory.png", &why);
                } else {
                    image = easel::loadImage(c.file.c_str(), &why);
                }
                if (c.reason == nullptr) return image.has_value();
                if (why.find(c.reason) == std::string::npos)
                    std::fprintf(stderr, "%s\n", why.c_str());
                return !image && why.find(c.reason) != std::string::npos;
            },
            60);
        EXPECT_TRUE(outcome.passed)
            << c.file << (c.fromMemory ? " from memory" : "") << ", signal " << outcome.signal;
        if (easel_test::memoryIsMeasurable()) {
            EXPECT_LT(outcome.peakGrowthKb, c.pictureKb + overheadKb) << c.file;
        }
    }
}

// Short of memory, a load is refused with a message; before, the second copy
// of the picture threw std::bad_alloc through the library and aborted.
TEST(CraftedImages, RunningOutOfMemoryIsARefusal) {
    if (!easel_test::memoryIsMeasurable())
        GTEST_SKIP() << "address space limits need a plain build";
    easel_test::TempDirectory dir;
    const std::string large = dir.file("large.png");
    ASSERT_TRUE(
        easel::saveImage(easel::Image(5000, 5000, easel::RgbColor(10, 20, 30)), large.c_str()));
    constexpr long long mib = 1 << 20;
    const auto loads = [&large] {
        std::string why;
        return easel::loadImage(large.c_str(), &why).has_value();
    };
    // 100 MB of pixels in 160 MiB more address space: one copy, not two.
    EXPECT_TRUE(easel_test::runInChild(loads, 60, 160 * mib).passed);
    const auto refused = [&large] {
        std::string why;
        const bool loaded = easel::loadImage(large.c_str(), &why).has_value();
        return !loaded && why.find("not enough memory") != std::string::npos &&
               why.find(large) != std::string::npos;
    };
    const easel_test::ChildOutcome outcome = easel_test::runInChild(refused, 60, 60 * mib);
    EXPECT_TRUE(outcome.passed) << "signal " << outcome.signal;
}

// One load takes at most the picture and one more picture's worth plus
// 16 MiB, here for a progressive JPEG that keeps all its coefficients.
TEST(CraftedImages, ALargeLoadStaysWithinTwicePixelsAndSixteenMiB) {
    if (!easel_test::memoryIsMeasurable()) GTEST_SKIP() << "peak memory needs a plain build";
    const easel_test::ChildOutcome outcome = easel_test::runInChild(
        [] {
            // The same 16383 x 4096 scans, cut to the limit: it loads.
            std::string bytes = readBytes(crafted("jpeg_scans_1000.jpg"));
            const std::size_t scanBytes = 10;
            const std::size_t header = bytes.size() - 2 - 1000 * scanBytes;
            bytes = bytes.substr(0, header + 20 * scanBytes) + "\xff\xd9";
            std::string why;
            const auto image =
                easel::loadImageFromMemory(bytes.data(), bytes.size(), "scans.jpg", &why);
            return image && image->width() == 16383 && image->height() == 4096;
        },
        60);
    EXPECT_TRUE(outcome.passed);
    const long pictureKb = 16383L * 4096 * 4 / 1024;
    EXPECT_LT(outcome.peakGrowthKb, 2 * pictureKb + overheadKb);
}

}  // namespace
