#include "plane/PlaneDrawing.h"

#include "plane/Convert.h"

#include <algorithm>
#include <cstdlib>

namespace {

enum class Variant { Main, Practice };

// Far beyond any screen; a size from elsewhere than the settings dialog is
// cut here, so the placement arithmetic and the bitmap stay in bounds.
constexpr int kLargestPicture = 4096;

int SizeOrDefault(const QString &text, int fallback)
{
    const int v = SettingInt(text);
    return std::min(v <= 0 ? fallback : v, kLargestPicture);
}

bool MultipleOf(int v, int step)
{
    return step != 0 && v % step == 0;
}

void PlacePicture(Picture &picture, const ViewSettings &st, Variant variant)
{
    const MainLayout &l = st.Layout;
    const int w = PlaneSizeX(st);
    const int h = PlaneSizeY(st);
    const int top = (l.WindowHeight - (l.ToolPanelHeight + h + l.SettingsGroupHeight)) / 2 +
                    l.ToolPanelHeight - 28;
    int left = picture.left();
    if (variant == Variant::Main)
        left = l.ListLeft + l.ListWidth + (l.WindowWidth - l.ListWidth - w) / 2;
    picture.setBounds(QRect(left, top, w, h));
}

// Grid lines of one direction; the colour rules are the same for both.
struct LineColors {
    Color fifth;
    Color axis;
};

void DrawGrid(Canvas &c, const PlaneGeometry &g, int width, int height, Variant variant,
              LineColors colors)
{
    // Vertical lines.
    for (int i = 0; i <= g.CountX; ++i) {
        const int v = g.StartX + i;
        int x = g.MarginX + i * g.ScaleX;
        c.setPenWidth(1);
        c.setPenColor(Colors::Silver);
        if (MultipleOf(v, 5))
            c.setPenColor(colors.fifth);
        if (v == 0) {
            if (variant == Variant::Main) {
                c.setPenColor(colors.fifth);
                c.setPenWidth(2);
            } else {
                c.setPenColor(colors.axis);
            }
        }
        if (variant == Variant::Main && i == g.CountX)
            x -= 1;  // keep the last line inside the picture
        c.moveTo(x, height - g.MarginY);
        c.lineTo(x, g.MarginY);
    }
    // Horizontal lines.
    for (int i = 0; i <= g.CountY; ++i) {
        const int v = g.StartY + i;
        int y = height - g.MarginY - i * g.ScaleY;
        c.setPenWidth(1);
        c.setPenColor(Colors::Silver);
        if (MultipleOf(v, 5)) {
            c.setPenColor(colors.fifth);
            if (variant == Variant::Practice)
                c.setPenMode(PenMode::Copy);
        }
        if (v == 0) {
            if (variant == Variant::Main) {
                c.setPenColor(colors.fifth);
                c.setPenWidth(2);
            } else {
                // The practice plane's x axis is drawn not-xor, and the mode
                // stays until the next fifth line.
                c.setPenColor(colors.axis);
                c.setPenMode(PenMode::NotXor);
            }
        }
        if (variant == Variant::Main && i == 0)
            y -= 1;  // keep the first line inside the picture
        c.moveTo(g.MarginX, y);
        c.lineTo(width - g.MarginX, y);
    }
    c.setPenMode(PenMode::Copy);
    c.setPenWidth(1);
}

// The numbering step widened to 2, 5, 10, ... times the step set, until
// neighbouring numbers lie at least `room` pixels apart and stay readable.
int ReadableStep(int step, int scale, int room)
{
    static constexpr int factors[] = {1, 2, 5, 10, 20, 50, 100, 1000};
    for (const int f : factors)
        if (qint64(step) * f * scale >= room)
            return step * f;
    return step * 1000;
}

// Room one x number needs: the widest of those numbered, and a digit's
// width of gap, so that a minus never seems to join the number before it.
int NumberRoomX(const Canvas &c, const PlaneGeometry &g, int step)
{
    int widest = 0;
    for (int v = g.StartX; v <= g.LastX; ++v)
        if (MultipleOf(v, step))
            widest = std::max(widest, c.textWidth(QString::number(v)));
    return widest + c.textWidth(QStringLiteral("0")) + 1;
}

int ScaleFontSize(int scale, int current)
{
    switch (scale) {
    case 4: return 8;
    case 8: return 10;
    case 16: return 12;
    default: return current;
    }
}

PlaneGeometry DrawPlaneVariant(Picture &picture, const ViewSettings &st, Variant variant,
                               const PlaneGeometry &previous)
{
    const PlaneSettings &s = variant == Variant::Main ? st.MainPlane : st.PracticePlane;
    const bool axisColor = st.Draw.AxisColor;
    LineColors colors{};
    if (variant == Variant::Main)
        colors = axisColor ? LineColors{Colors::Gray, Colors::Gray} : LineColors{Colors::Navy, Colors::Navy};
    else
        colors = axisColor ? LineColors{Colors::Navy, Colors::Red} : LineColors{Colors::Gray, Colors::Gray};

    PlacePicture(picture, st, variant);
    const int width = picture.width();
    const int height = picture.height();
    const PlaneGeometry g = ComputePlaneGeometry(width, height, s, previous);

    ClearImage(picture, Colors::White, st.Draw);
    Canvas &c = picture.canvas();
    c.setFontName(Fonts::Gothic);
    c.setFontItalic(false);
    c.setFontSize(s.FontSize);

    if (s.ShowCoordinates) {
        DrawGrid(c, g, width, height, variant, colors);

        c.setFontColor(Colors::Black);
        c.setBrushStyle(BrushStyle::Clear);
        const double off = (12 - s.FontSize) * 0.1 - 1.5;
        // Both variants take the axis-name switch from the main settings.
        const bool names = st.MainPlane.ShowAxisNames;
        const int nameX = variant == Variant::Main ? width - g.MarginX - 20 : width - g.MarginX - g.ScaleX;
        const int nameHeight = variant == Variant::Main ? 24 : 19;  // pixels of the 18 and 14 point names

        if (s.ShowTickNumbers) {
            if (s.ScaleNumberY > 0) {
                if (variant == Variant::Main)
                    c.setFontSize(ScaleFontSize(g.ScaleY, c.fontSize()));
                // Rows of numbers need the height of their digits and a gap.
                const int digits = c.metrics().tightBoundingRect(QStringLiteral("-0123456789")).height();
                const int stepY = ReadableStep(s.ScaleNumberY, g.ScaleY, digits + 3);
                for (int v = g.StartY; v <= g.LastY; ++v) {
                    // Numbers the axis name "y" would cover are left out.
                    const bool underName = names && qint64(g.LastY - v) * g.ScaleY < nameHeight;
                    if (MultipleOf(v, stepY) && v != g.StartY && v != g.LastY && v != 0 &&
                        v <= g.EndY && !underName) {
                        // Right-aligned just left of the y axis at every scale,
                        // so that no number lies on the axis.
                        const QString number = QString::number(v);
                        c.textOut(g.OriginX - 2 - c.textWidth(number), g.PointToPixel(0, v).y() + 1, number);
                    }
                }
            }
            if (s.ScaleNumberX > 0) {
                if (variant == Variant::Main)
                    c.setFontSize(ScaleFontSize(g.ScaleX, c.fontSize()));
                const int stepX = ReadableStep(s.ScaleNumberX, g.ScaleX, NumberRoomX(c, g, s.ScaleNumberX));
                for (int v = g.StartX; v <= g.LastX; ++v) {
                    if (!MultipleOf(v, stepX) || v == g.StartX || v == g.LastX || v > g.EndX)
                        continue;
                    const QString number = QString::asprintf("%3d", v);
                    // Numbers that would reach the axis name "x" are left out.
                    if (names && g.PointToPixel(v + off, 0).x() - 1 + c.textWidth(number) >= nameX - 1)
                        continue;
                    PlaneText(c, g, number, v + off, 0);
                }
            }
            c.setFontItalic(true);
        }

        if (names) {
            c.setFontSize(variant == Variant::Main ? 18 : 14);
            SelectLetterFont(c, QLatin1Char('A'));
            const int xy = variant == Variant::Main ? (g.ScaleY * g.CountY) / 2 + g.MarginY - g.ScaleY / 3
                                                    : (g.ScaleY * g.CountY) / 2 + g.MarginY - g.ScaleY / 2;
            c.textOut(nameX, xy, QStringLiteral("x"));
            PlaneText(c, g, QStringLiteral("y"), off + 0.5, g.LastY);
        }
    }
    c.setFontItalic(false);
    c.setFontName(Fonts::Gothic);
    return g;
}

}  // namespace

int PlaneSizeX(const ViewSettings &st)
{
    return SizeOrDefault(st.MainPlane.SizeX, st.PlaneDefaultSize);
}

int PlaneSizeY(const ViewSettings &st)
{
    return SizeOrDefault(st.MainPlane.SizeY, st.PlaneDefaultSize);
}

PlaneGeometry ComputePlaneGeometry(int width, int height, const PlaneSettings &s,
                                   const PlaneGeometry &previous)
{
    PlaneGeometry g;
    // A scale wider than any picture gives no unit at all; capping it keeps
    // the origin arithmetic in range.
    g.ScaleX = std::min(s.ScaleX >= 1 ? s.ScaleX : qMax(1, previous.ScaleX), kLargestPicture);
    g.ScaleY = std::min(s.ScaleY >= 1 ? s.ScaleY : qMax(1, previous.ScaleY), kLargestPicture);
    g.CountX = (width / g.ScaleX) / 2 * 2;
    g.CountY = (height / g.ScaleY) / 2 * 2;
    const int sx = SettingInt(s.StartX);
    const int sy = SettingInt(s.StartY);
    g.StartX = std::abs(qint64(sx)) < 60 ? sx : -(g.CountX / 2);
    g.StartY = std::abs(qint64(sy)) < 60 ? sy : -(g.CountY / 2);
    g.LastX = g.StartX + g.CountX;
    g.LastY = g.StartY + g.CountY;
    g.MarginX = (width - g.CountX * g.ScaleX) / 2;
    g.MarginY = (height - g.CountY * g.ScaleY) / 2;
    g.OriginX = g.ScaleX * (-g.StartX);
    g.OriginY = g.ScaleY * g.LastY;
    g.EndX = SettingInt(s.EndX);
    g.EndY = SettingInt(s.EndY);
    return g;
}

PlaneGeometry DrawPlane(Picture &picture, const ViewSettings &st, const PlaneGeometry &previous)
{
    return DrawPlaneVariant(picture, st, Variant::Main, previous);
}

PlaneGeometry DrawPracticePlane(Picture &picture, const ViewSettings &st, const PlaneGeometry &previous)
{
    return DrawPlaneVariant(picture, st, Variant::Practice, previous);
}

void ClearImage(Picture &picture, Color color, const DrawingSettings &draw)
{
    Canvas &c = picture.canvas();
    c.reset(picture.width(), picture.height(), color);
    // The bitmap is filled with the brush, which keeps that colour.
    c.setBrushColor(color);
    c.setFontColor(draw.PanelTextColor);
}

void PlaneText(Canvas &canvas, const PlaneGeometry &g, const QString &text, double x, double y)
{
    const QPoint p = g.PointToPixel(x, y);
    canvas.textOut(PlaneGeometry::Clamped(qint64(p.x()) - 1), PlaneGeometry::Clamped(qint64(p.y()) + 1), text);
}

int SelectLetterFont(Canvas &canvas, QChar ch)
{
    if (ch.unicode() >= 'A' && ch.unicode() <= 'z') {
        canvas.setFontName(Fonts::Serif);
        canvas.setFontItalic(true);
        return 2;
    }
    canvas.setFontName(Fonts::Gothic);
    canvas.setFontItalic(false);
    return 0;
}
