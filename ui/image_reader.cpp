// BMP and ICO decoding through QImageReader over the bytes in memory; works without an application
// object (the ICO plugin is found through Qt's installed plugin path).
#include "ui/image_reader.h"

#include "ui/png_decode.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstdlib>
#include <cstring>
#include <optional>

namespace ui {

namespace {

// Format name for QImageReader, chosen from the first bytes so that no other format Qt knows
// (GIF, JPEG, XPM, ...) is ever accepted; nullptr for anything else.
const char* formatOf(const std::uint8_t* data, std::size_t size) {
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') return "bmp";
    static const std::uint8_t icoHeader[4] = {0, 0, 1, 0};
    if (size >= 6 && std::memcmp(data, icoHeader, 4) == 0) return "ico";
    return nullptr;
}

std::uint32_t littleEndian16(const std::uint8_t* p) {
    return p[0] | unsigned(p[1]) << 8;
}

std::uint32_t littleEndian32(const std::uint8_t* p) {
    return littleEndian16(p) | littleEndian16(p + 2) << 16;
}

} // namespace

bool bmpPixelsComplete(const std::uint8_t* data, std::size_t size) {
    if (size < 26) return false;
    const std::uint32_t headerSize = littleEndian32(data + 14);
    std::int64_t width, height, bits, compression = 0;
    if (headerSize == 12) {
        width = littleEndian16(data + 18);
        height = littleEndian16(data + 20);
        bits = littleEndian16(data + 24);
    } else {
        if (headerSize < 40 || size < 54) return false;
        width = std::int32_t(littleEndian32(data + 18));
        height = std::int32_t(littleEndian32(data + 22));
        bits = littleEndian16(data + 28);
        compression = littleEndian32(data + 30);
    }
    const int plain = 0, bitFields = 3, alphaBitFields = 6;
    if (compression != plain && compression != bitFields && compression != alphaBitFields)
        return true;
    if (std::abs(width) > MaxPictureSide || std::abs(height) > MaxPictureSide) return false;
    const std::int64_t stride = (std::abs(width) * bits + 31) / 32 * 4;
    return littleEndian32(data + 10) + stride * std::abs(height) <= std::int64_t(size);
}

namespace {

// An icon whose first image (the only one read) is stored as a whole PNG file. Qt would hand that
// file to its own PNG reader, which trusts every chunk length and inflates text chunks without
// limit, so it takes the hardened decodePng instead, keeping tRNS transparency as icons always
// have. Nothing when that image is a bitmap, which is left to Qt.
std::optional<bool> decodePngIcon(const std::uint8_t* data, std::size_t size, Picture& out) {
    const std::size_t entry = 6; // the first directory entry, after the header
    if (size < entry + 16 || littleEndian16(data + 4) == 0) return std::nullopt;
    const std::size_t length = littleEndian32(data + entry + 8);
    const std::size_t offset = littleEndian32(data + entry + 12);
    if (offset > size || !hasPngSignature(data + offset, size - offset)) return std::nullopt;
    // A PNG that the directory says runs past the end of the file is damaged.
    return length <= size - offset &&
           decodePng(data + offset, length, out, PngTransparency::AsAlpha);
}

// For sizes Qt calls valid (no side negative); an empty image is refused as a null one.
bool withinBudget(QSize size) {
    return size.width() <= MaxPictureSide && size.height() <= MaxPictureSide &&
           std::int64_t{size.width()} * size.height() <= MaxPicturePixels;
}

void copyPixels(const QImage& image, Picture& out) {
    const bool alpha = image.hasAlphaChannel();
    // ARGB32 is straight alpha, so premultiplied sources are unpremultiplied here.
    const QImage source =
        image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    out.width = source.width();
    out.height = source.height();
    out.channels = alpha ? 4 : 3;
    out.pixels.resize(std::size_t(out.width) * out.height * out.channels);
    std::uint8_t* to = out.pixels.data();
    for (int y = 0; y < source.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            *to++ = std::uint8_t(qBlue(row[x]));
            *to++ = std::uint8_t(qGreen(row[x]));
            *to++ = std::uint8_t(qRed(row[x]));
            if (alpha) *to++ = std::uint8_t(qAlpha(row[x]));
        }
    }
}

void dropMessage(QtMsgType, const QMessageLogContext&, const QString&) {}

bool readImage(const std::uint8_t* data, std::size_t size, const char* format, Picture& out) {
    // Qt's own guard (in MB, process-wide) for handlers that claim one size and allocate another.
    QImageReader::setAllocationLimit(int(MaxPicturePixels * 4 / (1024 * 1024)));
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return false;
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    // Handlers that cannot tell the size up front are still bounded by the allocation limit.
    const QSize claimed = reader.size();
    if (claimed.isValid() && !withinBudget(claimed)) return false;

    const QImage image = reader.read();
    if (image.isNull() || !withinBudget(image.size())) return false;
    copyPixels(image, out);
    return true;
}

} // namespace

bool decodeWithImageReader(const std::uint8_t* data, std::size_t size, Picture& out) {
    out = Picture{};
    if (data == nullptr || size > std::size_t(INT32_MAX)) return false;
    const char* format = formatOf(data, size);
    if (format == nullptr) return false;
    if (std::strcmp(format, "bmp") == 0 && !bmpPixelsComplete(data, size)) return false;
    if (std::strcmp(format, "ico") == 0)
        if (const std::optional<bool> decoded = decodePngIcon(data, size, out)) return *decoded;

    // Qt reports damaged files through qWarning (a QBuffer seek past the end, for one), but a
    // failed load must stay silent: messages are dropped while the reader runs.
    const QtMessageHandler previous = qInstallMessageHandler(dropMessage);
    const bool ok = readImage(data, size, format, out);
    qInstallMessageHandler(previous);
    if (!ok) out = Picture{};
    return ok;
}

} // namespace ui
