// Numbered off-screen pictures: loading by number, one open drawing, plain and alpha drawing,
// pixel reads. The game names pictures only by number; no toolkit type crosses this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ui {

// Picture numbers the table can hold: 0 .. MaxPictures - 1. Any other number holds no picture.
constexpr int MaxPictures = 64;

// Largest picture a file may claim; larger ones are refused before anything is allocated.
constexpr int MaxPictureSide = 8192;

// An off-screen bitmap, 8 bits per channel, rows top to bottom without padding.
// channels 3: B,G,R per pixel (no alpha); channels 4: B,G,R,A (straight, not premultiplied).
struct Picture {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<std::uint8_t> pixels; // width * height * channels bytes
};

// Decodes a PNG (or a BMP / ICO file) held in memory. PNG with an alpha channel gives 4
// channels, every other PNG 3 (a tRNS chunk is dropped), 16-bit samples scaled to 8, interlaced
// files de-interlaced. Returns false, with `out` emptied, for anything damaged or oversized.
bool decodePicture(const std::uint8_t* data, std::size_t size, Picture& out);

// Loads the file at `path` under `number`, first freeing what the number held. On any failure
// the number stays empty. Returns whether the load succeeded (start-up ignores it).
bool loadPicture(int number, const std::string& path);

// Loads paths[n] under number n for every n below MaxPictures, as loadPicture would, but reads
// the files on a second thread while the caller goes on: the first use of a number waits for its
// file, or reads it then if the thread has not begun it. A path named twice is read once; each
// number still holds a picture of its own.
void loadPictures(const std::vector<std::string>& paths);

// Puts an already decoded picture under `number` (tests and tools), freeing what it held.
bool setPicture(int number, Picture picture);

// The picture under `number`, or nullptr when the number holds none.
const Picture* pictureHandle(int number);

void freePicture(int number);
void freeAllPictures();

// Opens `number` for drawing; at most one drawing is open, so this closes any other first.
// Fails, leaving no drawing open, when the number holds no picture.
bool openDrawing(int number);
void closeDrawing();
// The number open for drawing, or -1.
int openDrawingNumber();

// Plain copy with top-left corner at (x, y), clipped to the open picture. A 4-channel source
// drawn onto a 3-channel target loses its alpha; nothing happens for nullptr or no open drawing.
void drawPicture(const Picture* source, int x, int y);

// Source-over blend by each source pixel's own alpha; a source without alpha is copied plainly.
void drawPictureAlpha(const Picture* source, int x, int y);

// Colour of the open picture at (x, y) as 0x00BBGGRR (alpha ignored); -1 outside the picture
// or with no drawing open.
std::int32_t readPixel(int x, int y);

// Every pixel of `picture` as readPixel gives it, rows top to bottom.
std::vector<std::int32_t> pixelValues(const Picture& picture);

} // namespace ui
