// Distance functions and the supersampling painter.
#include "tools/mkmedia/shapes.h"

#include <cmath>

namespace mkmedia {

double sdCircle(Point p, Point c, double r) {
    return std::sqrt((p.x - c.x) * (p.x - c.x) + (p.y - c.y) * (p.y - c.y)) - r;
}

double sdEllipse(Point p, Point c, double rx, double ry) {
    const double dx = (p.x - c.x) / rx, dy = (p.y - c.y) / ry;
    return (std::sqrt(dx * dx + dy * dy) - 1) * (rx < ry ? rx : ry);
}

double sdCapsule(Point p, Point a, Point b, double ra, double rb) {
    const double bx = b.x - a.x, by = b.y - a.y;
    const double px = p.x - a.x, py = p.y - a.y;
    const double len2 = bx * bx + by * by;
    double t = len2 > 0 ? (px * bx + py * by) / len2 : 0;
    t = t < 0 ? 0 : (t > 1 ? 1 : t);
    const double dx = px - bx * t, dy = py - by * t;
    return std::sqrt(dx * dx + dy * dy) - (ra + (rb - ra) * t);
}

double sdCurve(Point p, Point a, Point m, Point b, double ra, double rb) {
    constexpr int Pieces = 16;
    double best = 1e9;
    Point prev = a;
    for (int i = 1; i <= Pieces; ++i) {
        const double t = double(i) / Pieces, u = 1 - t;
        const Point q{u * u * a.x + 2 * u * t * m.x + t * t * b.x,
                      u * u * a.y + 2 * u * t * m.y + t * t * b.y};
        const double r0 = ra + (rb - ra) * (i - 1) / Pieces, r1 = ra + (rb - ra) * t;
        const double d = sdCapsule(p, prev, q, r0, r1);
        if (d < best) best = d;
        prev = q;
    }
    return best;
}

double sdPolygon(Point p, const std::vector<Point>& v) {
    const std::size_t n = v.size();
    double d2 = 1e18;
    bool inside = false;
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
        const double wx = p.x - v[i].x, wy = p.y - v[i].y;
        double t = (wx * ex + wy * ey) / (ex * ex + ey * ey);
        t = t < 0 ? 0 : (t > 1 ? 1 : t);
        const double dx = wx - ex * t, dy = wy - ey * t;
        if (dx * dx + dy * dy < d2) d2 = dx * dx + dy * dy;
        if ((v[i].y > p.y) != (v[j].y > p.y) &&
            p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
            inside = !inside;
    }
    const double d = std::sqrt(d2);
    return inside ? -d : d;
}

std::function<Rgb(Point)> solid(Rgb c) {
    return [c](Point) { return c; };
}

Image renderPaints(int width, int height, double unitsPerPixel, const std::vector<Paint>& paints) {
    constexpr int Samples = 8;
    Image img = makeImage(width, height, 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double r = 0, g = 0, b = 0, a = 0;
            for (int sy = 0; sy < Samples; ++sy) {
                for (int sx = 0; sx < Samples; ++sx) {
                    const Point p{(x + (sx + 0.5) / Samples) * unitsPerPixel,
                                  (y + (sy + 0.5) / Samples) * unitsPerPixel};
                    bool covered = false;
                    Rgb c;
                    for (const Paint& paint : paints) {
                        const double d = paint.shape(p);
                        if (d < 0) {
                            c = paint.colour(p);
                            covered = true;
                        } else if (d < paint.outline) {
                            c = paint.outlineColour;
                            covered = true;
                        }
                    }
                    if (covered) {
                        r += c.r;
                        g += c.g;
                        b += c.b;
                        a += 1;
                    }
                }
            }
            std::uint8_t* px = pixelAt(img, x, y);
            if (a > 0) {
                px[0] = toByte(r / a);
                px[1] = toByte(g / a);
                px[2] = toByte(b / a);
            }
            px[3] = toByte(255 * a / (Samples * Samples));
        }
    }
    return img;
}

} // namespace mkmedia
