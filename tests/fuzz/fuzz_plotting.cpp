// Fuzz target: plotting and the formula layout on random parabola records
// and plane settings, as a unit file and the settings store can hold them:
// the plane drawn from clamped settings, every record drawn on it in every
// mode, and its texts laid out as pictures.

#include "files/UnitFile.h"
#include "model/FormulaText.h"
#include "plane/Fonts.h"
#include "plane/FormulaImage.h"
#include "plane/PlaneDrawing.h"
#include "plane/Plotting.h"
#include "settings/PlaneSettingsStore.h"
#include "ui/Prompt.h"

#include <QGuiApplication>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// A settings text: a number of any size, a value near the plane's own
// range, nothing, or free text.
QString SettingText(FuzzedDataProvider &in)
{
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return QString::number(in.ConsumeIntegral<std::int32_t>());
    case 1:
        return QString::number(in.ConsumeIntegralInRange(-70, 70));
    case 2:
        return {};
    default:
        return QString::fromUtf8(in.ConsumeRandomLengthString(12));
    }
}

// A record field: mostly lattice values on the plane, sometimes any 32-bit value.
std::int32_t FieldValue(FuzzedDataProvider &in)
{
    if (in.ConsumeIntegralInRange(0, 3) == 0)
        return in.ConsumeIntegral<std::int32_t>();
    return in.ConsumeIntegralInRange(-30, 30);
}

PlaneSettings Settings(FuzzedDataProvider &in, int largest)
{
    PlaneSettings s;
    s.SizeX = SettingText(in);
    s.SizeY = SettingText(in);
    s.DX = SettingText(in);
    s.DY = SettingText(in);
    s.StartX = SettingText(in);
    s.StartY = SettingText(in);
    s.EndX = SettingText(in);
    s.EndY = SettingText(in);
    s.ScaleNumberX = in.ConsumeIntegral<int>();
    s.ScaleNumberY = in.ConsumeIntegral<int>();
    s.FontSize = in.ConsumeIntegral<int>();
    s.Margin = in.ConsumeIntegral<int>();
    s.ShowCoordinates = in.ConsumeBool();
    s.ShowTickNumbers = in.ConsumeBool();
    s.ShowAxisNames = in.ConsumeBool();
    // Whatever the store holds reaches the plane only through this.
    ClampPlaneSettings(s, largest);
    return s;
}

void LayOut(Picture &panel, Canvas &table, const QString &text, const DrawingSettings &draw)
{
    DrawFormulaImage(panel, text, draw);
    const qsizetype slash = text.indexOf(QLatin1Char('/'));
    DrawTableValue(table, slash < 0 ? text : text.left(slash), slash < 0 ? QString() : text.mid(slash + 1), 2, 2);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    RegisterFontSubstitutions();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    ViewSettings st;
    st.PlaneDefaultSize = in.ConsumeIntegralInRange(96, 480);
    st.MainPlane = Settings(in, st.PlaneDefaultSize);
    st.PracticePlane = Settings(in, st.PlaneDefaultSize);
    DrawingSettings &draw = st.Draw;
    draw.Dotted = in.ConsumeBool();
    draw.Handles = in.ConsumeBool();
    draw.LatticeDots = in.ConsumeBool();
    draw.AxisColor = in.ConsumeBool();
    draw.CircleRadius = in.ConsumeIntegralInRange(0, 8);
    draw.NextLineMode = static_cast<LineMode>(in.ConsumeIntegralInRange(0, 3));
    draw.LineWidth = in.ConsumeIntegralInRange(1, 15);
    draw.SegmentEnds = in.ConsumeIntegralInRange(0, 3);
    draw.HalfLineEnds = in.ConsumeIntegralInRange(0, 1);

    Picture plane;
    const bool practice = in.ConsumeBool();
    PlaneGeometry g;
    try {
        g = practice ? DrawPracticePlane(plane, st, g) : DrawPlane(plane, st, g);
    } catch (const UserError &) {
        return 0;
    }
    Canvas &c = plane.canvas();
    const PlotContext ctx{g, draw, plane.width()};
    Picture panel(0, 0, 300, 60);
    Canvas table(120, 40);
    Picture sample(0, 0, 40, 24);
    RedrawLineSample(sample, draw);

    const int records = in.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < records; ++i) {
        // Fields as a unit file gives them.
        Parabola r;
        UnpackStyle(in.ConsumeIntegral<int>(), r, {draw.LowerIncluded, draw.UpperIncluded});
        r.Color = in.ConsumeIntegral<std::int32_t>();
        r.VertexX = FieldValue(in);
        r.VertexY = FieldValue(in);
        r.PointX = FieldValue(in);
        r.PointY = FieldValue(in);
        r.DomainLow = FieldValue(in);
        r.DomainHigh = FieldValue(in);
        r.Formula = in.ConsumeBool() ? StandardFormPlain(r) : QString::fromUtf8(in.ConsumeRandomLengthString(40));

        c.setPenMode(in.ConsumeBool() ? PenMode::NotXor : PenMode::Copy);
        if (in.ConsumeBool())
            DrawRubberBand(c, r, in.ConsumeBool(), ctx);
        DrawParabola(c, r, in.ConsumeBool(), ctx);
        DrawLatticeDots(c, r, ctx);
        const std::int32_t x = FieldValue(in);
        MarkCurvePoint(c, x, r, ctx);
        DrawEndMark(c, x, r, in.ConsumeBool(), ctx);
        DrawPointMarker(c, QPoint(FieldValue(in), FieldValue(in)), Color(r.Color) & 0xFFFFFFu, ctx);
        DrawUnbounded(c, r, ctx);
        DrawLineSample(sample.canvas(), r, 2, draw);

        for (FormulaForm form : {FormulaForm::Standard, FormulaForm::General})
            LayOut(panel, table, StandardFormText(r, form), draw);
        for (const QString &text : {r.Formula, AxisText(r), VertexText(r), DomainText(r), RangeText(r),
                                    ValueText(r, x)})
            LayOut(panel, table, text, draw);
    }
    (void)c.image();
    (void)panel.canvas().image();
    (void)table.image();
    return 0;
}
