// What the tests share without opening a window.
#include "tests/support/support.h"

#include "model/herd.h"
#include "model/numbers.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace support {

std::string brokenInvariant() {
    const auto isGene = [](std::int32_t g) { return g == 1 || g == 2 || g == 4; };
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        const model::Animal& a = *it;
        if (a.constitution < 1 || a.constitution > 100)
            return "constitution " + std::to_string(a.constitution);
        if (a.illnessLevel < 0 || (a.illnessLevel == 0 && a.illness != 0)) return "illness";
        if (!isGene(a.gene1) || !isGene(a.gene2)) return "genes";
        if (a.iconPicture != model::iconForGenes(a.gene1, a.gene2)) return "icon";
        if (a.sizeClass != model::sizeClassForAge(a.age)) return "size class";
        if (a.age < 0 || a.age > 23) return "age " + std::to_string(a.age);
    }
    if (model::CarriedAnimal && !model::herdContains(model::CarriedAnimal))
        return "the basket holds an animal that left the Herd";
    return {};
}

ui::Picture solid(int width, int height, int channels, std::int32_t colour, int alpha) {
    ui::Picture p{width, height, channels, {}};
    for (int i = 0; i < width * height; ++i) {
        p.pixels.insert(p.pixels.end(), {std::uint8_t(colour >> 16), std::uint8_t(colour >> 8),
                                         std::uint8_t(colour)});
        if (channels == 4) p.pixels.push_back(std::uint8_t(alpha));
    }
    return p;
}

void makeAreas(int width, int height, std::int32_t fill) {
    ui::setPicture(model::AreasPicture, solid(width, height, 3, fill));
    ui::setPicture(model::WorkMapPicture, solid(width, height, 3, 0));
}

void paintAreas(int x0, int y0, int x1, int y1, std::int32_t value) {
    ui::Picture p = *ui::pictureHandle(model::AreasPicture);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            for (int c = 0; c < 3; ++c)
                p.pixels[(std::size_t(y) * p.width + x) * 3 + c] =
                    std::uint8_t(value >> 8 * (2 - c));
    ui::setPicture(model::AreasPicture, std::move(p));
}

std::int32_t pixelOf(int number, int x, int y) {
    if (!ui::openDrawing(number)) return -1;
    const std::int32_t v = ui::readPixel(x, y);
    ui::closeDrawing();
    return v;
}

std::string pictureHash(int number) {
    const ui::Picture* p = ui::pictureHandle(number);
    if (!p) return "none";
    std::uint64_t h = 14695981039346656037ull;
    auto add = [&h](std::uint8_t byte) { h = (h ^ byte) * 1099511628211ull; };
    for (int v : {p->width, p->height, p->channels})
        add(std::uint8_t(v)), add(std::uint8_t(v >> 8));
    for (std::uint8_t byte : p->pixels)
        add(byte);
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(h));
    return text;
}

TempFolder::TempFolder() {
    static int counter = 0;
    path = std::filesystem::temp_directory_path() /
           ("selvo-test-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(path);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TempFolder::write(const std::string& name,
                              const std::vector<std::uint8_t>& bytes) const {
    const std::filesystem::path file = path / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return file.string();
}

void expectGolden(const std::string& name, const std::string& text) {
    const std::string path = std::string(SELVO_SOURCE_DIR) + "/tests/golden/" + name;
    const char* update = std::getenv("SELVO_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::stringstream committed;
    committed << std::ifstream(path, std::ios::binary).rdbuf();
    // The first line that differs, not two copies of the whole file.
    std::istringstream want(committed.str()), got(text);
    std::string w, g;
    int line = 1;
    while (std::getline(want, w) && std::getline(got, g) && w == g)
        ++line;
    if (committed.str() != text)
        ADD_FAILURE() << name << " differs from " << path << " first at line " << line
                      << ":\n  want: " << w << "\n  got:  " << g
                      << "\nIf the change is meant, run SELVO_UPDATE_GOLDEN=1 ctest -R "
                      << "'^golden' and review git diff.";
}

} // namespace support
