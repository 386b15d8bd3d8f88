// The tool bar's own icons, drawn with the anti-aliased painter at 16 pixels.
#include "tools/mkmedia/tool_icons.h"

#include "tools/mkmedia/shapes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace mkmedia {
namespace {

constexpr int S = 16;
constexpr Rgb Ink{44, 46, 52};
constexpr Rgb Paper{252, 252, 246}, PaperShade{214, 216, 206};

// A sheet of paper, its top right corner folded down.
std::vector<Paint> sheet() {
    const std::vector<Point> page = {{3, 1.5}, {10, 1.5}, {13, 4.5}, {13, 14.5}, {3, 14.5}};
    const std::vector<Point> fold = {{10, 1.5}, {10, 4.5}, {13, 4.5}};
    return {
        {[=](Point p) { return sdPolygon(p, page); },
         [](Point p) { return mix(Paper, PaperShade, std::clamp((p.y - 2) / 16, 0.0, 1.0)); }, 0.9,
         Ink},
        {[=](Point p) { return sdPolygon(p, fold); }, solid(PaperShade), 0.6, Ink},
    };
}

} // namespace

Image drawNewGameTool() {
    std::vector<Paint> paints = sheet();
    const Rgb green{56, 150, 60};
    paints.push_back({[](Point p) {
                          return std::min(sdCapsule(p, {11.5, 8.5}, {11.5, 14}, 1.1, 1.1),
                                          sdCapsule(p, {8.75, 11.25}, {14.25, 11.25}, 1.1, 1.1));
                      },
                      solid(green), 0.8, Rgb{20, 70, 24}});
    return renderPaints(S, S, 1.0, paints);
}

Image drawReportTool() {
    std::vector<Paint> paints = sheet();
    const Rgb colours[] = {{214, 58, 46}, {232, 186, 24}, {48, 108, 204}};
    const double tops[] = {8.0, 5.5, 9.5};
    for (int i = 0; i < 3; ++i) {
        const double left = 4.6 + 2.8 * i, top = tops[i];
        paints.push_back({[=](Point p) {
                              const double dx = std::fabs(p.x - (left + 0.9)) - 0.9;
                              const double dy =
                                  std::fabs(p.y - (top + 12.5) / 2) - (12.5 - top) / 2;
                              return std::max(dx, dy);
                          },
                          solid(colours[i]), 0.5, Ink});
    }
    return renderPaints(S, S, 1.0, paints);
}

Image drawHelpTool() {
    const Rgb blue{44, 104, 196}, deep{24, 60, 130}, white{255, 255, 255};
    const std::vector<Paint> paints = {
        {[](Point p) {
             return sdCircle(p, {8, 8}, 6.6);
         },
         [=](Point p) { return mix(mix(blue, white, 0.25), blue, std::clamp(p.y / 12, 0.0, 1.0)); },
         0.9, deep},
        // The hook of the question mark, then its stem and dot.
        {[](Point p) {
             return std::min({sdCurve(p, {5.6, 6.2}, {5.9, 3.4}, {8.2, 3.6}, 1.05, 1.05),
                              sdCurve(p, {8.2, 3.6}, {10.9, 3.9}, {10.3, 6.4}, 1.05, 1.05),
                              sdCurve(p, {10.3, 6.4}, {8.1, 7.6}, {8.1, 9.3}, 1.05, 1.05)});
         },
         solid(white)},
        {[](Point p) {
             return sdCircle(p, {8.1, 11.9}, 1.2);
         },
         solid(white)},
    };
    return renderPaints(S, S, 1.0, paints);
}

Image drawOpenTool() {
    const Rgb back{214, 160, 44}, front{248, 206, 92}, edge{120, 84, 20};
    const std::vector<Point> folder = {{1, 3},    {6, 3},     {7.5, 4.5},
                                       {13, 4.5}, {13, 13.5}, {1, 13.5}};
    const std::vector<Point> flap = {{3.5, 7.5}, {15.2, 7.5}, {13, 13.5}, {1, 13.5}};
    const std::vector<Paint> paints = {
        {[=](Point p) { return sdPolygon(p, folder); }, solid(back), 0.9, edge},
        {[](Point p) { return std::max(std::fabs(p.x - 7.5) - 4, std::fabs(p.y - 6.5) - 1.5); },
         solid(Paper), 0.5, PaperShade},
        {[=](Point p) { return sdPolygon(p, flap); },
         [=](Point p) { return mix(front, back, std::clamp((p.y - 7.5) / 7, 0.0, 1.0)); }, 0.9,
         edge},
    };
    return renderPaints(S, S, 1.0, paints);
}

Image drawSaveTool() {
    const Rgb body{58, 92, 150}, dark{28, 46, 84}, metal{196, 200, 208};
    const auto box = [](double cx, double cy, double hx, double hy, double round) {
        return [=](Point p) {
            const double dx = std::max(std::fabs(p.x - cx) - hx + round, 0.0);
            const double dy = std::max(std::fabs(p.y - cy) - hy + round, 0.0);
            return std::sqrt(dx * dx + dy * dy) - round;
        };
    };
    const std::vector<Paint> paints = {
        {box(8, 8, 6.5, 6.5, 1.2), solid(body), 0.9, dark},
        // The label below, the metal shutter above with its window.
        {box(8, 10.8, 4.6, 3.0, 0.4), solid(Paper), 0.5, dark},
        {box(8, 4.2, 3.6, 2.6, 0.3), solid(metal), 0.5, dark},
        {box(9.4, 4.2, 0.9, 1.7, 0.2), solid(dark)},
        {[](Point p) {
             return std::fabs(p.y - 10.3) - 0.35 + std::max(std::fabs(p.x - 8) - 3.2, 0.0);
         },
         solid(PaperShade)},
    };
    return renderPaints(S, S, 1.0, paints);
}

const std::array<ToolIcon, 5>& toolIcons() {
    static const std::array<ToolIcon, 5> icons = {{
        {"TB_Neu.png", drawNewGameTool},
        {"TB_Bericht.png", drawReportTool},
        {"TB_Hilfe.png", drawHelpTool},
        {"TB_Oeffnen.png", drawOpenTool},
        {"TB_Speichern.png", drawSaveTool},
    }};
    return icons;
}

} // namespace mkmedia
