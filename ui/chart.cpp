// Charts on Qt Charts: the plain description turned into QCharts, laid out in one scene and
// rendered to PNG through QImage or to SVG through QSvgGenerator.
#include "ui/chart.h"

#include "ui/window_state.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QResizeEvent>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numeric>

namespace ui {

namespace {

constexpr int headingHeight = 36;
constexpr int minChartWidth = 300, minChartHeight = 200;
constexpr int bandAlpha = 70;    // of 255: the line drawn over a band stays readable
constexpr double barShare = 0.1; // half a single year's bar, of the x axis

QColor colourOf(std::int32_t c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// Charts need a QApplication. A program that has none (a command-line tool) gets one on the
// offscreen platform, so that no display is needed; one that has its own keeps it.
void ensureApplication() {
    if (QApplication::instance() != nullptr) return;
    static char name[] = "selvo", option[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {name, option, platform};
    static int argc = int(std::size(argv));
    new QApplication(argc, argv);
}

// Drops Qt's chatter (font and runtime-folder notices) while a render runs: a command-line
// tool's standard error belongs to its own messages. Failures show in the result instead.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) qFatal("%s", qPrintable(message));
}

QValueAxis* makeAxis(const ChartAxis& a) {
    auto* axis = new QValueAxis;
    axis->setTitleText(text(a.title));
    axis->setTitleVisible(!a.title.empty());
    axis->setRange(a.min, a.max);
    if (a.ticks == 1) { // one line in the middle: the others would fall outside the range
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor((a.min + a.max) / 2);
        axis->setTickInterval(a.max - a.min);
    } else {
        axis->setTickCount(std::max(2, a.ticks));
    }
    axis->setLabelFormat(text(a.labelFormat));
    axis->setLabelsVisible(!a.labelFormat.empty());
    return axis;
}

QLineSeries* makeLine(const std::vector<ChartPoint>& points) {
    auto* line = new QLineSeries;
    for (const ChartPoint& p : points)
        line->append(p.x, p.y);
    return line;
}

// The legend in black and in the type of the axes' labels, so that it reads as part of the
// chart; tight margins leave the room to the plots. A chart among other controls is small and
// gets smaller type.
void setType(QChart* chart, bool compact) {
    const int titleSize = compact ? 9 : 12, textSize = compact ? 8 : 10;
    chart->setMargins(compact ? QMargins(2, 2, 2, 2) : QMargins(6, 6, 6, 6));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->legend()->setContentsMargins(0, 0, 0, 0);
    QFont title = chart->titleFont();
    title.setPointSize(titleSize);
    title.setBold(true);
    chart->setTitleFont(title);
    QFont labels = chart->legend()->font();
    labels.setPointSize(textSize);
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsFont(labels);
        QFont axisTitle = axis->titleFont();
        axisTitle.setPointSize(textSize);
        axis->setTitleFont(axisTitle);
    }
    chart->legend()->setFont(labels);
    chart->legend()->setLabelColor(Qt::black);
    // A line's entry shows the line, dashed or not; an area's a rectangle of its fill.
    for (QLegendMarker* marker : chart->legend()->markers())
        marker->setShape(marker->type() == QLegendMarker::LegendMarkerTypeArea
                             ? QLegend::MarkerShapeRectangle
                             : QLegend::MarkerShapeFromSeries);
    for (QAbstractSeries* series : chart->series())
        if (auto* xy = qobject_cast<QXYSeries*>(series)) xy->setPointLabelsFont(labels);
}

// What a pattern is drawn in over `colour`: black or white, whichever stands out from it.
QColor inkFor(const QColor& colour) {
    return colour.lightness() > 120 ? QColor(0, 0, 0, 100) : QColor(255, 255, 255, 190);
}

// Qt's SVG writer leaves out fills with a picture. While an SVG is drawn, a patterned area is
// filled with a colour of its own, noted here, that the finished text then names a pattern.
struct SvgFill {
    QString stand; // the stand-in colour, as the writer names it
    QColor colour;
    Fill fill;
};
std::vector<SvgFill>* svgFills = nullptr;

QBrush fillBrush(const QColor& colour, Fill fill) {
    if (fill == Fill::Plain) return QBrush(colour);
    if (svgFills) { // near-black blues no chart uses
        const QColor stand(1, 2, int(svgFills->size()) + 1);
        svgFills->push_back({stand.name(), colour, fill});
        return QBrush(stand);
    }
    QImage tile(8, 8, QImage::Format_ARGB32);
    tile.fill(colour);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = inkFor(colour);
    if (fill == Fill::Stripes) {
        painter.setPen(QPen(ink, 1.5));
        for (int offset : {-8, 0, 8}) // across the tile's corners, so that the tiles join
            painter.drawLine(offset, 8, offset + 8, 0);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawEllipse(QPointF(4, 4), 1.8, 1.8);
    }
    painter.end();
    return QBrush(tile);
}

// The SVG text with each stand-in colour replaced by its pattern, drawn as fillBrush draws it.
QByteArray withPatterns(QByteArray svg, const std::vector<SvgFill>& fills) {
    QByteArray defs;
    for (std::size_t i = 0; i < fills.size(); ++i) {
        const SvgFill& f = fills[i];
        const QColor ink = inkFor(f.colour);
        const QByteArray id = "fill" + QByteArray::number(qulonglong(i));
        const QByteArray inkColour = ink.name().toLatin1(),
                         inkOpacity = QByteArray::number(ink.alphaF(), 'f', 2);
        defs += "<pattern id=\"" + id +
                "\" patternUnits=\"userSpaceOnUse\" width=\"8\" height=\"8\"><rect width=\"8\" "
                "height=\"8\" fill=\"" +
                f.colour.name().toLatin1() + "\" fill-opacity=\"" +
                QByteArray::number(f.colour.alphaF(), 'f', 2) + "\"/>";
        if (f.fill == Fill::Stripes)
            defs += "<path d=\"M-8,8L0,0M0,8L8,0M8,8L16,0\" stroke=\"" + inkColour +
                    "\" stroke-opacity=\"" + inkOpacity + "\" stroke-width=\"1.5\"/>";
        else
            defs += "<circle cx=\"4\" cy=\"4\" r=\"1.8\" fill=\"" + inkColour +
                    "\" fill-opacity=\"" + inkOpacity + "\"/>";
        defs += "</pattern>\n";
        svg.replace("fill=\"" + f.stand.toLatin1() + "\"", "fill=\"url(#" + id + ")\"");
    }
    const qsizetype at = svg.indexOf("<defs>");
    if (at >= 0)
        svg.insert(at + 6, "\n" + defs);
    else
        svg.replace("</desc>", "</desc>\n<defs>\n" + defs + "</defs>");
    return svg;
}

// A series that shows only the value of a single year's bar beside it, without a legend entry.
QScatterSeries* valueLabel(double x, double y, double value) {
    auto* label = new QScatterSeries;
    label->append(x, y);
    label->setMarkerSize(1);
    label->setColor(Qt::transparent);
    label->setBorderColor(Qt::transparent);
    label->setPointLabelsFormat(QString::number(value)); // no placeholder: the text as it is
    label->setPointLabelsVisible(true);
    label->setPointLabelsClipping(false);
    label->setPointLabelsColor(Qt::black);
    return label;
}

QChart* makeChart(const Chart& c, bool compact) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(text(c.title));
    chart->legend()->setAlignment(c.legend == LegendPlace::Right ? Qt::AlignRight
                                                                 : Qt::AlignBottom);
    chart->legend()->setVisible(c.legend != LegendPlace::None);
    QValueAxis* x = makeAxis(c.x);
    QValueAxis* y = makeAxis(c.y);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    QValueAxis* right = nullptr;
    if (std::any_of(c.series.begin(), c.series.end(),
                    [](const ChartSeries& s) { return s.rightAxis; })) {
        right = makeAxis(c.y2);
        right->setGridLineVisible(false); // the left axis's grid is the one to read by
        chart->addAxis(right, Qt::AlignRight);
    }
    const bool single =
        !c.series.empty() && std::all_of(c.series.begin(), c.series.end(),
                                         [](const ChartSeries& s) { return s.points.size() == 1; });
    const double halfBar = (c.x.max - c.x.min) * barShare;
    const auto add = [&](QAbstractSeries* series, const ChartSeries& s) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(s.rightAxis && right ? right : y);
    };
    std::vector<ChartPoint> stackTop; // upper edge of the Stacked series so far
    for (const ChartSeries& s : c.series) {
        QAbstractSeries* added = nullptr;
        const QColor colour = colourOf(s.colour);
        if (s.kind == SeriesKind::Line) {
            QLineSeries* line = makeLine(s.points);
            QPen pen(colour, 2);
            // Dashes short enough to show in a legend entry.
            if (s.style == LineStyle::Dashed) pen.setDashPattern({3, 2});
            if (s.style == LineStyle::Dotted) pen.setStyle(Qt::DotLine);
            line->setPen(pen);
            // A line through one point draws nothing; its marker shows where it is.
            line->setPointsVisible(s.points.size() == 1);
            line->setPointLabelsVisible(single);
            line->setPointLabelsFormat(QStringLiteral("@yPoint"));
            line->setPointLabelsColor(Qt::black);
            line->setPointLabelsClipping(false);
            added = line;
        } else {
            std::vector<ChartPoint> upper = s.points, lower = s.lower;
            if (s.kind == SeriesKind::Stacked) {
                lower = upper;
                for (std::size_t i = 0; i < upper.size(); ++i) {
                    lower[i].y = i < stackTop.size() ? stackTop[i].y : 0.0;
                    upper[i].y += lower[i].y;
                }
                stackTop = upper;
            }
            QScatterSeries* label = nullptr;
            if (single && s.kind == SeriesKind::Stacked) {
                const ChartPoint top = upper[0], bottom = lower[0];
                upper = {{top.x - halfBar, top.y}, {top.x + halfBar, top.y}};
                lower = {{top.x - halfBar, bottom.y}, {top.x + halfBar, bottom.y}};
                if (s.points[0].y != 0)
                    label =
                        valueLabel(top.x + halfBar * 1.4, (top.y + bottom.y) / 2, s.points[0].y);
            }
            QLineSeries* top = makeLine(upper);
            QLineSeries* bottom = makeLine(lower);
            auto* area = new QAreaSeries(top, bottom);
            // The area series only refers to its edges; as their parent it deletes them.
            top->setParent(area);
            bottom->setParent(area);
            QColor fill = colour;
            if (s.kind == SeriesKind::Band) fill.setAlpha(bandAlpha);
            area->setBrush(fillBrush(fill, s.fill));
            area->setPen(s.kind == SeriesKind::Band ? QPen(Qt::NoPen) : QPen(colour.darker(130)));
            added = area;
            if (label) {
                add(label, s);
                for (QLegendMarker* marker : chart->legend()->markers(label))
                    marker->setVisible(false);
            }
        }
        added->setName(text(s.name));
        add(added, s);
        if (!s.inLegend)
            for (QLegendMarker* marker : chart->legend()->markers(added))
                marker->setVisible(false);
    }
    // A chart whose series are all named elsewhere gives its legend's room to the plot.
    if (std::none_of(c.series.begin(), c.series.end(),
                     [](const ChartSeries& s) { return s.inLegend; }))
        chart->legend()->setVisible(false);
    chart->legend()->setReverseMarkers(
        std::any_of(c.series.begin(), c.series.end(),
                    [](const ChartSeries& s) { return s.kind == SeriesKind::Stacked; }));
    setType(chart, compact);
    return chart;
}

// The share of the height each row of charts gets: that of its tallest chart.
std::vector<double> rowShares(const std::vector<Chart>& charts, std::size_t across) {
    std::vector<double> rows;
    for (std::size_t i = 0; i < charts.size(); ++i) {
        if (i % across == 0) rows.push_back(0.01);
        rows.back() = std::max(rows.back(), charts[i].share);
    }
    return rows;
}

double sum(const std::vector<double>& values) {
    return std::accumulate(values.begin(), values.end(), 0.0);
}

// Lays `charts` out in `scene` (which owns them from then on) below the heading in `columns`
// columns, filled row by row, with the plot areas of each column lined up; `compact` for the
// small charts of a window.
void layOutCharts(QGraphicsScene& scene, const std::string& heading,
                  const std::vector<Chart>& charts, int width, int height, bool compact,
                  int columns = 1) {
    const int top = heading.empty() ? 0 : headingHeight;
    scene.setSceneRect(0, 0, width, height);
    scene.setBackgroundBrush(Qt::white);
    if (!heading.empty()) {
        auto* line = scene.addSimpleText(text(heading));
        QFont font = line->font();
        font.setPointSize(13);
        font.setBold(true);
        line->setFont(font);
        line->setPos((width - line->boundingRect().width()) / 2,
                     (headingHeight - line->boundingRect().height()) / 2);
    }
    const std::size_t across = std::size_t(std::max(1, columns));
    const std::vector<double> rows = rowShares(charts, across);
    const qreal perShare = qreal(height - top) / sum(rows);
    const qreal wide = qreal(width) / qreal(across);
    std::vector<QChart*> made;
    std::vector<qreal> left(across, 0), right(across, width);
    qreal from = top;
    for (std::size_t i = 0; i < charts.size(); ++i) {
        QChart* chart = made.emplace_back(makeChart(charts[i], compact));
        scene.addItem(chart);
        const std::size_t c = i % across;
        const qreal each = perShare * rows[i / across];
        chart->setGeometry(wide * qreal(c), from, wide, each);
        if (c + 1 == across || i + 1 == charts.size()) from += each;
        left[c] = std::max(left[c], chart->plotArea().left());
        right[c] = std::min(right[c], chart->plotArea().right());
    }
    // Widen the margins of the charts with narrower labels, so that a column's plot areas line
    // up.
    for (std::size_t i = 0; i < made.size(); ++i) {
        QChart* chart = made[i];
        const QRectF area = chart->plotArea();
        QMargins m = chart->margins();
        m.setLeft(m.left() + int(std::lround(left[i % across] - area.left())));
        m.setRight(m.right() + int(std::lround(area.right() - right[i % across])));
        chart->setMargins(m);
    }
}

} // namespace

bool chartFormatOf(std::string_view path, ChartFormat& format) {
    std::string ext(path.substr(std::min(path.rfind('.'), path.size())));
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    if (ext == ".png")
        format = ChartFormat::Png;
    else if (ext == ".svg")
        format = ChartFormat::Svg;
    else
        return false;
    return true;
}

bool renderCharts(const std::string& heading, const std::vector<Chart>& charts, int width,
                  int height, ChartFormat format, std::string& bytes, std::string& error) {
    const int top = heading.empty() ? 0 : headingHeight;
    const int columns = width > height && charts.size() > 1 ? 2 : 1;
    if (charts.empty() || width < minChartWidth * columns ||
        double(height - top) < minChartHeight * sum(rowShares(charts, std::size_t(columns)))) {
        error = "the charts do not fit into " + std::to_string(width) + " x " +
                std::to_string(height) + " pixels";
        return false;
    }
    const QtMessageHandler previous = qInstallMessageHandler(quiet);
    ensureApplication();
    std::vector<SvgFill> fills;
    svgFills = format == ChartFormat::Svg ? &fills : nullptr;
    QGraphicsScene scene;
    layOutCharts(scene, heading, charts, width, height, false, columns);
    svgFills = nullptr;
    QCoreApplication::processEvents(); // the charts' layouts are redone on a posted request

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool ok = true;
    if (format == ChartFormat::Png) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        scene.render(&painter);
        painter.end();
        ok = image.save(&buffer, "PNG");
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setResolution(96); // a pixel of the picture is one of a common screen
        svg.setTitle(text(heading));
        QPainter painter;
        ok = painter.begin(&svg);
        if (ok) {
            scene.render(&painter);
            painter.end();
        }
        buffer.buffer() = withPatterns(buffer.buffer(), fills);
    }
    qInstallMessageHandler(previous);
    if (!ok) {
        error = format == ChartFormat::Png ? "the PNG encoder failed" : "the SVG generator failed";
        return false;
    }
    bytes.assign(buffer.data().constData(), std::size_t(buffer.data().size()));
    return true;
}

namespace {

// The charts' view: lays them out again at every change of its size, and follows its window's.
struct ChartView : QGraphicsView {
    std::vector<Chart> charts;
    bool compact;
    QSize margin; // to the right and bottom edges of the parent, kept when following it
    QSize laidOut;

    ChartView(QWidget* parent, const std::vector<Chart>& c, bool small)
        : QGraphicsView(parent), charts(c), compact(small) {
        setScene(new QGraphicsScene(this)); // dies with the view, and the charts with it
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setRenderHint(QPainter::Antialiasing);
    }

    void layOut(QSize size) {
        if (size == laidOut || size.isEmpty()) return;
        laidOut = size;
        scene()->clear();
        layOutCharts(*scene(), {}, charts, size.width(), size.height(), compact);
    }

    void resizeEvent(QResizeEvent* event) override {
        QGraphicsView::resizeEvent(event);
        layOut(event->size());
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parentWidget() && event->type() == QEvent::Resize) {
            const QSize outer = parentWidget()->size() - margin;
            resize(std::max(outer.width() - x(), 1), std::max(outer.height() - y(), 1));
        }
        return false;
    }
};

// The view of chart control `control`, or null when there is no such control.
ChartView* chartViewOf(int control) {
    const auto entry = detail::controls.find(control);
    if (entry == detail::controls.end() || entry->second.kind != detail::ControlKind::Chart)
        return nullptr;
    return static_cast<ChartView*>(entry->second.widget);
}

std::vector<QChart*> chartsOf(int control) {
    const ChartView* view = chartViewOf(control);
    if (view == nullptr) return {};
    std::vector<QChart*> shown;
    for (QGraphicsItem* item : view->scene()->items())
        if (auto* c = dynamic_cast<QChart*>(item)) shown.push_back(c);
    std::sort(shown.begin(), shown.end(),
              [](QChart* a, QChart* b) { return a->geometry().top() < b->geometry().top(); });
    return shown;
}

std::uint64_t digest(const QImage& image) {
    std::uint64_t h = 1469598103934665603ull; // FNV-1a
    for (qsizetype i = 0; i < image.sizeInBytes(); ++i)
        h = (h ^ image.constBits()[i]) * 1099511628211ull;
    return h;
}

bool spansX(const QXYSeries* s) {
    return s->count() > 1 && s->at(0).x() != s->at(s->count() - 1).x();
}

} // namespace

bool createChartControl(int number, int x, int y, int width, int height,
                        const std::vector<Chart>& charts, unsigned flags) {
    if (charts.empty() || !detail::canCreateControl(number)) return false;
    auto* view = new ChartView(detail::controlParent, charts, flags & ChartCompact);
    view->layOut(QSize(width, height));
    if (flags & ChartFollowsWindow) {
        view->margin = detail::controlParent->size() - QSize(x + width, y + height);
        detail::controlParent->installEventFilter(view);
    }
    detail::enterControl(number, view, detail::ControlKind::Chart, x, y, width, height);
    return true;
}

bool setChartControlCharts(int number, const std::vector<Chart>& charts) {
    ChartView* view = chartViewOf(number);
    if (view == nullptr || charts.empty()) return false;
    view->charts = charts;
    view->laidOut = QSize();
    view->layOut(view->size());
    return true;
}

int chartCount(int control) {
    return chartViewOf(control) == nullptr ? -1 : int(chartsOf(control).size());
}

int chartSeriesCount(int control, int chart) {
    const std::vector<QChart*> shown = chartsOf(control);
    if (chart < 0 || chart >= int(shown.size())) return -1;
    return int(shown[std::size_t(chart)]->series().size());
}

int chartPointCount(int control, int chart, int series) {
    const std::vector<QChart*> shown = chartsOf(control);
    if (chart < 0 || chart >= int(shown.size())) return -1;
    const QList<QAbstractSeries*> all = shown[std::size_t(chart)]->series();
    if (series < 0 || series >= all.size()) return -1;
    if (auto* area = qobject_cast<QAreaSeries*>(all[series])) return area->upperSeries()->count();
    if (auto* line = qobject_cast<QXYSeries*>(all[series])) return line->count();
    return -1;
}

std::vector<LegendEntry> chartLegend(int control, int chart) {
    const std::vector<QChart*> shown = chartsOf(control);
    if (chart < 0 || chart >= int(shown.size())) return {};
    QLegend* legend = shown[std::size_t(chart)]->legend();
    std::vector<LegendEntry> entries;
    for (QLegendMarker* marker : legend->markers()) {
        if (marker->label().isEmpty()) continue; // a single year's value beside its bar
        QImage swatch(24, 12, QImage::Format_RGB32);
        swatch.fill(Qt::white);
        QPainter painter(&swatch);
        LegendEntry entry{marker->label().toStdString()};
        entry.shown = marker->isVisible();
        if (auto* area = qobject_cast<QAreaSeries*>(marker->series())) {
            painter.fillRect(swatch.rect(), area->brush());
            entry.marked = spansX(area->upperSeries());
        } else if (auto* line = qobject_cast<QXYSeries*>(marker->series())) {
            painter.setPen(line->pen());
            painter.drawLine(0, 6, 24, 6);
            entry.marked = spansX(line) || line->pointsVisible();
        }
        painter.end();
        entry.look = digest(swatch);
        entries.push_back(entry);
    }
    if (legend->reverseMarkers()) std::reverse(entries.begin(), entries.end());
    return entries;
}

} // namespace ui
