// Arbitrary bytes loaded as a BMP icon, into destinations of several sizes
// (0, 1, odd, the panel's 25 x 25, wider and taller than any seed), through
// both loaders. Each destination is a heap array of exactly its size, so a
// write past it is caught; the loader must also keep the placeholder in every
// element that the image does not cover, and fill only 0 or 255 channels
// there. The bytes are read from memory, or from a file by name: a regular
// file, the same file made sparse to an apparent 2 GiB (cheap on disk, and
// no excuse for a huge allocation), or a FIFO that nobody writes to (which
// must be refused, not waited on).
//
// Layout: width index, height index, a flag byte (bit 0 the raw loader, bits
// 6-7 the source: 0 memory, 1 file, 2 sparse file, 3 FIFO), then the BMP.
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "easel/colour/color.h"
#include "easel/text/detail/icon_streams.h"
#include "easel/text/icon.h"
#include "support/fuzz_screen.h"

namespace {

constexpr int sizes[] = {0, 1, 2, 3, 7, 8, 9, 24, 25, 31, 64, -1};
constexpr int sizeCount = static_cast<int>(sizeof(sizes) / sizeof(sizes[0]));

enum class Source { memory, file, sparseFile, fifo };

constexpr off_t sparseLength = 2147287098;  // 16383 x 32767 pixels at 32 bits, and a header

// A private folder for the file sources, removed when the process ends.
class Scratch {
  public:
    Scratch() {
        char pattern[] = "/tmp/easel_icon_fuzz_XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        folder_ = pattern;
        file_ = folder_ + "/icon.bmp";
    }
    ~Scratch() {
        std::remove(file_.c_str());
        rmdir(folder_.c_str());
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    const char* file() const { return file_.c_str(); }

  private:
    std::string folder_;
    std::string file_;
};

// Puts the bytes under the scratch file's name as the source asks.
void prepare(const Scratch& scratch, Source source, const std::uint8_t* bmp, std::size_t size) {
    std::remove(scratch.file());
    if (source == Source::fifo) {
        if (mkfifo(scratch.file(), 0600) != 0) std::abort();
        return;
    }
    std::FILE* f = std::fopen(scratch.file(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(bmp, 1, size, f) != size) std::abort();
    std::fclose(f);
    if (source == Source::sparseFile && truncate(scratch.file(), sparseLength) != 0) std::abort();
}

// The placeholder is built from font bits only: every channel 0 or 255.
bool placeholderChannel(int v) {
    return v == 0 || v == 255;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    easel_fuzz::ensureScreen();
    static const Scratch scratch;
    easel_fuzz::ByteReader in(data, size);
    const int width = sizes[in.take<std::uint8_t>() % sizeCount];
    const int height = sizes[in.take<std::uint8_t>() % sizeCount];
    const auto flags = in.take<std::uint8_t>();
    const bool raw = (flags & 1) != 0;
    const auto source = static_cast<Source>(flags >> 6);
    const std::size_t cells = static_cast<std::size_t>(width > 0 ? width : 0) *
                              static_cast<std::size_t>(height > 0 ? height : 0);
    const std::uint8_t* bmp = in.rest();
    const std::size_t bmpSize = in.restSize();
    const bool fromMemory = source == Source::memory;
    if (!fromMemory) prepare(scratch, source, bmp, bmpSize);

    bool loaded = false;
    if (raw) {
        // An empty destination gets a null pointer: the loader must not touch it.
        std::vector<std::uint32_t> dest(cells, 0xDEADBEEFu);
        std::uint32_t* to = cells > 0 ? dest.data() : nullptr;
        loaded = fromMemory ? easel::detail::loadIconRawFromMemory(bmp, bmpSize, to, width, height)
                            : easel::loadIconRaw(scratch.file(), to, width, height);
        if (!loaded) {
            for (const std::uint32_t v : dest) {
                if (v != 0 && v != 255) std::abort();
            }
        }
    } else {
        std::vector<easel::RgbColor> dest(cells, easel::RgbColor::unmasked(-7, -7, -7));
        easel::RgbColor* to = cells > 0 ? dest.data() : nullptr;
        loaded = fromMemory ? easel::loadIconFromMemory(bmp, bmpSize, to, width, height)
                            : easel::loadIcon(scratch.file(), to, width, height);
        for (const easel::RgbColor& c : dest) {
            if (c.r < 0 || c.r > 255 || c.g < 0 || c.g > 255 || c.b < 0 || c.b > 255) std::abort();
            if (!loaded &&
                !(placeholderChannel(c.r) && placeholderChannel(c.g) && placeholderChannel(c.b))) {
                std::abort();
            }
        }
    }
    if (source == Source::fifo && loaded) std::abort();  // nothing can be read from it
    return 0;
}
