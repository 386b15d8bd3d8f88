// BMP and ICO decoding through QImageReader over the bytes in memory; works without an application
// object (the ICO plugin is found through Qt's installed plugin path).
#include "ui/image_reader.h"

#include "ui/png_decode.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstring>

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

bool withinBudget(QSize size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxPictureSide &&
           size.height() <= MaxPictureSide &&
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

} // namespace

bool decodeWithImageReader(const std::uint8_t* data, std::size_t size, Picture& out) {
    out = Picture{};
    if (data == nullptr || size > std::size_t(INT32_MAX)) return false;
    const char* format = formatOf(data, size);
    if (format == nullptr) return false;

    // Qt's own guard for handlers that claim one size and allocate by another (in MB,
    // process-wide).
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

} // namespace ui
