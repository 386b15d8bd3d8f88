// The areas picture as the game's rules read it: clean Area numbers, one region per Area, sizes
// after the capacities, founders well inside Areas that let the herd breed without crowding;
// and the bordered map, which differs from the plain map only along the Area edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "map/area.h"
#include "media_fixture.h"
#include "model/tables.h"

namespace {

using media_fixture::keyAt;
using media_fixture::MapH;
using media_fixture::MapW;

class AreasPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(media_fixture::areaKey().size(), std::size_t(MapW) * MapH);
        model::loadTables();
    }

    static std::array<int, 17> pixelCounts() {
        std::array<int, 17> count{};
        for (int v : media_fixture::areaKey())
            if (v >= 0 && v <= 16) ++count[static_cast<std::size_t>(v)];
        return count;
    }

    // Area of each founder, in table order, read the way a new game reads it.
    static std::vector<int> founderAreas() {
        EXPECT_TRUE(ui::loadPicture(model::AreasPicture, model::PictureFiles[model::AreasPicture]));
        std::vector<int> areas;
        for (const model::Founder& f : model::founderTable)
            areas.push_back(map::areaAt(f.x, f.y));
        ui::freePicture(model::AreasPicture);
        return areas;
    }
};

TEST_F(AreasPicture, HoldsOnlyAreaNumbersAndBlack) {
    for (std::size_t i = 0; i < media_fixture::areaKey().size(); ++i) {
        const int v = media_fixture::areaKey()[i];
        ASSERT_TRUE(v >= 0 && v <= 16) << "pixel " << i % MapW << "," << i / MapW << " = " << v;
    }
}

TEST_F(AreasPicture, EveryAreaIsOneFourConnectedRegion) {
    const std::array<int, 17> count = pixelCounts();
    for (int a = 1; a <= 16; ++a) {
        ASSERT_GT(count[static_cast<std::size_t>(a)], 0) << "Area " << a << " missing";
        std::vector<char> seen(std::size_t(MapW) * MapH, 0);
        std::vector<int> stack;
        for (int i = 0; i < MapW * MapH && stack.empty(); ++i)
            if (media_fixture::areaKey()[static_cast<std::size_t>(i)] == a) stack.push_back(i);
        seen[static_cast<std::size_t>(stack[0])] = 1;
        int reached = 0;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            ++reached;
            const int x = i % MapW, y = i / MapW;
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= MapW || n[1] >= MapH) continue;
                const int j = n[1] * MapW + n[0];
                if (!seen[static_cast<std::size_t>(j)] && keyAt(n[0], n[1]) == a) {
                    seen[static_cast<std::size_t>(j)] = 1;
                    stack.push_back(j);
                }
            }
        }
        EXPECT_EQ(reached, count[static_cast<std::size_t>(a)]) << "Area " << a << " in pieces";
    }
}

// Ranks 1..n with ties sharing their mean rank.
std::vector<double> ranks(const std::vector<double>& v) {
    std::vector<double> r(v.size());
    for (std::size_t i = 0; i < v.size(); ++i) {
        double below = 0, equal = 0;
        for (double w : v) {
            below += w < v[i];
            equal += w == v[i];
        }
        r[i] = below + (equal + 1) / 2;
    }
    return r;
}

TEST_F(AreasPicture, SizesFollowTheCapacities) {
    const std::array<int, 17> count = pixelCounts();
    std::vector<double> size, capacity;
    for (int a = 1; a <= 16; ++a) {
        size.push_back(count[static_cast<std::size_t>(a)]);
        capacity.push_back(model::AreaCapacity[static_cast<std::size_t>(a)]);
    }
    const std::vector<double> rs = ranks(size), rc = ranks(capacity);
    const double mean = 8.5;
    double cov = 0, vs = 0, vc = 0;
    for (std::size_t i = 0; i < 16; ++i) {
        cov += (rs[i] - mean) * (rc[i] - mean);
        vs += (rs[i] - mean) * (rs[i] - mean);
        vc += (rc[i] - mean) * (rc[i] - mean);
    }
    EXPECT_GE(cov / std::sqrt(vs * vc), 0.8) << "Spearman rank correlation";
    EXPECT_GE(rs[6], 14) << "Area 7 (capacity 15) among the three largest";
    EXPECT_EQ(rs[3], 1) << "Area 4 (capacity 3) the smallest";
}

TEST_F(AreasPicture, FoundersStandTwelvePixelsInsideTheirArea) {
    const std::vector<int> areas = founderAreas();
    for (std::size_t k = 0; k < model::founderTable.size(); ++k) {
        const model::Founder& f = model::founderTable[k];
        ASSERT_TRUE(model::isArea(areas[k])) << "founder #" << k + 1;
        for (int dy = -12; dy <= 12; ++dy)
            for (int dx = -12; dx <= 12; ++dx)
                ASSERT_EQ(keyAt(f.x + dx, f.y + dy), areas[k])
                    << "founder #" << k + 1 << " at offset " << dx << "," << dy;
    }
}

TEST_F(AreasPicture, FounderAreasLetTheHerdBreedWithoutCrowding) {
    const std::vector<int> area = founderAreas();
    auto shares = [&](int male, std::initializer_list<int> females) {
        return std::any_of(females.begin(), females.end(), [&](int f) {
            return area[std::size_t(f - 1)] == area[std::size_t(male - 1)];
        });
    };
    EXPECT_TRUE(shares(6, {4, 9})) << "male #6 (12) with #4 or #9";
    EXPECT_TRUE(shares(14, {10, 12, 13})) << "male #14 (11) with #10, #12 or #13";
    EXPECT_TRUE(shares(17, {16, 19})) << "male #17 (9) with #16 or #19";
    EXPECT_TRUE(shares(1, {3})) << "male #1 (7) with #3";

    std::array<int, 17> held{};
    for (int a : area)
        ++held[static_cast<std::size_t>(a)];
    int empty = 0;
    for (int a = 1; a <= 16; ++a) {
        EXPECT_LE(held[static_cast<std::size_t>(a)],
                  model::AreaCapacity[static_cast<std::size_t>(a)])
            << "Area " << a;
        empty += held[static_cast<std::size_t>(a)] == 0;
    }
    EXPECT_GE(empty, 5);
}

TEST(BorderMap, DiffersFromThePlainMapOnlyAlongAreaEdges) {
    ASSERT_EQ(media_fixture::areaKey().size(), std::size_t(MapW) * MapH);
    const ui::Picture plain =
        media_fixture::decodeFile(model::PictureFiles[model::PlainMapPicture]);
    const ui::Picture bordered =
        media_fixture::decodeFile(model::PictureFiles[model::BorderMapPicture]);
    ASSERT_EQ(plain.pixels.size(), std::size_t(MapW) * MapH * 3);
    ASSERT_EQ(bordered.pixels.size(), plain.pixels.size());

    auto differs = [&](int x, int y) {
        const std::size_t i = (std::size_t(y) * MapW + x) * 3;
        return !std::equal(&plain.pixels[i], &plain.pixels[i] + 3, &bordered.pixels[i]);
    };
    auto isEdge = [](int x, int y) {
        const int v = keyAt(x, y);
        return (x > 0 && keyAt(x - 1, y) != v) || (x + 1 < MapW && keyAt(x + 1, y) != v) ||
               (y > 0 && keyAt(x, y - 1) != v) || (y + 1 < MapH && keyAt(x, y + 1) != v);
    };
    // Whether any pixel of the (2r+1)-square around (x, y) satisfies `test`.
    auto near = [](int x, int y, int r, auto test) {
        for (int yy = std::max(0, y - r); yy <= std::min(MapH - 1, y + r); ++yy)
            for (int xx = std::max(0, x - r); xx <= std::min(MapW - 1, x + r); ++xx)
                if (test(xx, yy)) return true;
        return false;
    };

    int strays = 0, edges = 0, drawnEdges = 0;
    for (int y = 0; y < MapH; ++y) {
        for (int x = 0; x < MapW; ++x) {
            if (differs(x, y) && !near(x, y, 3, isEdge)) ++strays;
            if (isEdge(x, y)) {
                ++edges;
                drawnEdges += near(x, y, 1, differs);
            }
        }
    }
    EXPECT_EQ(strays, 0) << "changed pixels more than 3 pixels from any Area edge";
    ASSERT_GT(edges, 0);
    EXPECT_GE(double(drawnEdges) / edges, 0.95) << "edge pixels with the border drawn beside them";
}

} // namespace
