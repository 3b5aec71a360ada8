#include "diagrams/drawing_surface.h"

#include "core/vb.h"

#include <QColor>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

QColor ToQColor(Rgb color) {
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

Rgb FromQColor(const QColor& color) {
    return RGB(color.red(), color.green(), color.blue());
}

namespace {

constexpr double kTwipsPerInch = 1440.0;

QStringList SplitLines(const QString& text) {
    if (!text.contains(u'\n'))
        return {text}; // most texts are one line: no pattern to run
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n"));
    return text.split(lineBreak);
}

Qt::BrushStyle HatchBrush(int pattern) {
    switch (pattern) {
    case DrawingSurface::HorizontalLines:
        return Qt::HorPattern;
    case DrawingSurface::VerticalLines:
        return Qt::VerPattern;
    case DrawingSurface::UpwardDiagonal:
        return Qt::BDiagPattern; // rising to the right: ////
    case DrawingSurface::DownwardDiagonal:
        return Qt::FDiagPattern; // falling to the right: \\\\ (shown as such)
    case DrawingSurface::CrossHatch:
        return Qt::CrossPattern;
    case DrawingSurface::DiagonalCrossHatch:
        return Qt::DiagCrossPattern;
    default:
        return Qt::SolidPattern;
    }
}

} // namespace

DrawingSurface::DrawingSurface(double dpiX, double dpiY)
    : dpiX_(dpiX > 0 ? dpiX : 96.0), dpiY_(dpiY > 0 ? dpiY : 96.0) {}

DrawingSurface::~DrawingSurface() = default;

// --- Coordinate system -------------------------------------------------------------------

double DrawingSurface::DeviceWidth() const {
    const double w = DeviceSize().width();
    return w > 0 ? w : 1.0;
}

double DrawingSurface::DeviceHeight() const {
    const double h = DeviceSize().height();
    return h > 0 ? h : 1.0;
}

double DrawingSurface::UnitsPerPixelX(int unit) const {
    switch (unit) {
    case User:
        return ScaleWidth() / DeviceWidth();
    case Twips:
        return kTwipsPerInch / DpiX();
    case Points:
        return 72.0 / DpiX();
    case Characters:
        return kTwipsPerInch / DpiX() / 120.0;
    case Inches:
        return 1.0 / DpiX();
    case Millimeters:
        return 25.4 / DpiX();
    case Centimeters:
        return 2.54 / DpiX();
    case Himetric:
        return 2540.0 / DpiX();
    default:
        return 1.0;
    }
}

double DrawingSurface::UnitsPerPixelY(int unit) const {
    switch (unit) {
    case User:
        return ScaleHeight() / DeviceHeight();
    case Twips:
        return kTwipsPerInch / DpiY();
    case Points:
        return 72.0 / DpiY();
    case Characters:
        return kTwipsPerInch / DpiY() / 240.0;
    case Inches:
        return 1.0 / DpiY();
    case Millimeters:
        return 25.4 / DpiY();
    case Centimeters:
        return 2.54 / DpiY();
    case Himetric:
        return 2540.0 / DpiY();
    default:
        return 1.0;
    }
}

double DrawingSurface::ScaleLeft() const {
    return scaleMode_ == User ? scaleLeft_ : 0.0;
}
double DrawingSurface::ScaleTop() const {
    return scaleMode_ == User ? scaleTop_ : 0.0;
}

double DrawingSurface::ScaleWidth() const {
    return scaleMode_ == User ? scaleWidth_ : DeviceWidth() * UnitsPerPixelX(scaleMode_);
}

double DrawingSurface::ScaleHeight() const {
    return scaleMode_ == User ? scaleHeight_ : DeviceHeight() * UnitsPerPixelY(scaleMode_);
}

void DrawingSurface::Scale(double x1, double y1, double x2, double y2) {
    if (x2 == x1 || y2 == y1 || !std::isfinite(x2 - x1) || !std::isfinite(y2 - y1))
        return; // an empty extent cannot be mapped
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = x2 - x1;
    scaleHeight_ = y2 - y1;
    scaleMode_ = User;
}

void DrawingSurface::ResetScale() {
    scaleMode_ = Twips;
}

void DrawingSurface::SetScaleMode(int mode) {
    if (mode == User) {
        if (scaleMode_ != User) {
            // The current unit system becomes the user system.
            scaleLeft_ = 0;
            scaleTop_ = 0;
            scaleWidth_ = ScaleWidth();
            scaleHeight_ = ScaleHeight();
            scaleMode_ = User;
        }
        return;
    }
    if (mode >= Twips && mode <= Centimeters)
        scaleMode_ = mode;
}

void DrawingSurface::SetScaleLeft(double v) {
    SetScaleMode(User);
    scaleLeft_ = v;
}

void DrawingSurface::SetScaleTop(double v) {
    SetScaleMode(User);
    scaleTop_ = v;
}

void DrawingSurface::SetScaleWidth(double v) {
    if (v == 0 || !std::isfinite(v))
        return;
    SetScaleMode(User);
    scaleWidth_ = v;
}

void DrawingSurface::SetScaleHeight(double v) {
    if (v == 0 || !std::isfinite(v))
        return;
    SetScaleMode(User);
    scaleHeight_ = v;
}

double DrawingSurface::ScaleX(double width, int fromUnit, int toUnit) const {
    return width / UnitsPerPixelX(fromUnit) * UnitsPerPixelX(toUnit);
}

double DrawingSurface::ScaleY(double height, int fromUnit, int toUnit) const {
    return height / UnitsPerPixelY(fromUnit) * UnitsPerPixelY(toUnit);
}

QPointF DrawingSurface::UserToDevice(double x, double y) const {
    return {(x - ScaleLeft()) * DeviceWidth() / ScaleWidth(),
            (y - ScaleTop()) * DeviceHeight() / ScaleHeight()};
}

QPointF DrawingSurface::DeviceToUser(double px, double py) const {
    return {ScaleLeft() + px * ScaleWidth() / DeviceWidth(),
            ScaleTop() + py * ScaleHeight() / DeviceHeight()};
}

double DrawingSurface::Width() const {
    return DeviceSize().width() * kTwipsPerInch / DpiX();
}
double DrawingSurface::Height() const {
    return DeviceSize().height() * kTwipsPerInch / DpiY();
}

// --- State -------------------------------------------------------------------------------

void DrawingSurface::SetDrawWidth(double width) {
    if (!std::isfinite(width))
        return;
    drawWidth_ = std::max<int>(1, vb::CInt(width));
}

void DrawingSurface::SetDrawStyle(int style) {
    if (style >= SolidLine && style <= InsideSolidLine)
        drawStyle_ = style;
}

void DrawingSurface::SetFillStyle(int style) {
    if (style >= SolidFill && style <= DiagonalCrossHatch)
        fillStyle_ = style;
}

void DrawingSurface::SetFontName(const QString& name) {
    if (!name.isEmpty() && name != fontName_) {
        fontName_ = name;
        FontChanged();
    }
}

void DrawingSurface::SetFontSize(double points) {
    if (points > 0 && std::isfinite(points) && points != fontSize_) {
        fontSize_ = points;
        FontChanged();
    }
}

void DrawingSurface::SetFontBold(bool on) {
    if (on != fontBold_) {
        fontBold_ = on;
        FontChanged();
    }
}
void DrawingSurface::SetFontItalic(bool on) {
    if (on != fontItalic_) {
        fontItalic_ = on;
        FontChanged();
    }
}

void DrawingSurface::FontChanged() {
    font_.reset();
    metrics_.reset();
    printMetrics_.reset();
}

// Kept while the font settings stay: a font made afresh looks its face up again, which costs
// more than drawing a short label with it.
const QFont& DrawingSurface::CurrentFont() const {
    if (!font_) {
        QFont font(fontName_);
        font.setPointSizeF(fontSize_);
        font.setBold(fontBold_);
        font.setItalic(fontItalic_);
        if (NamesInstalledFonts())
            font.setFamily(QFontInfo(font).family());
        font_ = font;
    }
    return *font_;
}

const QFontMetricsF& DrawingSurface::Metrics() const {
    const QPaintDevice* device = MetricsDevice();
    if (!metrics_ || metricsDevice_ != device) {
        metrics_.emplace(CurrentFont(), device);
        metricsDevice_ = device;
    }
    return *metrics_;
}

double DrawingSurface::TextWidth(const QString& text) const {
    const QFontMetricsF& metrics = Metrics();
    double widest = 0;
    for (const QString& line : SplitLines(text))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest * UnitsPerPixelX(User);
}

double DrawingSurface::TextHeight(const QString& text) const {
    const QFontMetricsF& metrics = Metrics();
    return SplitLines(text).size() * metrics.height() * UnitsPerPixelY(User);
}

// --- Painting ----------------------------------------------------------------------------

bool DrawingSurface::BeginPainting(QPainter& painter) {
    return painter.begin(Device());
}

QPainter* DrawingSurface::Painter() {
    if (painter_ && painter_->isActive())
        return painter_.get();
    if (!painter_)
        painter_ = std::make_unique<QPainter>();
    // A painter begun afresh has its default font, perhaps on a device made afresh.
    metrics_.reset();
    printMetrics_.reset();
    if (!BeginPainting(*painter_))
        return nullptr;
    // Pictures are drawn crisp, pixel by pixel; paper and files get smooth outlines.
    painter_->setRenderHint(QPainter::Antialiasing, VectorOutput());
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    return painter_.get();
}

bool DrawingSurface::PainterActive() const {
    return painter_ && painter_->isActive();
}

bool DrawingSurface::EndPainting() {
    if (!PainterActive())
        return true;
    return painter_->end();
}

QPointF DrawingSurface::Resolve(SurfacePoint p, double baseX, double baseY) const {
    return p.step ? QPointF(baseX + p.x, baseY + p.y) : QPointF(p.x, p.y);
}

QPen DrawingSurface::LinePen(const QColor& color) const {
    if (drawStyle_ == InvisibleLine)
        return QPen(Qt::NoPen);
    QPen pen(color);
    pen.setWidthF(drawWidth_);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    if (drawWidth_ == 1 && drawStyle_ >= DashLine && drawStyle_ <= DashDotDotLine) {
        // The classic broken-line rhythms, measured in screen pixels so paper looks alike.
        const double unit = std::max(1.0, DpiX() / 96.0);
        QList<qreal> pattern;
        switch (drawStyle_) {
        case DashLine:
            pattern = {18, 6};
            break;
        case DotLine:
            pattern = {3, 3};
            break;
        case DashDotLine:
            pattern = {9, 6, 3, 6};
            break;
        default:
            pattern = {9, 3, 3, 3, 3, 3};
            break;
        }
        for (qreal& v : pattern)
            v *= unit;
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(pattern);
    }
    return pen;
}

void DrawingSurface::FillShape(QPainter& painter, const QPainterPath& path, const QColor& color,
                               int pattern, const QList<QPolygonF>* pieces) {
    if (pattern == TransparentFill)
        return;
    if (pattern == SolidFill) {
        painter.fillPath(path, color);
        return;
    }
    if (VectorOutput()) {
        HatchWithLines(painter, pieces ? *pieces : path.toFillPolygons(), path.boundingRect(),
                       color, pattern);
        return;
    }
    painter.setBrushOrigin(0, 0); // hatches of neighbouring shapes meet seamlessly
    painter.fillPath(path, QBrush(color, HatchBrush(pattern)));
}

// Paper and vector files: a pattern brush would be repeated every 8 device dots (invisible at
// 1200 dpi), so hatches are drawn as lines 8 screen pixels apart, anchored to the device
// origin so that the hatches of adjacent shapes line up. Each line is cut to the shape here
// (even-odd, like the fill) rather than clipped, because not every vector device clips.
void DrawingSurface::HatchWithLines(QPainter& painter, const QList<QPolygonF>& polygons,
                                    const QRectF& bounds, const QColor& color, int pattern) {
    if (polygons.isEmpty())
        return;
    const double unit = std::max(1.0, DpiX() / 96.0);
    const double pitch = 8.0 * unit;
    // Only lines across the page can show: a shape far larger than the page costs no more.
    const QRectF box = bounds & QRectF(QPointF(0, 0), DeviceSize());
    if (box.isEmpty())
        return;

    QPen pen(color);
    pen.setWidthF(std::max(1.0, 0.6 * unit));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);

    // One family of parallel lines n·p = k × pitch.
    const auto family = [&](QPointF n) {
        const auto dot = [](QPointF a, QPointF b) { return a.x() * b.x() + a.y() * b.y(); };
        const QPointF along(-n.y(), n.x());
        double low = dot(n, box.topLeft());
        double high = low;
        for (const QPointF corner : {box.topRight(), box.bottomLeft(), box.bottomRight()}) {
            low = std::min(low, dot(n, corner));
            high = std::max(high, dot(n, corner));
        }
        std::vector<std::pair<double, QPointF>> cuts;
        for (double c = std::ceil(low / pitch) * pitch; c <= high; c += pitch) {
            cuts.clear();
            for (const QPolygonF& polygon : polygons)
                for (qsizetype i = 0; i < polygon.size(); ++i) {
                    const QPointF a = polygon[i];
                    const QPointF b = polygon[(i + 1) % polygon.size()];
                    const double da = dot(n, a) - c;
                    const double db = dot(n, b) - c;
                    if ((da < 0) == (db < 0))
                        continue;
                    const QPointF at = a + (b - a) * (da / (da - db));
                    cuts.emplace_back(dot(along, at), at);
                }
            std::sort(cuts.begin(), cuts.end(),
                      [](const auto& l, const auto& r) { return l.first < r.first; });
            for (size_t i = 0; i + 1 < cuts.size(); i += 2)
                painter.drawLine(cuts[i].second, cuts[i + 1].second);
        }
    };
    if (pattern == HorizontalLines || pattern == CrossHatch)
        family({0, 1});
    if (pattern == VerticalLines || pattern == CrossHatch)
        family({1, 0});
    if (pattern == UpwardDiagonal || pattern == DiagonalCrossHatch)
        family({1, 1}); // x + y constant: rising to the right
    if (pattern == DownwardDiagonal || pattern == DiagonalCrossHatch)
        family({1, -1});
}

void DrawingSurface::StrokeAndFill(const QPainterPath& outline, const QColor& lineColor,
                                   std::optional<QColor> fill, int fillPattern,
                                   const QList<QPolygonF>* pieces) {
    QPainter* painter = Painter();
    if (!painter)
        return;
    if (fill)
        FillShape(*painter, outline, *fill, fillPattern, pieces);
    if (drawStyle_ != InvisibleLine) {
        painter->setPen(LinePen(lineColor));
        painter->setBrush(Qt::NoBrush);
        painter->drawPath(outline);
    }
}

// --- Drawing -----------------------------------------------------------------------------

void DrawingSurface::Line(SurfacePoint from, SurfacePoint to, std::optional<Rgb> color,
                          LineForm form) {
    const QPointF a = Resolve(from, currentX_, currentY_);
    const QPointF b = Resolve(to, a.x(), a.y());
    const QColor c = ToQColor(color.value_or(foreColor_));
    if (form == LineForm::Line) {
        if (drawStyle_ != InvisibleLine) {
            if (QPainter* painter = Painter()) {
                painter->setPen(LinePen(c));
                painter->drawLine(UserToDevice(a.x(), a.y()), UserToDevice(b.x(), b.y()));
            }
        }
    } else {
        DrawBox(a.x(), a.y(), b.x(), b.y(), c, form);
    }
    currentX_ = b.x();
    currentY_ = b.y();
}

void DrawingSurface::LineTo(SurfacePoint to, std::optional<Rgb> color, LineForm form) {
    Line(SurfacePoint{currentX_, currentY_}, to, color, form);
}

void DrawingSurface::DrawBox(double x1, double y1, double x2, double y2, const QColor& color,
                             LineForm form) {
    const QRectF rect = QRectF(UserToDevice(x1, y1), UserToDevice(x2, y2)).normalized();
    if (form == LineForm::FilledBox && Crisp() && drawStyle_ != InvisibleLine) {
        if (QPainter* painter = Painter()) {
            painter->fillRect(rect, color);
            painter->setPen(LinePen(color));
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(rect);
        }
        return;
    }
    QPainterPath outline;
    outline.addRect(rect);
    if (form == LineForm::FilledBox)
        StrokeAndFill(outline, color, color, SolidFill);
    else
        StrokeAndFill(outline, color, ToQColor(fillColor_), fillStyle_);
}

void DrawingSurface::Circle(SurfacePoint centre, double radius, std::optional<Rgb> color,
                            std::optional<double> start, std::optional<double> end,
                            std::optional<double> aspect) {
    const QPointF c = Resolve(centre, currentX_, currentY_);
    currentX_ = c.x();
    currentY_ = c.y();
    if (!std::isfinite(radius))
        return;

    // The radius is measured along the horizontal axis; the shape is round on the device.
    const QPointF d = UserToDevice(c.x(), c.y());
    const double r = std::fabs(radius * DeviceWidth() / ScaleWidth());
    double rx = r;
    double ry = r;
    if (aspect && std::isfinite(*aspect)) {
        const double a = std::fabs(*aspect);
        if (a < 1.0)
            ry = r * a;
        else if (a > 1.0)
            rx = r / a;
    }
    const QRectF rect(d.x() - rx, d.y() - ry, 2 * rx, 2 * ry);
    const QColor lineColor = ToQColor(color.value_or(foreColor_));

    QPainterPath path;
    if (!start && !end) {
        path.addEllipse(rect);
        StrokeAndFill(path, lineColor, ToQColor(fillColor_), fillStyle_);
        return;
    }

    constexpr double fullTurn = 2 * std::numbers::pi;
    double from = start.value_or(0.0);
    double to = end.value_or(fullTurn);
    const bool pieStart = from < 0;
    const bool pieEnd = to < 0;
    from = std::fabs(from);
    to = std::fabs(to);
    double sweep = to - from;
    if (sweep <= 0)
        sweep += fullTurn;
    // Device y grows downwards and QPainterPath measures angles counter-clockwise as seen, so
    // the arc runs counter-clockwise on the output whichever way the user axes point.
    const double fromDegrees = from * 180.0 / std::numbers::pi;
    const double sweepDegrees = sweep * 180.0 / std::numbers::pi;
    if (pieStart) {
        path.moveTo(d);
        path.arcTo(rect, fromDegrees, sweepDegrees);
    } else {
        path.arcMoveTo(rect, fromDegrees);
        path.arcTo(rect, fromDegrees, sweepDegrees);
    }
    if (pieEnd)
        path.lineTo(d);
    if (pieStart && pieEnd) {
        path.closeSubpath();
        StrokeAndFill(path, lineColor, ToQColor(fillColor_), fillStyle_);
    } else {
        StrokeAndFill(path, lineColor, std::nullopt, TransparentFill);
    }
}

void DrawingSurface::Circles(const std::vector<QPointF>& centres, double radius) {
    // Overlapping smooth outlines or fills would blend differently as one shape.
    if (!Crisp() || fillStyle_ != TransparentFill || !std::isfinite(radius)) {
        for (const QPointF& c : centres)
            Circle({c.x(), c.y()}, radius);
        return;
    }
    if (centres.empty())
        return;
    const double r = std::fabs(radius * DeviceWidth() / ScaleWidth());
    // One colour, opaque, no smoothing: the order of the rings does not matter.
    std::vector<std::pair<double, double>> device;
    device.reserve(centres.size());
    for (const QPointF& c : centres) {
        const QPointF d = UserToDevice(c.x(), c.y());
        device.emplace_back(d.x(), d.y());
    }
    std::sort(device.begin(), device.end());
    device.erase(std::unique(device.begin(), device.end()), device.end());
    QPainterPath path;
    for (const auto& [x, y] : device)
        path.addEllipse(QRectF(x - r, y - r, 2 * r, 2 * r));
    StrokeAndFill(path, ToQColor(foreColor_), std::nullopt, TransparentFill);
    currentX_ = centres.back().x();
    currentY_ = centres.back().y();
}

void DrawingSurface::DrawImage(const QImage& image, double x1, double y1, double x2, double y2) {
    QPainter* painter = Painter();
    if (!painter || image.isNull())
        return;
    const QPointF a = UserToDevice(x1, y1);
    const QPointF b = UserToDevice(x2, y2);
    // An axis running backwards turns the image round on it.
    const QImage shown = image.mirrored(b.x() < a.x(), b.y() < a.y());
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->setRenderHint(QPainter::LosslessImageRendering, true);
    painter->drawImage(QRectF(a, b).normalized(), shown);
    painter->restore();
}

void DrawingSurface::Polylines(const std::vector<QPolygonF>& lines) {
    if (lines.empty())
        return;
    if (drawStyle_ != InvisibleLine) {
        if (QPainter* painter = Painter()) {
            painter->setPen(LinePen(ToQColor(foreColor_)));
            painter->setBrush(Qt::NoBrush);
            // UserToDevice, worked out once for the many points.
            const double kx = DeviceWidth() / ScaleWidth();
            const double ky = DeviceHeight() / ScaleHeight();
            const double left = ScaleLeft();
            const double top = ScaleTop();
            QPolygonF device;
            for (const QPolygonF& line : lines) {
                device.resize(line.size());
                for (qsizetype k = 0; k < line.size(); ++k)
                    device[k] = {(line[k].x() - left) * kx, (line[k].y() - top) * ky};
                painter->drawPolyline(device);
            }
        }
    }
    for (auto line = lines.rbegin(); line != lines.rend(); ++line)
        if (!line->isEmpty()) {
            currentX_ = line->back().x();
            currentY_ = line->back().y();
            break;
        }
}

void DrawingSurface::PSet(SurfacePoint p, std::optional<Rgb> color) {
    const QPointF at = Resolve(p, currentX_, currentY_);
    currentX_ = at.x();
    currentY_ = at.y();
    if (drawStyle_ == InvisibleLine)
        return;
    if (QPainter* painter = Painter()) {
        QPen pen(ToQColor(color.value_or(foreColor_)));
        pen.setWidthF(drawWidth_);
        pen.setCapStyle(drawWidth_ > 1 ? Qt::RoundCap : Qt::SquareCap);
        painter->setPen(pen);
        painter->drawPoint(UserToDevice(at.x(), at.y()));
    }
}

void DrawingSurface::PrintLine(const QString& text) {
    if (text.isEmpty())
        return;
    QPainter* painter = Painter();
    if (!painter)
        return;
    // The painter keeps the font while the settings stay: setting it again for every label of
    // a long legend would look the face up every time.
    if (!printMetrics_) {
        painter->setFont(CurrentFont());
        printMetrics_.emplace(painter->font(), MetricsDevice());
    }
    const QFontMetricsF& metrics = *printMetrics_;
    const QPointF topLeft = UserToDevice(currentX_, currentY_);
    if (!fontTransparent_)
        painter->fillRect(
            QRectF(topLeft, QSizeF(metrics.horizontalAdvance(text), metrics.height())),
            ToQColor(backColor_));
    // Blanks leave no mark; drawn, they would still put their font into a page or file.
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return c == u' '; }))
        return;
    painter->setPen(ToQColor(foreColor_));
    painter->drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
}

void DrawingSurface::Print(const QString& text, bool lineEnd) {
    const QStringList lines = SplitLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        PrintLine(lines[i]);
        if (i + 1 < lines.size() || lineEnd) {
            currentX_ = ScaleLeft();
            currentY_ += TextHeight(QString());
        } else {
            currentX_ += TextWidth(lines[i]);
        }
    }
}

void DrawingSurface::Polygon(const QPolygon& devicePoints) {
    if (devicePoints.isEmpty())
        return;
    QPainterPath path;
    path.addPolygon(QPolygonF(devicePoints));
    path.closeSubpath();
    StrokeAndFill(path, ToQColor(foreColor_), ToQColor(fillColor_), fillStyle_);
}

void DrawingSurface::PolyPolygon(const std::vector<QPolygon>& devicePolygons) {
    if (!VectorOutput()) {
        // A picture fills piece by piece: the same pixels as one path of many pieces, and far
        // faster, since the rasteriser handles one small polygon at a time.
        QPainter* painter = Painter();
        if (!painter)
            return;
        if (fillStyle_ != TransparentFill) {
            const QColor fill = ToQColor(fillColor_);
            painter->setPen(Qt::NoPen);
            painter->setBrushOrigin(0, 0); // hatches of neighbouring pieces meet seamlessly
            painter->setBrush(fillStyle_ == SolidFill ? QBrush(fill)
                                                      : QBrush(fill, HatchBrush(fillStyle_)));
            for (const QPolygon& polygon : devicePolygons)
                painter->drawPolygon(polygon, Qt::WindingFill);
        }
        if (drawStyle_ != InvisibleLine) {
            painter->setPen(LinePen(ToQColor(foreColor_)));
            painter->setBrush(Qt::NoBrush);
            for (const QPolygon& polygon : devicePolygons)
                painter->drawPolygon(polygon);
        }
        return;
    }

    // Paper and files: one shape, so the output holds one object per call.
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    QList<QPolygonF> pieces;
    pieces.reserve(qsizetype(devicePolygons.size()));
    for (const QPolygon& polygon : devicePolygons) {
        if (polygon.isEmpty())
            continue;
        pieces.append(QPolygonF(polygon));
        path.addPolygon(pieces.back());
        path.closeSubpath();
    }
    if (pieces.isEmpty())
        return;
    // Hatch lines are cut piece by piece: neighbouring pieces share their edges, so each
    // line leaves one piece where it enters the next and the cuts pair up across the seam.
    StrokeAndFill(path, ToQColor(foreColor_), ToQColor(fillColor_), fillStyle_, &pieces);
}

void DrawingSurface::Cls() {
    currentX_ = 0;
    currentY_ = 0;
    if (!ClearsOnCls())
        return;
    if (QPainter* painter = Painter()) {
        painter->save();
        painter->setCompositionMode(QPainter::CompositionMode_Source);
        painter->fillRect(QRectF(QPointF(0, 0), DeviceSize()), ToQColor(backColor_));
        painter->restore();
    }
}
