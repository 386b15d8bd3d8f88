// PNG decoding with libpng 1.6 over an in-memory buffer, every libpng error caught by longjmp.
#include "ui/png_decode.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace ui {

namespace {

// Decompressed ancillary chunks (zTXt, iTXt, iCCP) may not grow past this; bounds text bombs.
constexpr png_alloc_size_t MaxChunkBytes = 1024 * 1024;
// Ancillary chunks kept per file; a file repeating sPLT or text chunks cannot pile up memory.
constexpr png_uint_32 MaxCachedChunks = 128;
// Deflate packs at most 1032 bytes into one (a longest match in two bits), so image data needing
// more than that many bytes per byte of the file cannot be in it; such a claim is not allocated.
constexpr std::uint64_t MaxDeflateRatio = 1032;

// What the transforms will produce, known after png_read_update_info.
struct RowLayout {
    png_uint_32 width;
    png_uint_32 height;
    int channels;
    std::size_t fileRowBytes; // one row as the file stores it, before the transforms
};

void readFromMemory(png_structp png, png_bytep out, size_t length) {
    if (!readNext(*static_cast<MemorySource*>(png_get_io_ptr(png)), out, length))
        png_error(png, "file ends early");
}

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// libpng falls back to printing and aborting if an error handler returns, so this never does.
[[noreturn]] void failSilently(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Sets up every transform towards 8-bit B,G,R(,A) and checks the result. All locals are trivial
// because libpng may longjmp back into the setjmp here.
bool readHeader(png_structp png, png_infop info, PngTransparency transparency, RowLayout& layout) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);

    const int colorType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    const bool hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 ||
                          (hasTrns && transparency == PngTransparency::AsAlpha);
    layout.fileRowBytes = png_get_rowbytes(png, info);

    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
    // Palette expansion turns tRNS into an alpha channel; dropped again unless it is wanted.
    if (hasTrns && hasAlpha) png_set_tRNS_to_alpha(png);
    if (hasTrns && !hasAlpha) png_set_strip_alpha(png);
    if (bitDepth == 16) png_set_scale_16(png);
    if ((colorType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    layout.width = png_get_image_width(png, info);
    layout.height = png_get_image_height(png, info);
    layout.channels = png_get_channels(png, info);
    const int expected = hasAlpha ? 4 : 3;
    if (png_get_bit_depth(png, info) != 8 || layout.channels != expected) return false;
    return png_get_rowbytes(png, info) == std::size_t{layout.width} * std::size_t(expected);
}

// Reads all rows into storage the caller owns, then the chunks after the image data, so a file
// cut anywhere, even inside its closing chunk, is refused.
bool readRows(png_structp png, png_infop info, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, info);
    return true;
}

// Decodes with already created libpng structs; the caller destroys them on every path.
bool decodeWith(png_structp png, png_infop info, MemorySource& source, PngTransparency transparency,
                Picture& out) {
    png_set_read_fn(png, &source, readFromMemory);
    png_set_user_limits(png, MaxPictureSide, MaxPictureSide);
    png_set_chunk_malloc_max(png, MaxChunkBytes);
    png_set_chunk_cache_max(png, MaxCachedChunks);
    // Only the pixels are wanted: text, colour profiles and the like are skipped unread instead
    // of inflated and kept, which up to the limits above could still add up to 128 MB per file.
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);

    RowLayout layout{};
    if (!readHeader(png, info, transparency, layout)) return false;
    const std::int64_t pixelCount = std::int64_t{layout.width} * layout.height;
    if (layout.width == 0 || layout.height == 0 || pixelCount > MaxPicturePixels) return false;
    if (std::uint64_t{layout.fileRowBytes} * layout.height > source.size * MaxDeflateRatio)
        return false;

    const std::size_t rowBytes = std::size_t{layout.width} * std::size_t(layout.channels);
    std::vector<std::uint8_t> pixels(rowBytes * layout.height);
    std::vector<png_bytep> rows(layout.height);
    for (png_uint_32 y = 0; y < layout.height; ++y)
        rows[y] = pixels.data() + y * rowBytes;
    if (!readRows(png, info, rows.data())) return false;

    out.width = int(layout.width);
    out.height = int(layout.height);
    out.channels = layout.channels;
    out.pixels = std::move(pixels);
    return true;
}

} // namespace

// A chunk claiming more than the rest of the file holds (up to 2 GB from a few bytes) is refused
// here. A file without IEND is cut short and would be refused later anyway.
bool chunksFitInFile(const std::uint8_t* data, std::size_t size) {
    std::size_t position = 8;
    while (size - position >= 12) { // length, type and CRC
        const std::uint32_t length = bigEndian32(data + position);
        if (length > size - position - 12) return false;
        if (std::memcmp(data + position + 4, "IEND", 4) == 0) return true;
        position += 12 + std::size_t{length};
    }
    return false;
}

bool readNext(MemorySource& source, std::uint8_t* out, std::size_t length) {
    if (length > source.size - source.position) return false;
    if (length > 0) std::memcpy(out, source.data + source.position, length); // out may be null then
    source.position += length;
    return true;
}

bool hasPngSignature(const std::uint8_t* data, std::size_t size) {
    return data != nullptr && size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool decodePng(const std::uint8_t* data, std::size_t size, Picture& out,
               PngTransparency transparency) {
    out = Picture{};
    if (!hasPngSignature(data, size) || !chunksFitInFile(data, size)) return false;

    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failSilently, ignoreWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    MemorySource source{data, size, 0};
    const bool ok = info != nullptr && decodeWith(png, info, source, transparency, out);
    png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
    if (!ok) out = Picture{};
    return ok;
}

} // namespace ui
