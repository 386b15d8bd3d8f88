// Loading the real pictures and placing seeded herds on the real Areas.
#include "bench/fixtures.h"

#include "app/numbers.h"
#include "model/animal.h"
#include "model/areas.h"
#include "model/herd.h"
#include "model/tables.h"
#include "ui/picture.h"

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace bench {

namespace {

std::string error;
bool loaded = false;

// Every pixel of each Area, read once from the areas picture.
std::array<std::vector<std::array<std::int32_t, 2>>, model::AreaCount + 1> areaPixels;

void collectAreaPixels() {
    for (auto& pixels : areaPixels)
        pixels.clear();
    const ui::Picture* p = ui::pictureHandle(map::AreasPicture);
    if (p == nullptr) return;
    model::setAreaMap({p->width, p->height, ui::pixelValues(*p)});
    for (int y = 0; y < p->height; ++y)
        for (int x = 0; x < p->width; ++x) {
            const std::int32_t v = model::areaValue(x, y);
            if (model::isArea(v)) areaPixels[std::size_t(v)].push_back({x, y});
        }
}

} // namespace

std::string picturePath(int number) {
    return std::string(SELVO_ROOT) + "/" + app::PictureFiles[std::size_t(number)];
}

bool loadMedia() {
    if (loaded) return error.empty();
    loaded = true;
    model::loadTables();
    for (int n = 0; n < map::PictureCount; ++n) {
        if (!ui::loadPicture(n, picturePath(n))) {
            error = "cannot load " + picturePath(n) + " (run the media target first)";
            return false;
        }
    }
    collectAreaPixels();
    for (int a = 1; a <= model::AreaCount; ++a)
        if (areaPixels[std::size_t(a)].empty()) error = "Area " + std::to_string(a) + " is empty";
    return error.empty();
}

const std::string& mediaError() {
    return error;
}

void buildHerd(int count, std::uint32_t seed) {
    std::mt19937 rng(seed);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    constexpr std::int32_t genes[3] = {1, 2, 4};
    model::herdClear();
    for (int i = 0; i < count; ++i) {
        model::Animal& a = model::herdAppend();
        const int area = 1 + i % model::AreaCount;
        const auto& pixels = areaPixels[std::size_t(area)];
        const auto& at = pixels[std::size_t(pick(int(pixels.size())))];
        a.x = at[0];
        a.y = at[1];
        a.area = area;
        a.gene1 = genes[pick(3)];
        a.gene2 = genes[pick(3)];
        a.iconPicture = model::iconForGenes(a.gene1, a.gene2);
        a.sex = pick(2);
        a.age = pick(20);
        a.sizeClass = model::sizeClassForAge(a.age);
        a.constitution = 40 + pick(61);
        if (pick(10) == 0) {
            a.illness = genes[pick(3)];
            a.illnessLevel = 10 + pick(21);
        }
    }
}

double fastest(const std::vector<double>& times) {
    return times.empty() ? 0.0 : *std::min_element(times.begin(), times.end());
}

} // namespace bench
