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
#include <QSvgGenerator>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr int headingHeight = 36;
constexpr int minChartWidth = 300, minChartHeight = 200;
constexpr int bandAlpha = 70; // of 255: the line drawn over a band stays readable

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
    static int argc = 3;
    static char name[] = "selvo", option[] = "-platform", platform[] = "offscreen";
    static char* argv[] = {name, option, platform, nullptr};
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
    axis->setRange(a.min, a.max);
    axis->setTickCount(std::max(2, a.ticks));
    axis->setLabelFormat(text(a.labelFormat));
    return axis;
}

QLineSeries* makeLine(const std::vector<ChartPoint>& points) {
    auto* line = new QLineSeries;
    for (const ChartPoint& p : points)
        line->append(p.x, p.y);
    return line;
}

// A chart in a window is small: tight margins and smaller type leave room for the plot.
void compactLook(QChart* chart) {
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    QFont title = chart->titleFont();
    title.setPointSize(9);
    title.setBold(true);
    chart->setTitleFont(title);
    QFont small = chart->legend()->font();
    small.setPointSize(7);
    chart->legend()->setFont(small);
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsFont(small);
        QFont axisTitle = axis->titleFont();
        axisTitle.setPointSize(8);
        axis->setTitleFont(axisTitle);
    }
}

QChart* makeChart(const Chart& c, bool compact) {
    auto* chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setTitle(text(c.title));
    chart->legend()->setAlignment(c.legend == LegendPlace::Right ? Qt::AlignRight
                                                                 : Qt::AlignBottom);
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
            QLineSeries* top = makeLine(upper);
            QLineSeries* bottom = makeLine(lower);
            auto* area = new QAreaSeries(top, bottom);
            // The area series only refers to its edges; as their parent it deletes them.
            top->setParent(area);
            bottom->setParent(area);
            QColor fill = colour;
            if (s.kind == SeriesKind::Band) fill.setAlpha(bandAlpha);
            area->setBrush(fill);
            area->setPen(s.kind == SeriesKind::Band ? QPen(Qt::NoPen) : QPen(colour.darker(130)));
            added = area;
        }
        added->setName(text(s.name));
        chart->addSeries(added);
        added->attachAxis(x);
        added->attachAxis(s.rightAxis && right ? right : y);
        if (!s.inLegend)
            for (QLegendMarker* marker : chart->legend()->markers(added))
                marker->setVisible(false);
    }
    // A chart whose series are all named elsewhere gives its legend's room to the plot.
    chart->legend()->setVisible(std::any_of(c.series.begin(), c.series.end(),
                                            [](const ChartSeries& s) { return s.inLegend; }));
    // A legend entry drawn as a piece of its line shows a dashed line as dashed.
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    if (compact) compactLook(chart);
    return chart;
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
    const std::size_t rows = (charts.size() + across - 1) / across;
    const qreal each = qreal(height - top) / qreal(rows);
    const qreal wide = qreal(width) / qreal(across);
    std::vector<QChart*> made;
    std::vector<qreal> left(across, 0), right(across, width);
    for (std::size_t i = 0; i < charts.size(); ++i) {
        QChart* chart = made.emplace_back(makeChart(charts[i], compact));
        scene.addItem(chart);
        const std::size_t c = i % across;
        chart->setGeometry(wide * qreal(c), top + each * qreal(i / across), wide, each);
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

bool renderCharts(const std::string& heading, const std::vector<Chart>& charts, int width,
                  int height, ChartFormat format, std::string& bytes, std::string& error) {
    const int top = heading.empty() ? 0 : headingHeight;
    const int columns = width > height && charts.size() > 1 ? 2 : 1;
    const int rows = (int(charts.size()) + columns - 1) / columns;
    if (charts.empty() || width < minChartWidth * columns || height - top < minChartHeight * rows) {
        error = "the charts do not fit into " + std::to_string(width) + " x " +
                std::to_string(height) + " pixels";
        return false;
    }
    const QtMessageHandler previous = qInstallMessageHandler(quiet);
    ensureApplication();
    QGraphicsScene scene;
    layOutCharts(scene, heading, charts, width, height, false, columns);
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
        svg.setTitle(text(heading));
        QPainter painter;
        ok = painter.begin(&svg);
        if (ok) {
            scene.render(&painter);
            painter.end();
        }
    }
    qInstallMessageHandler(previous);
    if (!ok) {
        error = format == ChartFormat::Png ? "the PNG encoder failed" : "the SVG generator failed";
        return false;
    }
    bytes.assign(buffer.data().constData(), std::size_t(buffer.data().size()));
    return true;
}

bool createChartControl(int number, int x, int y, int width, int height,
                        const std::vector<Chart>& charts) {
    if (charts.empty() || !detail::canCreateControl(number)) return false;
    auto* view = new QGraphicsView(detail::controlParent);
    auto* scene = new QGraphicsScene(view); // dies with the view, and the charts with it
    layOutCharts(*scene, {}, charts, width, height, true);
    view->setScene(scene);
    view->setFrameShape(QFrame::NoFrame);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setRenderHint(QPainter::Antialiasing);
    detail::enterControl(number, view, detail::ControlKind::Chart, x, y, width, height);
    return true;
}

namespace {

QGraphicsView* chartView(int control) {
    const auto entry = detail::controls.find(control);
    if (entry == detail::controls.end() || entry->second.kind != detail::ControlKind::Chart)
        return nullptr;
    return static_cast<QGraphicsView*>(entry->second.widget);
}

// The charts a control shows, top to bottom.
std::vector<QChart*> shownCharts(QGraphicsView* view) {
    std::vector<QChart*> shown;
    if (view == nullptr) return shown;
    for (QGraphicsItem* item : view->scene()->items())
        if (auto* c = dynamic_cast<QChart*>(item)) shown.push_back(c);
    std::sort(shown.begin(), shown.end(),
              [](QChart* a, QChart* b) { return a->geometry().top() < b->geometry().top(); });
    return shown;
}

} // namespace

bool setChartControlCharts(int number, const std::vector<Chart>& charts) {
    QGraphicsView* view = chartView(number);
    if (view == nullptr || charts.empty()) return false;
    QGraphicsScene* old = view->scene();
    auto* scene = new QGraphicsScene(view);
    layOutCharts(*scene, {}, charts, view->width(), view->height(), true);
    view->setScene(scene);
    delete old; // with the charts it owned
    return true;
}

int chartCount(int control) {
    QGraphicsView* view = chartView(control);
    return view == nullptr ? -1 : int(shownCharts(view).size());
}

int chartSeriesCount(int control, int chart) {
    const std::vector<QChart*> shown = shownCharts(chartView(control));
    if (chart < 0 || chart >= int(shown.size())) return -1;
    return int(shown[std::size_t(chart)]->series().size());
}

int chartPointCount(int control, int chart, int series) {
    const std::vector<QChart*> shown = shownCharts(chartView(control));
    if (chart < 0 || chart >= int(shown.size())) return -1;
    const QList<QAbstractSeries*> all = shown[std::size_t(chart)]->series();
    if (series < 0 || series >= all.size()) return -1;
    if (auto* area = qobject_cast<QAreaSeries*>(all[series])) return area->upperSeries()->count();
    if (auto* line = qobject_cast<QXYSeries*>(all[series])) return line->count();
    return -1;
}

} // namespace ui
