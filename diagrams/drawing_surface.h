// The drawing surface every diagram, legend and printed list draws on: a picture-box style
// canvas with a user coordinate system, pen, fill and font state, a text cursor, lines, boxes,
// circles and arcs, text output and filled polygons. Subclasses supply the device: a window
// picture that keeps its drawing, the printer, or a file.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QColor;
class QImage;
class QPaintDevice;
class QPainter;
class QPainterPath;
class QPen;
class QPolygon;
class QPolygonF;
class QRectF;

// A colour as a 32-bit RGB value with red in the low byte.
using Rgb = uint32_t;
constexpr Rgb RGB(int red, int green, int blue) {
    return Rgb(red & 0xFF) | (Rgb(green & 0xFF) << 8) | (Rgb(blue & 0xFF) << 16);
}
QColor ToQColor(Rgb color);
Rgb FromQColor(const QColor& color);

// One end of a line or the centre of a circle: absolute, or a step from the previous point.
struct SurfacePoint {
    double x = 0;
    double y = 0;
    bool step = false;
};
inline SurfacePoint Step(double dx, double dy) {
    return {dx, dy, true};
}

class DrawingSurface {
  public:
    // ScaleMode and the units of ScaleX/ScaleY.
    enum ScaleUnit : int {
        User = 0,
        Twips = 1,
        Points = 2,
        Pixels = 3,
        Characters = 4,
        Inches = 5,
        Millimeters = 6,
        Centimeters = 7,
        Himetric = 8,
    };
    // DrawStyle.
    enum LineStyle : int {
        SolidLine = 0,
        DashLine = 1,
        DotLine = 2,
        DashDotLine = 3,
        DashDotDotLine = 4,
        InvisibleLine = 5,
        InsideSolidLine = 6,
    };
    // FillStyle.
    enum FillPattern : int {
        SolidFill = 0,
        TransparentFill = 1,
        HorizontalLines = 2,
        VerticalLines = 3,
        UpwardDiagonal = 4,
        DownwardDiagonal = 5,
        CrossHatch = 6,
        DiagonalCrossHatch = 7,
    };
    // The form of Line: a line, a box (outline, interior with FillStyle), a box filled with
    // the line colour.
    enum class LineForm { Line, Box, FilledBox };
    // ColorMode of a printer.
    enum PrinterColorMode : int { Monochrome = 1, Color = 2 };

    virtual ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    // --- Coordinate system ---------------------------------------------------------------
    // (x1, y1) becomes the top-left and (x2, y2) the bottom-right corner of the drawable area;
    // either axis may run backwards. A call with an empty extent is ignored.
    void Scale(double x1, double y1, double x2, double y2);
    // Scale without arguments: back to twips with the origin at the top-left.
    void ResetScale();
    int ScaleMode() const { return scaleMode_; }
    // 1 twips, 2 points, 3 pixels, 4 characters, 5 inches, 6 mm, 7 cm: the origin moves to
    // the top-left and ScaleWidth/ScaleHeight report the drawable area in that unit. 0 keeps
    // the current user system. Other values are ignored.
    void SetScaleMode(int mode);
    double ScaleLeft() const;
    double ScaleTop() const;
    double ScaleWidth() const;
    double ScaleHeight() const;
    void SetScaleLeft(double v);
    void SetScaleTop(double v);
    void SetScaleWidth(double v);
    void SetScaleHeight(double v);
    // A horizontal (vertical) length converted between units; ScaleUnit::User is the current
    // system, so the result is negative where that axis runs backwards.
    double ScaleX(double width, int fromUnit, int toUnit) const;
    double ScaleY(double height, int fromUnit, int toUnit) const;
    // Positions between the current system and device pixels of the drawable area.
    QPointF UserToDevice(double x, double y) const;
    QPointF DeviceToUser(double px, double py) const;
    // Outer size in twips: the paper on a printer, the picture elsewhere.
    virtual double Width() const;
    virtual double Height() const;
    // Device resolution in dots per inch.
    virtual double DpiX() const { return dpiX_; }
    virtual double DpiY() const { return dpiY_; }

    // --- Text cursor and state -------------------------------------------------------------
    double CurrentX() const { return currentX_; }
    double CurrentY() const { return currentY_; }
    void SetCurrentX(double x) { currentX_ = x; }
    void SetCurrentY(double y) { currentY_ = y; }

    Rgb ForeColor() const { return foreColor_; }
    void SetForeColor(Rgb c) { foreColor_ = c; }
    Rgb BackColor() const { return backColor_; }
    // The colour Cls clears to (and the text background when FontTransparent is off).
    void SetBackColor(Rgb c) { backColor_ = c; }
    // Line width in device pixels; assigned values are rounded half to even, at least 1.
    int DrawWidth() const { return drawWidth_; }
    void SetDrawWidth(double width);
    // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 invisible, 6 inside solid. The
    // broken styles apply to lines one pixel wide; wider lines are drawn solid.
    int DrawStyle() const { return drawStyle_; }
    void SetDrawStyle(int style);
    // Kept for the callers that set it; every mode draws as copy pen (13).
    int DrawMode() const { return drawMode_; }
    void SetDrawMode(int mode) { drawMode_ = mode; }
    Rgb FillColor() const { return fillColor_; }
    void SetFillColor(Rgb c) { fillColor_ = c; }
    // 0 solid, 1 transparent, 2 horizontal, 3 vertical, 4 upward and 5 downward diagonal,
    // 6 cross, 7 diagonal cross. Hatches have transparent gaps and keep a screen-like pitch
    // on paper.
    int FillStyle() const { return fillStyle_; }
    void SetFillStyle(int style);

    QString FontName() const { return fontName_; }
    void SetFontName(const QString& name);
    double FontSize() const { return fontSize_; }
    void SetFontSize(double points);
    bool FontBold() const { return fontBold_; }
    void SetFontBold(bool on);
    bool FontItalic() const { return fontItalic_; }
    void SetFontItalic(bool on);
    // When off, printed text blanks its box with BackColor.
    bool FontTransparent() const { return fontTransparent_; }
    void SetFontTransparent(bool on) { fontTransparent_ = on; }
    // Extent of a text in the current system (signed like ScaleWidth/ScaleHeight); lines are
    // separated by CR LF.
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;

    // --- Drawing -----------------------------------------------------------------------------
    // Line (x1, y1)-(x2, y2), color, B/BF. A stepped first point is relative to the current
    // point, a stepped second point to the first. The current point moves to the second point.
    void Line(SurfacePoint from, SurfacePoint to, std::optional<Rgb> color = std::nullopt,
              LineForm form = LineForm::Line);
    // Line -(x2, y2): from the current point.
    void LineTo(SurfacePoint to, std::optional<Rgb> color = std::nullopt,
                LineForm form = LineForm::Line);
    // Circle with radius in units of the horizontal axis. With start and/or end (radians) an
    // arc, running counter-clockwise as seen from start to end whatever the orientation of the
    // scale (0 points right); a negative angle joins that end to the centre (a pie, filled
    // like a circle when both are negative). aspect < 1 flattens, > 1 narrows.
    void Circle(SurfacePoint centre, double radius, std::optional<Rgb> color = std::nullopt,
                std::optional<double> start = std::nullopt,
                std::optional<double> end = std::nullopt,
                std::optional<double> aspect = std::nullopt);
    // Circle(centre, radius) at every centre (absolute positions). A crisp picture strokes the
    // unfilled rings as one shape and each position once: the same pixels, far fewer calls.
    void Circles(const std::vector<QPointF>& centres, double radius);
    // Open lines through the points of each polyline (absolute positions), in ForeColor,
    // DrawWidth and DrawStyle; the current point moves to the last point drawn.
    void Polylines(const std::vector<QPolygonF>& lines);
    // One pixel-sized dot of the pen's width; the current point moves there.
    void PSet(SurfacePoint p, std::optional<Rgb> color = std::nullopt);
    // An image stretched over the user rectangle (x1, y1)-(x2, y2), each of its pixels a sharp
    // rectangle (no smoothing, no lossy compression); transparent pixels leave what is under
    // them. The current point does not move.
    void DrawImage(const QImage& image, double x1, double y1, double x2, double y2);
    // Text with its top-left corner at the current point. With lineEnd the cursor returns to
    // the left edge one text line lower; without it, it moves to the end of the text.
    void Print(const QString& text, bool lineEnd = true);
    // A polygon in device pixels of the drawable area, filled with FillStyle and FillColor and
    // outlined with the pen (no outline with DrawStyle 5).
    void Polygon(const QPolygon& devicePoints);
    // Polygons in device pixels that tile without overlapping (the cells of a contour area),
    // filled and outlined as Polygon fills and outlines each; on paper and in files they go
    // out as one shape.
    void PolyPolygon(const std::vector<QPolygon>& devicePolygons);
    // Clears the drawing to BackColor and puts the current point at (0, 0).
    void Cls();
    // Shows what was drawn (window pictures); a no-op elsewhere.
    virtual void Refresh() {}

    // --- Documents (printer and files) ------------------------------------------------------
    virtual bool IsPrinter() const { return false; }
    // True while a document (printer job, file) has been drawn on and not yet ended.
    bool DocumentOpen() const { return PainterActive(); }
    // Ends the current page and starts the next one; the current point returns to (0, 0).
    virtual void NewPage() {}
    // Ends the document: the printer sends it, a file is written. False when that failed.
    virtual bool EndDoc() { return true; }
    virtual int ColorMode() const { return Color; }
    // Shapes go out pixel by pixel without smoothing (window pictures, raster files): an opaque
    // shape drawn again over itself changes nothing.
    bool Crisp() const { return !VectorOutput(); }

  protected:
    DrawingSurface(double dpiX, double dpiY);

    // The device drawn on and measured with.
    virtual QPaintDevice* Device() = 0;
    virtual const QPaintDevice* MetricsDevice() const = 0;
    // The drawable area in device pixels.
    virtual QSizeF DeviceSize() const = 0;
    // True for paper and vector files: hatches are drawn as lines at a screen-like pitch.
    virtual bool VectorOutput() const = 0;
    // Starts painting on the device; false when the device cannot be painted on.
    virtual bool BeginPainting(QPainter& painter);
    // True where the output names its fonts for another program to find (SVG): the installed
    // family that stands in for a Windows font name is written instead of that name.
    virtual bool NamesInstalledFonts() const { return false; }
    // Whether Cls paints the background (a printer page has none to clear).
    virtual bool ClearsOnCls() const { return true; }

    // The painter, begun on first use; nullptr when the device refused.
    QPainter* Painter();
    bool PainterActive() const;
    // Finishes painting (flushes the picture, closes a printer document or file).
    bool EndPainting();

  private:
    double UnitsPerPixelX(int unit) const;
    double UnitsPerPixelY(int unit) const;
    // The drawable area in device pixels, never empty (a degenerate device maps as 1 x 1).
    double DeviceWidth() const;
    double DeviceHeight() const;
    const QFont& CurrentFont() const;
    const QFontMetricsF& Metrics() const;
    void FontChanged();
    QPointF Resolve(SurfacePoint p, double baseX, double baseY) const;
    QPen LinePen(const QColor& color) const;
    // `pieces` are the path's polygons when the caller has them (hatching then skips
    // working them out).
    void FillShape(QPainter& painter, const QPainterPath& path, const QColor& color, int pattern,
                   const QList<QPolygonF>* pieces = nullptr);
    void HatchWithLines(QPainter& painter, const QList<QPolygonF>& polygons, const QRectF& bounds,
                        const QColor& color, int pattern);
    void StrokeAndFill(const QPainterPath& outline, const QColor& lineColor,
                       std::optional<QColor> fill, int fillPattern,
                       const QList<QPolygonF>* pieces = nullptr);
    void DrawBox(double x1, double y1, double x2, double y2, const QColor& color, LineForm form);
    void PrintLine(const QString& text);

    double dpiX_;
    double dpiY_;
    int scaleMode_ = Twips;
    // The user system; only meaningful while scaleMode_ is User (unit modes are computed
    // from the device, so they follow a resized picture or a changed paper).
    double scaleLeft_ = 0;
    double scaleTop_ = 0;
    double scaleWidth_ = 1;
    double scaleHeight_ = 1;
    double currentX_ = 0;
    double currentY_ = 0;
    Rgb foreColor_ = 0;
    Rgb backColor_ = RGB(255, 255, 255);
    int drawWidth_ = 1;
    int drawStyle_ = SolidLine;
    int drawMode_ = 13;
    Rgb fillColor_ = 0;
    int fillStyle_ = TransparentFill;
    QString fontName_ = QStringLiteral("ＭＳ Ｐゴシック");
    double fontSize_ = 9;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    bool fontTransparent_ = true;
    // CurrentFont() and its metrics while the settings above stay; the metrics the painter's
    // font has while it keeps it.
    mutable std::optional<QFont> font_;
    mutable std::optional<QFontMetricsF> metrics_;
    mutable const QPaintDevice* metricsDevice_ = nullptr;
    std::optional<QFontMetricsF> printMetrics_;
    std::unique_ptr<QPainter> painter_;
};
