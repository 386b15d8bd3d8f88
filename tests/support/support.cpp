// What the tests share without opening a window.
#include "tests/support/support.h"

#include "model/areas.h"
#include "model/herd.h"

#include <gtest/gtest.h>

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

void makeAreas(int width, int height, std::int32_t fill) {
    model::setAreaMap(
        {width, height, std::vector<std::int32_t>(std::size_t(width * height), fill)});
}

void paintAreas(int x0, int y0, int x1, int y1, std::int32_t value) {
    model::AreaMap m = model::areaMap();
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            m.values[std::size_t(y) * std::size_t(m.width) + std::size_t(x)] = value;
    model::setAreaMap(std::move(m));
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
    const std::string committed = fileBytes(path);
    if (committed == text) return;
    // The first line that differs, not two copies of the whole file; a missing line shows as
    // "(none)", so that an output that only grew names its first extra line.
    std::istringstream want(committed), got(text);
    std::string w, g;
    int line = 0;
    for (;;) {
        ++line;
        const bool hasWant = bool(std::getline(want, w)), hasGot = bool(std::getline(got, g));
        if (!hasWant) w = "(none)";
        if (!hasGot) g = "(none)";
        if (!hasWant || !hasGot || w != g) break;
    }
    std::size_t column = 0;
    while (column < w.size() && column < g.size() && w[column] == g[column])
        ++column;
    const std::string actual = std::string(SELVO_BINARY_DIR) + "/" + name + ".actual";
    std::ofstream(actual, std::ios::binary) << text;
    ADD_FAILURE() << name << " differs from " << path << " first at line " << line << ", column "
                  << column + 1 << ":\n  want: " << w << "\n  got:  " << g << "\nSee diff -u "
                  << path << " " << actual
                  << "\nIf the change is meant, run SELVO_UPDATE_GOLDEN=1 ctest -R '^golden' "
                  << "and review git diff.";
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::uint8_t> fileData(const std::filesystem::path& path) {
    const std::string bytes = fileBytes(path);
    return {bytes.begin(), bytes.end()};
}

} // namespace support
