// Anti-aliased vector drawing for the icons and small pictures: shapes given as signed distance
// functions, painted in order and sampled many times per pixel, so alpha is true coverage.
#pragma once

#include <functional>
#include <vector>

#include "tools/mkmedia/image.h"

namespace mkmedia {

// Signed distances in drawing units: negative inside, positive outside.
double sdCircle(Point p, Point c, double r);
// Approximate (exact on the axes); good enough for outlines a pixel or two wide.
double sdEllipse(Point p, Point c, double rx, double ry);
// A segment from a to b, thickened by a radius growing linearly from ra to rb.
double sdCapsule(Point p, Point a, Point b, double ra, double rb);
// A quadratic Bezier curve from a via control point m to b, thickened like sdCapsule.
double sdCurve(Point p, Point a, Point m, Point b, double ra, double rb);
// A simple polygon, corners in order.
double sdPolygon(Point p, const std::vector<Point>& corners);

using Shape = std::function<double(Point)>;

// One paint stroke: fills `shape` with `colour` (which may vary over the drawing); with
// `outline` > 0 it first paints a band that wide (drawing units) around the shape in
// `outlineColour`, so later paints cover the inner part of that band.
struct Paint {
    Shape shape;
    std::function<Rgb(Point)> colour;
    double outline = 0;
    Rgb outlineColour{};
};

// Renders the paints in order onto a transparent width x height RGBA picture. One output
// pixel spans `unitsPerPixel` drawing units; each pixel is sampled on an 8 x 8 grid.
Image renderPaints(int width, int height, double unitsPerPixel, const std::vector<Paint>& paints);

// A uniform colour for Paint::colour.
std::function<Rgb(Point)> solid(Rgb c);

} // namespace mkmedia
