// The layout tables. The founder groups sit in valleys of their own:
//   Area 3: #1 #2 #3            (young male #1 turns 8 next year: slow growth in a small Area)
//   Area 6: #7 #8 #9            (females only: waits for the player to bring a male)
//   Area 7: #15 #16 #17 #18 #19 (male #17 fathers with #16 and #19 in the largest Area)
//   Area 8: #13 #14             (male #14 fathers with #13)
//   Area 9: #10 #11 #12         (two mothers, a male of 2: waits for a father)
//   Area 10: #4 #5 #6           (male #6 fathers with #4)
// The other ten Areas start empty.
#include "tools/mkmedia/layout.h"

namespace mkmedia {

const std::array<AreaSeed, AreaCount + 1> AreaSeeds = {{
    {{}, {}},
    {{{100, 95}}, {}},
    {{{300, 105}}, {}},
    {{{525, 160}}, {1, 2, 3}},
    {{{612, 115}, {650, 152}}, {}},
    {{{790, 105}, {688, 158}, {872, 95}}, {}},
    {{{140, 230}, {245, 270}}, {7, 8, 9}},
    {{{470, 320}, {545, 365}}, {15, 16, 17, 18, 19}},
    {{{680, 275}}, {13, 14}},
    {{{775, 235}}, {10, 11, 12}},
    {{{265, 350}}, {4, 5, 6}},
    {{{390, 410}}, {}},
    {{{665, 400}, {630, 440}, {730, 458}}, {}},
    {{{810, 360}, {765, 468}, {858, 300}}, {}},
    {{{150, 545}}, {}},
    {{{370, 560}, {492, 592}}, {}},
    {{{720, 565}, {578, 590}}, {}},
}};

const std::vector<Massif> Massifs = {
    {{395, 235}, 105, 0.55}, {{705, 45}, 95, 0.50},  {{845, 470}, 80, 0.40},
    {{215, 25}, 85, 0.38},   {{630, 520}, 60, 0.26},
};

const std::vector<Lake> Lakes = {
    {{88, 405}, 48, 30},
    {{545, 472}, 42, 26},
};

const std::vector<Point> RiverCourse = {
    {694, 96},  {668, 150}, {648, 205}, {622, 262}, {614, 320}, {606, 385},
    {572, 440}, {545, 472}, {532, 520}, {522, 575}, {540, 640},
};

std::vector<Point> seedPoints(int area) {
    const AreaSeed& seed = AreaSeeds[static_cast<std::size_t>(area)];
    std::vector<Point> pts = seed.points;
    for (int f : seed.founders) {
        const Founder& fo = Founders[static_cast<std::size_t>(f - 1)];
        pts.push_back({double(fo.x), double(fo.y)});
    }
    return pts;
}

} // namespace mkmedia
