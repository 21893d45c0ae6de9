// Reading BMP and PNG files for image geometries.
//
// The file is read into memory once and its header checked here before the
// decoder sees it: the decoder fills pixels missing from a short BMP with
// black and would allocate whatever a header claims, so a file shorter than
// its header says, one without pixels and one over the size limit are
// refused with the reason. A PNG's empty IDAT chunks, which carry nothing,
// are left out before decoding.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include "HostImpl.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace quorvin::host {

namespace {

uint32_t bigEndian32(const unsigned char *p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}
uint32_t littleEndian32(const unsigned char *p) {
    return (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}
uint16_t littleEndian16(const unsigned char *p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

bool readWholeFile(const std::string &file, std::vector<unsigned char> *bytes, std::string *why) {
    FILE *in = std::fopen(file.c_str(), "rb");
    if (!in) {
        *why = std::strerror(errno);
        return false;
    }
    unsigned char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0)
        bytes->insert(bytes->end(), chunk, chunk + n);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed)
        *why = "read error";
    return !failed;
}

std::string sizeProblem(int64_t width, int64_t height) {
    if (width <= 0 || height <= 0)
        return "it holds no pixels (" + std::to_string(width) + " x " + std::to_string(height) +
               ")";
    if (width > kMaxImageSide || height > kMaxImageSide)
        return "it is " + std::to_string(width) + " x " + std::to_string(height) +
               " pixels, more than the " + std::to_string(kMaxImageSide) + " x " +
               std::to_string(kMaxImageSide) + " allowed";
    return std::string();
}

// Checks a PNG's chunk list; leaves out empty IDAT chunks (*bytes changes).
std::string checkPng(std::vector<unsigned char> *bytes) {
    const std::vector<unsigned char> &b = *bytes;
    if (b.size() < 8 + 8 + 13 || std::memcmp(&b[12], "IHDR", 4) != 0)
        return "the file ends inside its header (truncated)";
    std::string problem = sizeProblem(bigEndian32(&b[16]), bigEndian32(&b[20]));
    if (!problem.empty())
        return problem;
    uint64_t pixelData = 0;
    bool emptyIdat = false;
    for (size_t at = 8;;) {
        if (at + 8 > b.size())
            return "the file ends before its IEND chunk (truncated)";
        const uint64_t length = bigEndian32(&b[at]);
        const bool idat = std::memcmp(&b[at + 4], "IDAT", 4) == 0;
        if (at + 12 + length > b.size())
            return "the file is shorter than its chunk headers say (truncated)";
        if (idat) {
            pixelData += length;
            emptyIdat = emptyIdat || length == 0;
        }
        if (std::memcmp(&b[at + 4], "IEND", 4) == 0)
            break;
        at += 12 + length;
    }
    if (pixelData == 0)
        return "it holds no pixel data (no IDAT chunk with data)";
    if (emptyIdat) {
        std::vector<unsigned char> kept(b.begin(), b.begin() + 8);
        for (size_t at = 8;;) {
            const size_t length = bigEndian32(&b[at]);
            const bool end = std::memcmp(&b[at + 4], "IEND", 4) == 0;
            if (length != 0 || std::memcmp(&b[at + 4], "IDAT", 4) != 0)
                kept.insert(kept.end(), b.begin() + static_cast<std::ptrdiff_t>(at),
                            b.begin() + static_cast<std::ptrdiff_t>(at + 12 + length));
            if (end)
                break;
            at += 12 + length;
        }
        bytes->swap(kept);
    }
    return std::string();
}

// Checks a BMP's header against the file's length: the decoder reads missing
// pixels as black instead of failing.
std::string checkBmp(const std::vector<unsigned char> &b) {
    if (b.size() < 14 + 16)
        return "the file ends inside its header (truncated)";
    const uint32_t pixelOffset = littleEndian32(&b[10]);
    const uint32_t headerSize = littleEndian32(&b[14]);
    int64_t width, height;
    uint32_t bitsPerPixel, compression = 0;
    if (headerSize == 12) { // the old OS/2 header
        width = littleEndian16(&b[18]);
        height = littleEndian16(&b[20]);
        bitsPerPixel = littleEndian16(&b[24]);
    } else {
        if (b.size() < 14 + 20)
            return "the file ends inside its header (truncated)";
        width = static_cast<int32_t>(littleEndian32(&b[18]));
        height = static_cast<int32_t>(littleEndian32(&b[22]));
        bitsPerPixel = littleEndian16(&b[28]);
        compression = littleEndian32(&b[30]);
    }
    if (height < 0)
        height = -height; // rows stored from the top
    std::string problem = sizeProblem(width, height);
    if (!problem.empty())
        return problem;
    // Uncompressed rows are padded to 4 bytes; compressed data (which the
    // decoder refuses itself) has no length to check here.
    if (compression == 0 || compression == 3) {
        const uint64_t row = (static_cast<uint64_t>(bitsPerPixel) * width + 31) / 32 * 4;
        const uint64_t needed = pixelOffset + row * static_cast<uint64_t>(height);
        if (bitsPerPixel != 0 && b.size() < needed)
            return "the file holds " + std::to_string(b.size()) + " bytes but its header says " +
                   std::to_string(needed) + " (truncated)";
    }
    return std::string();
}

} // namespace

bool Host::Impl::loadImage(const std::string &file, Geom &geom, std::string *error) {
    auto refuse = [&](const std::string &why) {
        if (error)
            *error = "cannot read image \"" + file + "\": " + why;
        return false;
    };
    if (file.empty()) {
        if (error)
            *error = "no image file given";
        return false;
    }
    std::vector<unsigned char> bytes;
    std::string why;
    if (!readWholeFile(file, &bytes, &why))
        return refuse(why);
    if (bytes.size() > static_cast<size_t>(INT32_MAX))
        return refuse("the file is larger than 2 GB");
    if (bytes.size() >= 8 && std::memcmp(bytes.data(), "\x89PNG\r\n\x1a\n", 8) == 0)
        why = checkPng(&bytes);
    else if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        why = checkBmp(bytes);
    else
        why = bytes.empty() ? "the file is empty" : "it is neither a BMP nor a PNG file";
    if (!why.empty())
        return refuse(why);
    int width = 0, height = 0, channels = 0;
    unsigned char *pixels = stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                  &width, &height, &channels, 3);
    if (!pixels) {
        const char *reason = stbi_failure_reason();
        return refuse(reason && *reason ? reason : "it cannot be decoded");
    }
    why = sizeProblem(width, height);
    if (!why.empty()) {
        stbi_image_free(pixels);
        return refuse(why);
    }
    geom.pixelWidth = width;
    geom.pixelHeight = height;
    geom.rgb = SharedPixels(std::make_shared<const std::vector<unsigned char>>(
        pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height) * 3));
    stbi_image_free(pixels);
    return true;
}

} // namespace quorvin::host
