// Contact sheet layout and the few drawing aids it needs (false colours, a digit font).
#include "tools/mkmedia/contact_sheet.h"

#include <algorithm>
#include <vector>

#include "tools/mkmedia/distance.h"
#include "tools/mkmedia/generate.h"
#include "tools/mkmedia/layout.h"
#include "tools/mkmedia/png_io.h"

namespace mkmedia {
namespace {

constexpr int Gap = 16;
constexpr Rgb SheetGround{210, 210, 206};
constexpr Rgb LightGround{240, 240, 240}; // the button face the mode pictures sit on
constexpr Rgb DarkGround{44, 46, 50};

// 3 x 5 digits, one row per 3 bits, top row first.
constexpr int Digits[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

// Writes `value` with its top-left corner at (x, y), each font pixel `size` pixels wide.
void drawNumber(Image& img, int x, int y, int value, int size, Rgb colour) {
    const std::string text = std::to_string(value);
    for (char ch : text) {
        const int* rows = Digits[ch - '0'];
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 3; ++c)
                if (rows[r] & (4 >> c))
                    fillRect(img, x + c * size, y + r * size, size, size, colour);
        x += 4 * size;
    }
}

// Width in pixels of drawNumber's text.
int numberWidth(int value, int size) {
    return static_cast<int>(std::to_string(value).size()) * 4 * size - size;
}

// Sixteen well separated colours for the Areas.
constexpr Rgb AreaColours[AreaCount + 1] = {
    {0, 0, 0},       {230, 159, 0},  {86, 180, 233},  {0, 158, 115},   {240, 228, 66},
    {0, 114, 178},   {213, 94, 0},   {204, 121, 167}, {120, 200, 80},  {160, 90, 210},
    {250, 130, 130}, {90, 230, 210}, {180, 150, 90},  {255, 190, 220}, {120, 130, 240},
    {200, 220, 140}, {150, 60, 90},
};

// The areas picture in false colours, with each Area's number at its most inland point.
Image areasView(const Image& key, const Image& bordered) {
    Image out = bordered;
    const int w = key.width, h = key.height;
    const std::size_t n = static_cast<std::size_t>(w) * h;
    for (std::size_t i = 0; i < n; ++i) {
        const int v = key.data[i * key.channels];
        const Rgb c = v <= AreaCount ? AreaColours[v] : Rgb{255, 0, 255};
        for (int k = 0; k < 3; ++k) {
            const double ch = k == 0 ? c.r : (k == 1 ? c.g : c.b);
            out.data[i * 3 + k] = toByte(out.data[i * 3 + k] * 0.45 + ch * 0.55);
        }
    }
    for (int a = 1; a <= AreaCount; ++a) {
        std::vector<std::uint8_t> outside(n);
        for (std::size_t i = 0; i < n; ++i)
            outside[i] = key.data[i * key.channels] != a;
        const std::vector<double> d = distanceToMask(outside, w, h);
        std::size_t best = 0;
        double bestScore = -1;
        for (std::size_t i = 0; i < n; ++i) {
            const int x = static_cast<int>(i % w), y = static_cast<int>(i / w);
            const int edge = std::min(std::min(x + 1, w - x), std::min(y + 1, h - y));
            const double score = std::min(d[i], double(edge));
            if (score > bestScore) {
                bestScore = score;
                best = i;
            }
        }
        const int size = 4;
        const int x = static_cast<int>(best % w) - numberWidth(a, size) / 2;
        const int y = static_cast<int>(best / w) - 5 * size / 2;
        fillRect(out, x - 3, y - 3, numberWidth(a, size) + 6, 5 * size + 6, {255, 255, 255});
        drawNumber(out, x, y, a, size, {0, 0, 0});
    }
    return out;
}

// Icon file index (IconColourWords order) of a gene pair.
int iconIndex(int gene1, int gene2) {
    switch (gene1 | gene2) {
    case Blue:
        return 0;
    case Red:
        return 1;
    case Yellow:
        return 2;
    case Yellow | Blue:
        return 3;
    case Red | Yellow:
        return 4;
    default:
        return 5; // red and blue
    }
}

} // namespace

bool writeContactSheet(const std::string& file, const std::string& mediaDir) {
    auto load = [&](const std::string& name) {
        Image img;
        readPng(mediaDir + "/" + name, img);
        return img;
    };
    const Image plain = load("Karte.png");
    const Image bordered = load("KarteBorders.png");
    const Image key = load("KarteGebiete.png");
    if (plain.width != MapWidth || bordered.width != MapWidth || key.width != MapWidth)
        return false;
    std::vector<Image> big, small;
    for (const char* word : IconColourWords) {
        big.push_back(load(std::string("Selvo ") + word + ".png"));
        small.push_back(load(std::string("Selvo ") + word + " kl.png"));
    }
    const Image modes[3] = {load("Gewehr.png"), load("Korb.png"), load("Hege.png")};
    const Image tool = load("TB_Gebiete.png");

    const int width = 2 * MapWidth + 3 * Gap, height = 2 * MapHeight + 3 * Gap;
    Image sheet = makeImage(width, height, 3);
    fillRect(sheet, 0, 0, width, height, SheetGround);

    // Top left: the bordered map with the founders as a new game shows them.
    Image herd = bordered;
    for (const Founder& f : Founders) {
        const Image& icon = f.age >= 6
                                ? big[static_cast<std::size_t>(iconIndex(f.gene1, f.gene2))]
                                : small[static_cast<std::size_t>(iconIndex(f.gene1, f.gene2))];
        blit(herd, icon, f.x - icon.width / 2, f.y - icon.height / 2);
    }
    blit(sheet, herd, Gap, Gap);
    blit(sheet, areasView(key, bordered), 2 * Gap + MapWidth, Gap);
    blit(sheet, plain, Gap, 2 * Gap + MapHeight);

    // Bottom right: icons and small pictures on light and dark ground.
    const int px = 2 * Gap + MapWidth, py = 2 * Gap + MapHeight;
    const int half = 236;
    fillRect(sheet, px, py, MapWidth, half, LightGround);
    fillRect(sheet, px, py + half, MapWidth, half, DarkGround);
    for (int ground = 0; ground < 2; ++ground) {
        const int y0 = py + ground * half + 10;
        for (std::size_t i = 0; i < big.size(); ++i) {
            const int x = px + 10 + static_cast<int>(i) * 110;
            blit(sheet, enlarge(big[i], 4), x, y0);
            blit(sheet, enlarge(small[i], 4), x, y0 + 104);
            blit(sheet, big[i], x, y0 + 170);
            blit(sheet, small[i], x + 34, y0 + 175);
        }
        blit(sheet, enlarge(tool, 4), px + 680, y0);
        blit(sheet, tool, px + 760, y0);
        blit(sheet, enlarge(big[0], 2), px + 680, y0 + 104);
        blit(sheet, enlarge(small[1], 2), px + 740, y0 + 104);
    }
    const int my = py + 2 * half + 8;
    for (int m = 0; m < 3; ++m) {
        const int x = px + 10 + m * 250;
        fillRect(sheet, x, my, 80, 25, LightGround);
        blit(sheet, modes[m], x + (80 - modes[m].width) / 2, my + (25 - modes[m].height) / 2);
        fillRect(sheet, x + 90, my, 3 * 72 - 90 + 24, 3 * 23 + 8, LightGround);
        blit(sheet, enlarge(modes[m], 2), x + 96, my + 2);
    }
    return writePng(file, sheet);
}

} // namespace mkmedia
