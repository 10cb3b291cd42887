// Benchmarks of the drawing paths a pupil waits for. Prints one line per
// figure: NAME VALUE UNIT. Runs without a display.

#include "app/Forms.h"
#include "app/FormulaList.h"
#include "app/MainWindow.h"
#include "files/Cp932.h"
#include "files/Records.h"
#include "files/UnitFile.h"
#include "files/UnitLines.h"
#include "model/FormulaText.h"
#include "output/PrintDialog.h"
#include "output/WorksheetWriter.h"
#include "plane/AutoColor.h"
#include "plane/Fonts.h"
#include "plane/FormulaImage.h"
#include "plane/PlaneDrawing.h"
#include "plane/Plotting.h"
#include "practice/RecordsWindow.h"
#include "settings/SettingsStore.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"

#include <QMouseEvent>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include "Screen.h"
#include "Startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

double MedianNs(int runs, const std::function<void()> &work)
{
    std::vector<qint64> t;
    t.reserve(std::size_t(runs));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        t.push_back(timer.nsecsElapsed());
    }
    std::sort(t.begin(), t.end());
    return double(t[t.size() / 2]);
}

// Every figure printed, for the ratios at the end.
std::map<std::string, double> &Figures()
{
    static std::map<std::string, double> figures;
    return figures;
}

void Print(const std::string &name, double value, const char *unit)
{
    Figures()[name] = value;
    std::printf("%s %.3f %s\n", name.c_str(), value, unit);
    std::fflush(stdout);
}

// A ratio of two printed figures, when both were measured.
void PrintRatio(const std::string &name, const std::string &over, const std::string &under, double scale = 1)
{
    const auto &f = Figures();
    if (f.count(over) && f.count(under) && f.at(under) > 0)
        Print(name, f.at(over) / (scale * f.at(under)), "x");
}

// A worksheet of 20 exercises with its key, as PDF bytes (ms).
double WorksheetMs(const ViewSettings &view)
{
    WorksheetUnit unit;
    unit.title = QStringLiteral("ベンチマーク");
    for (int i = 0; i < 20; ++i) {
        Parabola r;
        r.VertexX = i % 7 - 3;
        r.VertexY = i % 5 - 2;
        r.PointX = r.VertexX + 1 + i % 2;
        r.PointY = r.VertexY + (i % 3) - 1 + (i % 3 == 1 ? 2 : 0);
        r.Formula = StandardFormPlain(r);
        unit.exercises.push_back(r);
    }
    const QDateTime when = QDateTime::currentDateTime();
    return MedianNs(5, [&] { (void)WorksheetPdf(unit, WorksheetOptions(), view, when); }) / 1e6;
}

// One sheet printed to a PDF file, median of several.
double PrintPdfMs(PrintDialog &print, const QString &file)
{
    print.printer().setOutputFormat(QPrinter::PdfFormat);
    print.printer().setOutputFileName(file);
    return MedianNs(11, [&] { print.PrintSheet(); }) / 1e6;
}

// 100 parabolas of every kind and width, ten of them selected.
void FillHundred(MainWindow &m)
{
    UnitSnapshot s;
    for (int i = 0; i < 100; ++i) {
        Parabola r;
        r.VertexX = i % 21 - 10;
        r.VertexY = (i * 7) % 19 - 9;
        r.PointX = r.VertexX + 1 + i % 3;
        r.PointY = r.VertexY + ((i % 2) ? 2 + i % 4 : -(1 + i % 5));
        r.LineMode = i % 4;
        r.LineWidth = 1 + i % 3;
        r.Color = std::int32_t(kAutoColors[std::size_t(i % 16)]);
        r.LowerIncluded = i % 3 != 0;
        r.UpperIncluded = i % 5 != 0;
        switch (r.LineMode) {
        case 1: r.DomainLow = r.VertexX - 3; r.DomainHigh = r.VertexX + 2; break;
        case 2: r.DomainLow = r.VertexX - 1; break;
        case 3: r.DomainHigh = r.VertexX + 1; break;
        default: break;
        }
        r.Formula = StandardFormPlain(r);
        s.append(r, StandardFormText(r));
    }
    for (int i = 0; i < 100; i += 10)
        s.selected.append(i);
    m.document().reset(QStringLiteral("百本の放物線"), QStringLiteral("hundred.prb"));
    m.document().commit(QStringLiteral("百本"), s);
}

// Starts a private Xvfb on a free display of its own choosing and returns
// that display once the server is ready, or nothing. A fixed display number
// would silently measure on whatever server already holds it. No reset when
// the last client leaves: a start during one would fail.
QString StartPrivateXvfb(QProcess &xvfb, const QString &screen)
{
    xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                        QStringLiteral("0"), screen, QStringLiteral("-nolisten"),
                                        QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!xvfb.waitForStarted(5000))
        return QString();
    QByteArray number;
    while (!number.contains('\n') && xvfb.waitForReadyRead(5000))
        number += xvfb.readAllStandardOutput();
    bool ok = false;
    const int n = number.trimmed().toInt(&ok);
    return ok ? QStringLiteral(":%1").arg(n) : QString();
}
}  // namespace

// Start-up and memory under a private Xvfb, for the program and for a bare
// Qt window, printed first; skipped when Xvfb is missing, or xdotool where
// the benchmark cannot hear the server map windows itself.
void StartupFigures(const QString &workDir)
{
#ifdef QUORVEL_BENCH_XCB
    const bool needsXdotool = false;
#else
    const bool needsXdotool = true;
#endif
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        (needsXdotool && QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())) {
        std::printf("# startup figures skipped: Xvfb or xdotool not installed\n");
        return;
    }
    QProcess xvfb;
    const QString display = StartPrivateXvfb(xvfb, QStringLiteral("1024x768x24"));
    if (display.isEmpty()) {
        std::printf("# startup figures skipped: Xvfb did not start\n");
        return;
    }
    const auto figures = MeasureStartup({{QStringLiteral(QUORVEL_PROGRAM), QStringLiteral("Quorvel")},
                                         {QStringLiteral(QUORVEL_FLOOR), QStringLiteral("quorvel-floor")},
                                         {QStringLiteral(QUORVEL_FLOOR_TEXT), QStringLiteral("quorvel-floor-text")}},
                                        workDir, display, 21);
    const auto &app = figures[0];
    const auto &floor = figures[1];
    const auto &textFloor = figures[2];
    if (!app || !floor)
        std::printf("# startup figures not measured: %s did not show its window\n", !app ? "the program" : "the floor window");
    if (app && floor) {
        Print("startup_ms", app->medianMs, "ms");
        Print("startup_floor_ms", floor->medianMs, "ms");
        Print("startup_ratio", app->medianMs / floor->medianMs, "x");
        Print("rss_mb", app->rssMb, "MB");
        Print("rss_floor_mb", floor->rssMb, "MB");
        Print("rss_ratio", app->rssMb / floor->rssMb, "x");
    }
    // Not targets: the share of the figures that loading the Japanese font
    // alone takes.
    if (textFloor) {
        Print("startup_text_floor_ms", textFloor->medianMs, "ms");
        Print("rss_text_floor_mb", textFloor->rssMb, "MB");
    }
    xvfb.terminate();
    xvfb.waitForFinished(3000);
}

namespace {
// Repaints through the screen on the plane size set: a full repaint of the
// hundred, of the empty plane, a picture's blit, a selection change and a
// rubber band step.
void ScreenFiguresOfSize(MainWindow &m, ViewSettings &st, const char *suffix)
{
    auto name = [&](const char *base) { return std::string(base) + suffix; };
    PlaneView &plane = *m.findChild<PlaneView *>(QStringLiteral("imgCood"));
    m.findChild<QCheckBox *>(QStringLiteral("chkMaruX"))->setChecked(true);
    st.Draw.LatticeDots = true;
    constexpr int runs = 31;
    auto fullRepaint = [&] {
        m.dropCachedCurves();
        m.repaintAll();
    };
    FillHundred(m);
    m.repaintAll();
    // The blit's floor is timed in turns with each change it is compared
    // with, in a window beside the main one (one over it would hide part
    // of the plane from the server).
    BlitWidget blit(plane.frame().copy());
    blit.move(m.frameGeometry().right() + 10, 0);
    blit.show();
    QApplication::processEvents();
    SyncScreen();
    QThread::msleep(100);
    std::vector<qint64> blits;
    Print(name("repaint_100_screen_ms"),
          MedianScreenMsBeside(runs, plane, fullRepaint, ScreenPaint::Whole, blit, blits), "ms");
    int k = 0;
    Print(name("select_ms"),
          MedianScreenMsBeside(
              runs, plane,
              [&] {
                  // As a click in the list selects: the rows, then the views.
                  m.document().setSelectedRows({++k % 100});
                  m.repaintAll();
              },
              ScreenPaint::AsAsked, blit, blits),
          "ms");
    {
        // The first curve's passing point dragged by its handle (a new
        // curve cannot be started: the list is full); each step moves the
        // band to the next lattice point.
        const Parabola &first = m.document().at(0);
        m.input().press(Qt::RightButton, QPoint(first.PointX, first.PointY), 0);
        m.input().held(DrawingInput::ClickTime);
        const double ms = MedianScreenMsBeside(
            runs, plane,
            [&] {
                ++k;
                const QPoint p = plane.pixelAt(QPoint(1 + k % 5, 1 + k % 3));
                QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(plane.mapToGlobal(p)), Qt::NoButton,
                                 Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(&plane, &move);
            },
            ScreenPaint::AsAsked, blit, blits);
        const bool drawn = m.input().overlay().band && plane.frame() != plane.canvas().image();
        m.input().cancel();
        if (drawn)
            Print(name("rubber_band_screen_us"), ms * 1e3, "us");
        else
            std::printf("# %s not measured: the band did not show\n", name("rubber_band_screen_us").c_str());
    }
    m.document().reset(QString(), QString());
    m.repaintAll();
    Print(name("repaint_0_screen_ms"), MedianScreenMs(runs, plane, fullRepaint), "ms");
    if (qEnvironmentVariableIsSet("QUORVEL_BENCH_DETAIL")) {
        // Where a full repaint goes: the plane alone, the widget's paint
        // alone, and each kind and width of curve.
        Print(name("detail_draw_plane_0_ms"),
              MedianNs(31,
                       [&] {
                           (void)DrawPlane(plane.picture(), st, plane.planeGeometry());
                           (void)plane.canvas().image();
                       }) /
                  1e6,
              "ms");
        Print(name("detail_widget_paint_ms"), MedianScreenMs(runs, plane, [] {}), "ms");
        FillHundred(m);
        m.repaintAll();
        Print(name("detail_repaint_100_ms"), MedianNs(31, fullRepaint) / 1e6, "ms");
        const PlotContext ctx = plane.plotContext(st.Draw);
        Canvas &c = plane.canvas();
        for (int mode = 0; mode < 4; ++mode)
            for (int width = 1; width <= 3; ++width) {
                double total = 0;
                int n = 0;
                for (int i = 0; i < m.document().count(); ++i) {
                    const Parabola &r = m.document().at(i);
                    if (r.LineMode == mode && r.LineWidth == width) {
                        ++n;
                        total += MedianNs(21, [&] { DrawParabola(c, r, false, ctx); });
                    }
                }
                const std::string kind =
                    "detail_curve_mode" + std::to_string(mode) + "_width" + std::to_string(width) + "_us";
                if (n)
                    Print(name(kind.c_str()), total / n / 1e3, "us");
            }
        double marks = 0;
        for (int i = 0; i < 100; i += 10)
            marks += MedianNs(21, [&] { DrawSelectionMarks(c, m.document().at(i), ctx); });
        Print(name("detail_marks_of_10_us"), marks / 1e3, "us");
        (void)c.image();
        m.document().reset(QString(), QString());
        m.repaintAll();
    }
    Print(name("blit_screen_ms"), MedianMs(blits), "ms");
    PrintRatio(name("repaint_100_ratio"), name("repaint_100_screen_ms"), name("repaint_0_screen_ms"));
    PrintRatio(name("select_ratio"), name("select_ms"), name("blit_screen_ms"));
    PrintRatio(name("band_ratio"), name("rubber_band_screen_us"), name("blit_screen_ms"), 1000);
}

void ScreenFigures(MainWindow &m, ViewSettings &st)
{
    if (!ScreenAvailable()) {
        std::printf("# screen figures skipped: no X server (Xvfb) to paint to\n");
        return;
    }
    const MainLayout layout = st.Layout;
    st.MainPlane.SizeX = st.MainPlane.SizeY = QStringLiteral("-99");
    ScreenFiguresOfSize(m, st, "");
    // The 1024 plane in a window that holds it whole.
    st.Layout.WindowWidth = 1400;
    st.Layout.WindowHeight = 1250;
    m.resize(st.Layout.WindowWidth, st.Layout.WindowHeight);
    st.MainPlane.SizeX = st.MainPlane.SizeY = QStringLiteral("1024");
    ScreenFiguresOfSize(m, st, "_1024");
    st.Layout = layout;
    m.resize(layout.WindowWidth, layout.WindowHeight);
    QApplication::processEvents();
}

// A private X server for the figures through the screen; none when Xvfb is
// missing or the caller chose a platform.
std::unique_ptr<QProcess> StartScreen()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        return nullptr;
    auto xvfb = std::make_unique<QProcess>();
    const QString display = StartPrivateXvfb(*xvfb, QStringLiteral("2600x1300x24"));
    if (display.isEmpty())
        return nullptr;
    qputenv("DISPLAY", display.toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    return xvfb;
}
} // namespace

int main(int argc, char **argv)
{
    std::unique_ptr<QProcess> screen;
    {
        QCoreApplication core(argc, argv);
        QTemporaryDir work;
        QDir(work.path()).mkdir(QStringLiteral("DATA"));
        StartupFigures(work.path());
        screen = StartScreen();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    RegisterFontSubstitutions();
    QTemporaryDir dir;
    CreateForms(QSize(1024, 768), dir.path(), SettingsStore(dir.filePath(QStringLiteral("bench.ini"))));
    MainWindow &m = *forms().mainWindow;
    m.show();
    QApplication::processEvents();

    ViewSettings &st = forms().settings();
    ScreenFigures(m, st);
    st.MainPlane.SizeX = st.MainPlane.SizeY = QStringLiteral("1024");
    FillHundred(m);
    m.findChild<QCheckBox *>(QStringLiteral("chkMaruX"))->setChecked(true);
    st.Draw.LatticeDots = true;

    for (int scale : {16, 4}) {
        st.MainPlane.ScaleX = st.MainPlane.ScaleY = scale;
        m.repaintAll();  // warm the font and glyph caches
        // Every run draws the whole plane, as a change of the unit does.
        const double ns = MedianNs(21, [&] {
            m.dropCachedCurves();
            m.repaintAll();
        });
        Print(scale == 16 ? "repaint_100_ms" : "repaint_100_scale4_ms", ns / 1e6, "ms");
    }

    {
        // The same hundred as segments whose domain spans every 32-bit x, as
        // a hand-made file may hold them: clipped to the plane, they should
        // cost what ordinary curves do.
        st.MainPlane.ScaleX = st.MainPlane.ScaleY = 16;
        UnitSnapshot s = m.document().snapshot();
        for (int i = 0; i < 100; ++i) {
            Parabola r = s.entries[i].parabola;
            r.LineMode = 1;
            r.DomainLow = -2147483647;
            r.DomainHigh = 2147483647;
            s.put(i, r, s.entries[i].listText);
        }
        m.document().commit(QStringLiteral("端"), s);
        const double ns = MedianNs(21, [&] {
            m.dropCachedCurves();
            m.repaintAll();
        });
        Print("repaint_extreme_ms", ns / 1e6, "ms");
        FillHundred(m);
    }

    st.MainPlane.ScaleX = st.MainPlane.ScaleY = 16;
    m.repaintAll();
    {
        // One step of a handle drag over the other 99 curves: the mouse moves
        // to the next lattice point and the plane's frame is composed.
        PlaneView &plane = *m.findChild<PlaneView *>(QStringLiteral("imgCood"));
        const Parabola &first = m.document().at(0);
        m.input().press(Qt::RightButton, QPoint(first.PointX, first.PointY), 0);
        m.input().held(DrawingInput::ClickTime);
        int k = 0;
        const double ns = MedianNs(501, [&] {
            ++k;
            const QPoint p = plane.pixelAt(QPoint(1 + k % 5, 1 + k % 3));
            QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(plane.mapToGlobal(p)), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&plane, &move); // composes the frame to show
        });
        m.repaintAll();
        Print("rubber_band_us", ns / 1e3, "us");
    }
    {
        // A change of the selection with 100 curves on the plane, drawn
        // into the still picture (not through the screen).
        int k = 0;
        const double ns = MedianNs(101, [&] {
            m.document().setSelectedRows({++k % 100});
            m.repaintAll();
            (void)m.planeImage();
        });
        Print("select_draw_ms", ns / 1e6, "ms");
    }
    {
        const QString text = QStringLiteral("y = -3/4x^2+15/2x-51/4");
        Picture &pic = m.findChild<ImageView *>(QStringLiteral("imgShiki"))->picture();
        DrawFormulaImage(pic, text, st.Draw);
        const double ns = MedianNs(501, [&] {
            DrawFormulaImage(pic, text, st.Draw);
            (void)pic.canvas().image();
        });
        Print("formula_image_us", ns / 1e3, "us");
    }
    {
        // A unit of 100 parabolas read and shown on the default plane.
        st.MainPlane.SizeX = st.MainPlane.SizeY = QStringLiteral("-99");
        m.findChild<QCheckBox *>(QStringLiteral("chkMaruX"))->setChecked(false);
        st.Draw.LatticeDots = false;
        FillHundred(m);
        QStringList lines{QStringLiteral("百本の放物線")};
        for (int i = 0; i < 100; ++i)
            lines << UnitLinesOf(m.document().at(i));
        const QString file = dir.filePath(QStringLiteral("hundred.prb"));
        WriteCp932Lines(file, lines);
        const IncludedEnds ends{st.Draw.LowerIncluded, st.Draw.UpperIncluded};
        const double ns = MedianNs(51, [&] {
            const auto unit = ReadUnit(file, m.currentForm(), ends).value;
            m.dropCachedCurves();      // another unit: every curve is new
            m.applyUnit(*unit, file);  // the document repaints the views
            (void)m.planeImage();
        });
        Print("open_unit_100_ms", ns / 1e6, "ms");
        if (qEnvironmentVariableIsSet("QUORVEL_BENCH_DETAIL")) {
            const auto unit = ReadUnit(file, m.currentForm(), ends).value;
            Print("detail_read_ms", MedianNs(51, [&] { (void)ReadUnit(file, m.currentForm(), ends); }) / 1e6,
                  "ms");
            Print("detail_apply_ms", MedianNs(51, [&] { m.applyUnit(*unit, file); }) / 1e6, "ms");
            Print("detail_repaint_ms",
                  MedianNs(51,
                           [&] {
                               m.dropCachedCurves();
                               m.repaintAll();
                               (void)m.planeImage();
                           }) /
                      1e6,
                  "ms");
        }
    }
    {
        // The record window over 200 unit files and 10,000 recorded runs.
        QDir(dir.path()).mkdir(QStringLiteral("DATA"));
        forms().folder().dir = dir.path() + QLatin1Char('/');
        QStringList ini;
        for (int u = 0; u < 200; ++u) {
            const QString title = QStringLiteral("単元%1").arg(u, 3, 10, QLatin1Char('0'));
            WriteCp932Lines(dir.filePath(QStringLiteral("DATA/%1.prb").arg(u, 3, 10, QLatin1Char('0'))), {title});
            ini << QLatin1Char('[') + title + QLatin1Char(']');
            for (int k = 1; k <= 50; ++k)
                ini << QStringLiteral("%1=2003年04月05日 09:07 ○○×△ 03分25秒").arg(k);
        }
        WriteCp932Lines(RecordFilePath(forms().folder().dir), ini);
        RecordsWindow &records = *forms().recordsWindow();
        const double ns = MedianNs(11, [&] {
            records.prepareToShow();
            records.titleListClicked(199);
        });
        Print("record_window_ms", ns / 1e6, "ms");
    }
    {
        // Made here as the printing module makes it: the figures are of
        // the dialog's drawing, not of loading the module.
        PrintDialog print(forms().settings().Draw, forms().folder(), &m);
        print.planeSize = [&m] { return m.planeSize(); };
        print.planeUnit = [&m] { return m.planeUnit(); };
        print.drawPlane = [&m](Picture &picture) { m.drawPlaneOnto(picture); };
        print.unitFileName = [&m] { return m.document().filePath(); };
        print.prepareToShow();
        const double ns = MedianNs(51, [&] {
            print.DrawPrintPreview();
            (void)print.sheet().image();
        });
        Print("print_preview_ms", ns / 1e6, "ms");
        Print("print_pdf_ms", PrintPdfMs(print, dir.filePath(QStringLiteral("bench.pdf"))), "ms");
    }
    Print("worksheet_20_ms", WorksheetMs(forms().settings()), "ms");
    PrintRatio("startup_text_ratio", "startup_ms", "startup_text_floor_ms");
    PrintRatio("rss_text_ratio", "rss_mb", "rss_text_floor_mb");
    PrintRatio("open_unit_ratio", "open_unit_100_ms", "repaint_0_screen_ms");
    DestroyForms();
    if (screen) {
        screen->terminate();
        screen->waitForFinished(3000);
    }
    return 0;
}
