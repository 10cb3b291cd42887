// The click state machine without a window: a fake host records what it is
// asked to do, and each step's overlay is compared.

#include "input/DrawingInput.h"
#include "model/LineMode.h"

#include <QtTest>

namespace {
QString PointText(int x, int y)
{
    return QStringLiteral("(%1,%2)").arg(x).arg(y);
}

QString RecordText(const Parabola &r)
{
    return PointText(r.VertexX, r.VertexY) + PointText(r.PointX, r.PointY) +
           QStringLiteral(" [%1,%2] m%3").arg(r.DomainLow).arg(r.DomainHigh).arg(r.LineMode);
}

// "band (vx,vy)(px,py) p; vertex (x,y); mark x; hide i", "-" when empty.
QString OverlayText(const DrawingOverlay &o)
{
    QStringList parts;
    const Parabola &r = o.record;
    if (o.band)
        parts << QStringLiteral("band ") + PointText(r.VertexX, r.VertexY) + PointText(r.PointX, r.PointY) +
                     (o.bandHandle == CurveHandle::Vertex ? QStringLiteral(" v") : QStringLiteral(" p"));
    if (o.vertexHandle)
        parts << QStringLiteral("vertex ") + PointText(r.VertexX, r.VertexY);
    if (o.domainMark)
        parts << QStringLiteral("mark %1").arg(*o.domainMark);
    if (o.hiddenEntry >= 0)
        parts << QStringLiteral("hide %1").arg(o.hiddenEntry);
    if (parts.isEmpty() != o.isEmpty())
        return QStringLiteral("isEmpty() is wrong");
    return parts.isEmpty() ? QStringLiteral("-") : parts.join(QStringLiteral("; "));
}

const char *StateName(InputState s)
{
    switch (s) {
    case InputState::Idle:
        return "Idle";
    case InputState::WaitingForPassingPoint:
        return "WaitingForPassingPoint";
    case InputState::WaitingForDomainStart:
        return "WaitingForDomainStart";
    case InputState::WaitingForDomainEnd:
        return "WaitingForDomainEnd";
    case InputState::HandleDrag:
        return "HandleDrag";
    }
    return "?";
}

const char *CursorName(PlaneCursor c)
{
    switch (c) {
    case PlaneCursor::Pencil:
        return "Pencil";
    case PlaneCursor::Finger:
        return "Finger";
    case PlaneCursor::ScissorsRight:
        return "ScissorsRight";
    case PlaneCursor::ScissorsLeft:
        return "ScissorsLeft";
    }
    return "?";
}

QPoint ParsePoint(const QString &text)
{
    const QStringList xy = text.split(QLatin1Char(','));
    return QPoint(xy.value(0).toInt(), xy.value(1).toInt());
}

// A host like the main window: storing and every selection change repaint
// the plane, and a repaint cancels the drawing in progress.
class FakeHost : public DrawingHost {
public:
    QList<Parabola> entries;
    int limit = kMaxParabolas;
    int lineMode = 0;
    bool refuse = false;
    QStringList calls;
    int overlayChanges = 0;
    DrawingInput *input = nullptr;

    int entryCount() const override { return int(entries.size()); }
    int entryLimit() const override { return limit; }
    Parabola entry(int index) const override { return entries.at(index); }
    HandleHit hitTest(QPoint p) const override
    {
        for (int i = 0; i < entries.size(); ++i) {
            if (p == QPoint(entries[i].VertexX, entries[i].VertexY))
                return {i, CurveHandle::Vertex};
            if (p == QPoint(entries[i].PointX, entries[i].PointY))
                return {i, CurveHandle::PassingPoint};
        }
        return {};
    }
    Parabola newRecord(QPoint vertex) override
    {
        Parabola r;
        r.LineMode = lineMode;
        r.VertexX = vertex.x();
        r.VertexY = vertex.y();
        return r;
    }
    bool store(const Parabola &rec, int replaceIndex) override
    {
        calls << QStringLiteral("store %1 -> %2%3")
                     .arg(RecordText(rec))
                     .arg(replaceIndex)
                     .arg(refuse ? QStringLiteral(" refused") : QString());
        if (refuse)
            return false;
        if (replaceIndex >= 0)
            entries[replaceIndex] = rec;
        else
            entries << rec;
        repaint();
        return true;
    }
    void message(const QString &text) override { calls << QStringLiteral("message ") + text; }
    void selectForReplacing(int index) override
    {
        calls << QStringLiteral("select %1").arg(index);
        repaint();
    }
    void addToSelection(int index) override
    {
        calls << QStringLiteral("addToSelection %1").arg(index);
        repaint();
    }
    void clearSelection() override
    {
        calls << QStringLiteral("clearSelection");
        repaint();
    }
    void setCursor(PlaneCursor cursor) override { calls << QStringLiteral("cursor ") + CursorName(cursor); }
    void overlayChanged() override { ++overlayChanges; }
    void repaint() { input->cancel(); }
};

// "Shift+Left" and the like: a key and its modifiers.
std::pair<int, Qt::KeyboardModifiers> ParseKey(QString text)
{
    Qt::KeyboardModifiers modifiers;
    if (text.startsWith(QLatin1String("Shift+"))) {
        modifiers = Qt::ShiftModifier;
        text = text.mid(6);
    }
    static const QHash<QString, int> keys{
        {"Left", Qt::Key_Left},   {"Right", Qt::Key_Right}, {"Up", Qt::Key_Up},
        {"Down", Qt::Key_Down},   {"Enter", Qt::Key_Enter}, {"Return", Qt::Key_Return},
        {"Space", Qt::Key_Space}, {"Esc", Qt::Key_Escape},
    };
    return {keys.value(text), modifiers};
}

// Feeds one scripted step; times advance by a second per step so that
// presses of different steps never count as one.
class Driver {
public:
    // A press the input does not take is logged with the host's calls.
    Driver(DrawingInput &input, QStringList &log) : m_in(input), m_log(log) {}
    void step(const QString &text)
    {
        const QString verb = text.section(QLatin1Char(' '), 0, 0);
        const QPoint p = ParsePoint(text.section(QLatin1Char(' '), 1, 1));
        m_t += 1000;
        if (verb == QLatin1String("click")) {
            press(Qt::LeftButton, p, m_t);
            m_in.release(Qt::LeftButton, p, m_t + 50);
        } else if (verb == QLatin1String("rclick")) {
            press(Qt::RightButton, p, m_t);
            m_in.release(Qt::RightButton, p, m_t + 50);
        } else if (verb == QLatin1String("hold")) { // the timer fires, then the release
            press(Qt::LeftButton, p, m_t);
            m_in.held(m_t + 300);
            m_in.release(Qt::LeftButton, p, m_t + 400);
        } else if (verb == QLatin1String("late")) { // released late, before the timer fired
            press(Qt::LeftButton, p, m_t);
            m_in.release(Qt::LeftButton, p, m_t + 300);
        } else if (verb == QLatin1String("lpress")) {
            press(Qt::LeftButton, p, m_t);
            m_pressT = m_t;
        } else if (verb == QLatin1String("lrelease")) {
            m_in.release(Qt::LeftButton, p, m_pressT + 100);
        } else if (verb == QLatin1String("timedmove")) { // a move while a press is timed
            m_in.move(p, m_pressT + 50);
        } else if (verb == QLatin1String("rpress")) {
            press(Qt::RightButton, p, m_t);
            m_pressT = m_t;
        } else if (verb == QLatin1String("early")) { // the timer fires too soon
            m_in.held(m_pressT + 299);
        } else if (verb == QLatin1String("held")) {
            m_in.held(m_pressT + 300);
        } else if (verb == QLatin1String("rrelease")) {
            m_in.release(Qt::RightButton, p, m_t);
        } else if (verb == QLatin1String("lateright")) { // released after 300 ms, timer not fired
            m_in.release(Qt::RightButton, p, m_pressT + 350);
        } else if (verb == QLatin1String("move")) {
            m_in.move(p, m_t);
        } else if (verb == QLatin1String("dbl")) {
            // What the window system delivers: press, release, press, double click, release.
            press(Qt::LeftButton, p, m_t);
            m_in.release(Qt::LeftButton, p, m_t + 40);
            press(Qt::LeftButton, p, m_t + 120);
            m_in.doubleClick();
            m_in.release(Qt::LeftButton, p, m_t + 160);
        } else if (verb == QLatin1String("key") || verb == QLatin1String("repeat")) {
            const auto [key, modifiers] = ParseKey(text.section(QLatin1Char(' '), 1, 1));
            QVERIFY2(key != 0, qPrintable(text));
            m_in.key(key, modifiers, verb == QLatin1String("repeat"), m_t);
        } else if (verb == QLatin1String("esc")) {
            m_in.escape();
        } else if (verb == QLatin1String("leave")) {
            m_in.leftPlane();
        } else if (verb == QLatin1String("cancel")) {
            m_in.cancel();
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown step ") + text));
        }
    }

private:
    void press(Qt::MouseButton button, QPoint p, qint64 t)
    {
        if (!m_in.press(button, p, t))
            m_log << QStringLiteral("press not taken");
    }

    DrawingInput &m_in;
    QStringList &m_log;
    qint64 m_t = 0;
    qint64 m_pressT = 0;
};

// "vx,vy,px,py,mode,low,high", or "*n" for n entries far from the others.
QList<Parabola> ParseEntries(const QStringList &specs)
{
    QList<Parabola> out;
    for (const QString &s : specs) {
        if (s.startsWith(QLatin1Char('*'))) {
            for (int i = 0; i < s.mid(1).toInt(); ++i) {
                Parabola r;
                r.VertexX = i;
                r.VertexY = 50;
                r.PointX = i + 1;
                r.PointY = 51;
                out << r;
            }
            continue;
        }
        const QStringList v = s.split(QLatin1Char(','));
        Parabola r;
        r.VertexX = v.value(0).toInt();
        r.VertexY = v.value(1).toInt();
        r.PointX = v.value(2).toInt();
        r.PointY = v.value(3).toInt();
        r.LineMode = v.value(4, QStringLiteral("0")).toInt();
        r.DomainLow = v.value(5, QStringLiteral("-99")).toInt();
        r.DomainHigh = v.value(6, QStringLiteral("99")).toInt();
        out << r;
    }
    return out;
}
} // namespace

class TestDrawingInput : public QObject {
    Q_OBJECT
private slots:
    void sequences_data();
    void sequences();
    void limitMessage();
    void modesOfTheFileFormat_data();
    void modesOfTheFileFormat();
};

void TestDrawingInput::sequences_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("mode");    // line mode of new records
    QTest::addColumn<bool>("refuse"); // the host refuses every store
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("overlays"); // after each step
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("final"); // state and replace index

    const QStringList none;
    const QStringList two{"0,0,1,1", "3,0,4,1"};
    const QString pencil = QStringLiteral("cursor Pencil");

    // Drawing by clicks.
    QTest::newRow("whole curve") << none << 0 << false
                                 << QStringList{"click 0,0", "move 1,1", "move 2,1", "click 2,1"}
                                 << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "band (0,0)(2,1) p", "-"}
                                 << QStringList{"store (0,0)(2,1) [-99,99] m0 -> -1", pencil} << "Idle -1";
    QTest::newRow("whole curve, no move before the click")
        << none << 0 << false << QStringList{"click 1,2", "click 3,-6"} << QStringList{"vertex (1,2)", "-"}
        << QStringList{"store (1,2)(3,-6) [-99,99] m0 -> -1", pencil} << "Idle -1";
    QTest::newRow("the band back on the vertex")
        << none << 0 << false << QStringList{"click 0,0", "move 1,1", "move 0,0", "move 0,0"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "band (0,0)(0,0) p", "band (0,0)(0,0) p"}
        << QStringList{} << "WaitingForPassingPoint -1";
    QTest::newRow("segment left to right")
        << none << 1 << false << QStringList{"click 0,0", "move 1,1", "click 1,1", "click -1,5", "click 2,0"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "band (0,0)(1,1) p", "band (0,0)(1,1) p; mark -1",
                       "-"}
        << QStringList{"cursor ScissorsRight", "cursor ScissorsLeft", "store (0,0)(1,1) [-1,2] m1 -> -1",
                       pencil}
        << "Idle -1";
    QTest::newRow("segment right to left, its end refused once")
        << none << 1 << false
        << QStringList{"click 0,0", "move 1,1", "click 1,1", "click 3,5", "click 3,-2", "click -1,7"}
        << QStringList{"vertex (0,0)",
                       "band (0,0)(1,1) p",
                       "band (0,0)(1,1) p",
                       "band (0,0)(1,1) p; mark 3",
                       "band (0,0)(1,1) p; mark 3",
                       "-"}
        << QStringList{"cursor ScissorsRight", "cursor ScissorsLeft", "message 変域が正しくありません",
                       "store (0,0)(1,1) [-1,3] m1 -> -1", pencil}
        << "Idle -1";
    QTest::newRow("right half line")
        << none << 2 << false << QStringList{"click 0,0", "move 1,1", "click 1,1", "click 1,4"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "band (0,0)(1,1) p", "-"}
        << QStringList{"cursor ScissorsRight", "store (0,0)(1,1) [1,99] m2 -> -1", pencil} << "Idle -1";
    QTest::newRow("left half line")
        << none << 3 << false << QStringList{"click 0,0", "move 1,1", "click 1,1", "click 1,4"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "band (0,0)(1,1) p", "-"}
        << QStringList{"cursor ScissorsLeft", "store (0,0)(1,1) [-99,1] m3 -> -1", pencil} << "Idle -1";
    // The passing point of a restricted curve is where the band last was.
    QTest::newRow("half line clicked without a move")
        << none << 2 << false << QStringList{"click 0,0", "click 1,1", "click 1,4"}
        << QStringList{"vertex (0,0)", "vertex (0,0)", "-"}
        << QStringList{"cursor ScissorsRight", "store (0,0)(0,0) [1,99] m2 -> -1", pencil} << "Idle -1";

    // Refusals.
    QTest::newRow("passing point on the vertex row")
        << none << 0 << false << QStringList{"click 1,1", "move 4,1", "click 4,1"}
        << QStringList{"vertex (1,1)", "band (1,1)(4,1) p", "-"}
        << QStringList{"message 放物線が描けません11", pencil} << "Idle -1";
    QTest::newRow("passing point on the vertex column")
        << none << 1 << false << QStringList{"click 1,1", "click 1,5"} << QStringList{"vertex (1,1)", "-"}
        << QStringList{"message 放物線が描けません11", pencil} << "Idle -1";
    QTest::newRow("the limit") << QStringList{"*100"} << 0 << false << QStringList{"click 2,2", "move 3,3"}
                               << QStringList{"-", "-"}
                               << QStringList{"message これ以上登録できません\r\n最大登録数は 100 本です"}
                               << "Idle -1";
    QTest::newRow("below the limit") << QStringList{"*99"} << 0 << false << QStringList{"click 2,2"}
                                     << QStringList{"vertex (2,2)"} << QStringList{}
                                     << "WaitingForPassingPoint -1";
    QTest::newRow("the store refuses a whole curve")
        << none << 0 << true << QStringList{"click 0,0", "click 1,1"} << QStringList{"vertex (0,0)", "-"}
        << QStringList{"store (0,0)(1,1) [-99,99] m0 -> -1 refused", "message Cannot Store", pencil}
        << "Idle -1";
    QTest::newRow("the store refuses a half line")
        << none << 3 << true << QStringList{"click 0,0", "move 1,1", "click 1,1", "click 0,0"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "band (0,0)(1,1) p", "-"}
        << QStringList{"cursor ScissorsLeft", "store (0,0)(1,1) [-99,0] m3 -> -1 refused", pencil}
        << "Idle -1";

    // Presses and clicks.
    QTest::newRow("a left press held 300 ms is no click")
        << none << 0 << false << QStringList{"hold 1,1", "move 2,2"} << QStringList{"-", "-"} << QStringList{}
        << "Idle -1";
    QTest::newRow("a left release after 300 ms is no click")
        << none << 0 << false << QStringList{"late 1,1"} << QStringList{"-"} << QStringList{} << "Idle -1";
    QTest::newRow("a timer firing early leaves a click")
        << none << 0 << false << QStringList{"lpress 1,1", "early", "lrelease 1,1"}
        << QStringList{"-", "-", "vertex (1,1)"} << QStringList{} << "WaitingForPassingPoint -1";
    QTest::newRow("the band waits while a press is timed")
        << none << 0 << false
        << QStringList{"click 0,0", "move 1,1", "lpress 3,2", "timedmove 2,2", "lrelease 3,2"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "band (0,0)(1,1) p", "band (0,0)(1,1) p", "-"}
        << QStringList{"store (0,0)(3,2) [-99,99] m0 -> -1", pencil} << "Idle -1";
    QTest::newRow("a double click places one vertex")
        << none << 0 << false << QStringList{"dbl 2,3", "click 3,4"} << QStringList{"vertex (2,3)", "-"}
        << QStringList{"store (2,3)(3,4) [-99,99] m0 -> -1", pencil} << "Idle -1";

    // Choosing an entry to replace.
    QTest::newRow("quick right click on a vertex")
        << two << 0 << false << QStringList{"rclick 3,0", "click -2,0", "click -1,2"}
        << QStringList{"-", "vertex (-2,0)", "-"}
        << QStringList{"select 1", "store (-2,0)(-1,2) [-99,99] m0 -> 1", pencil} << "Idle -1";
    QTest::newRow("quick right click on a passing point")
        << two << 0 << false << QStringList{"rclick 4,1"} << QStringList{"-"} << QStringList{"select 1"}
        << "Idle 1";
    QTest::newRow("quick right click on nothing")
        << two << 0 << false << QStringList{"rclick 4,1", "rclick 5,5", "click -2,0", "click -1,2"}
        << QStringList{"-", "-", "vertex (-2,0)", "-"}
        << QStringList{"select 1", "store (-2,0)(-1,2) [-99,99] m0 -> -1", pencil} << "Idle -1";
    QTest::newRow("a right click while drawing chooses nothing")
        << two << 0 << false << QStringList{"click -2,0", "rclick 3,0", "click -1,2"}
        << QStringList{"vertex (-2,0)", "vertex (-2,0)", "-"}
        << QStringList{"store (-2,0)(-1,2) [-99,99] m0 -> -1", pencil} << "Idle -1";

    // Handle drags.
    QTest::newRow("drag of a passing point")
        << two << 0 << false << QStringList{"rpress 1,1", "held", "move 2,1", "rrelease 2,1"}
        << QStringList{"-", "band (0,0)(1,1) p; hide 0", "band (0,0)(2,1) p; hide 0", "-"}
        << QStringList{"cursor Finger", pencil, "store (0,0)(2,1) [-99,99] m0 -> 0"} << "Idle -1";
    QTest::newRow("drag of a vertex")
        << two << 1 << false << QStringList{"rpress 3,0", "held", "move 2,2", "move -1,3", "rrelease -1,3"}
        << QStringList{"-", "band (3,0)(4,1) v; hide 1", "band (2,2)(4,1) v; hide 1",
                       "band (-1,3)(4,1) v; hide 1", "-"}
        << QStringList{"cursor Finger", pencil, "store (-1,3)(4,1) [-99,99] m0 -> 1"} << "Idle -1";
    QTest::newRow("a timer firing early starts no drag")
        << two << 0 << false << QStringList{"rpress 1,1", "early", "timedmove 2,1"}
        << QStringList{"-", "-", "-"} << QStringList{} << "Idle 0";
    QTest::newRow("a second press during the wait is not taken")
        << two << 0 << false << QStringList{"rpress 1,1", "lpress 5,5", "held"}
        << QStringList{"-", "-", "band (0,0)(1,1) p; hide 0"}
        << QStringList{"press not taken", "cursor Finger"} << "HandleDrag 0";
    QTest::newRow("another button released during the wait starts no drag")
        << two << 0 << false << QStringList{"rpress 1,1", "lrelease 1,1", "held", "move 2,1"}
        << QStringList{"-", "-", "-", "-"} << QStringList{} << "Idle 0";
    QTest::newRow("a right release after 300 ms ends a drag")
        << two << 0 << false << QStringList{"rpress 1,1", "lateright 1,1"} << QStringList{"-", "-"}
        << QStringList{"cursor Finger", pencil, "addToSelection 0"} << "Idle -1";
    QTest::newRow("drag dropped on the down point")
        << two << 0 << false << QStringList{"rpress 1,1", "held", "move 2,2", "move 1,1", "rrelease 1,1"}
        << QStringList{"-", "band (0,0)(1,1) p; hide 0", "band (0,0)(2,2) p; hide 0",
                       "band (0,0)(1,1) p; hide 0", "-"}
        << QStringList{"cursor Finger", pencil, "addToSelection 0"} << "Idle -1";
    QTest::newRow("drag dropped on the fixed point's row")
        << two << 0 << false << QStringList{"rpress 1,1", "held", "move 3,0", "rrelease 3,0"}
        << QStringList{"-", "band (0,0)(1,1) p; hide 0", "band (0,0)(3,0) p; hide 0", "-"}
        << QStringList{"cursor Finger", pencil, "addToSelection 0", "message 放物線が描けません"}
        << "Idle -1";
    QTest::newRow("drag dropped on the fixed point's column")
        << two << 0 << false << QStringList{"rpress 0,0", "held", "move 1,4", "rrelease 1,4"}
        << QStringList{"-", "band (0,0)(1,1) v; hide 0", "band (1,4)(1,1) v; hide 0", "-"}
        << QStringList{"cursor Finger", pencil, "addToSelection 0", "message 放物線が描けません"}
        << "Idle -1";
    QTest::newRow("a left click during a drag does nothing")
        << two << 0 << false << QStringList{"rpress 1,1", "held", "click 5,5", "rrelease 2,3"}
        << QStringList{"-", "band (0,0)(1,1) p; hide 0", "band (0,0)(1,1) p; hide 0", "-"}
        << QStringList{"cursor Finger", "press not taken", pencil, "store (0,0)(2,3) [-99,99] m0 -> 0"}
        << "Idle -1";
    QTest::newRow("drag of a segment asks for the domain again")
        << QStringList{"0,0,1,1,1,-2,2"} << 0 << false
        << QStringList{"rpress 1,1", "held", "move 2,2", "rrelease 2,2", "click -3,0", "click 4,0"}
        << QStringList{"-",
                       "band (0,0)(1,1) p; hide 0",
                       "band (0,0)(2,2) p; hide 0",
                       "band (0,0)(2,2) p; hide 0",
                       "band (0,0)(2,2) p; mark -3; hide 0",
                       "-"}
        << QStringList{"cursor Finger", "cursor ScissorsRight", "cursor ScissorsLeft",
                       "store (0,0)(2,2) [-3,4] m1 -> 0", pencil}
        << "Idle -1";
    QTest::newRow("drag of a left half line")
        << QStringList{"0,0,1,1,3,-99,2"} << 0 << false
        << QStringList{"rpress 0,0", "held", "move -1,-1", "rrelease -1,-1", "click 5,0"}
        << QStringList{"-", "band (0,0)(1,1) v; hide 0", "band (-1,-1)(1,1) v; hide 0",
                       "band (-1,-1)(1,1) v; hide 0", "-"}
        << QStringList{"cursor Finger", "cursor ScissorsLeft", "store (-1,-1)(1,1) [-99,5] m3 -> 0", pencil}
        << "Idle -1";
    QTest::newRow("drag of a segment onto the fixed point's row")
        << QStringList{"0,0,1,1,1,-2,2"} << 0 << false
        << QStringList{"rpress 1,1", "held", "move 2,0", "rrelease 2,0"}
        << QStringList{"-", "band (0,0)(1,1) p; hide 0", "band (0,0)(2,0) p; hide 0", "-"}
        << QStringList{"cursor Finger", "message 放物線が描けません11", pencil} << "Idle -1";
    QTest::newRow("a whole curve drag ignores the line mode")
        << two << 1 << false << QStringList{"rpress 1,1", "held", "move 1,2", "rrelease 1,2"}
        << QStringList{"-", "band (0,0)(1,1) p; hide 0", "band (0,0)(1,2) p; hide 0", "-"}
        << QStringList{"cursor Finger", pencil, "store (0,0)(1,2) [-99,99] m0 -> 0"} << "Idle -1";

    // Esc in every state.
    QTest::newRow("Esc at rest") << two << 0 << false << QStringList{"esc"} << QStringList{"-"}
                                 << QStringList{} << "Idle -1";
    QTest::newRow("Esc with a replace waiting")
        << two << 0 << false << QStringList{"rclick 3,0", "esc", "click -2,0", "click -1,2"}
        << QStringList{"-", "-", "vertex (-2,0)", "-"}
        << QStringList{"select 1", "clearSelection", "store (-2,0)(-1,2) [-99,99] m0 -> -1", pencil}
        << "Idle -1";
    QTest::newRow("Esc waiting for the passing point")
        << none << 0 << false << QStringList{"click 0,0", "move 1,1", "esc", "move 2,2"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "-", "-"} << QStringList{pencil} << "Idle -1";
    QTest::newRow("Esc waiting for the domain start")
        << none << 1 << false << QStringList{"click 0,0", "move 1,1", "click 1,1", "esc", "click 2,2"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "band (0,0)(1,1) p", "-", "vertex (2,2)"}
        << QStringList{"cursor ScissorsRight", pencil} << "WaitingForPassingPoint -1";
    QTest::newRow("Esc waiting for the domain end")
        << none << 1 << false << QStringList{"click 0,0", "move 1,1", "click 1,1", "click 2,0", "esc"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "band (0,0)(1,1) p", "band (0,0)(1,1) p; mark 2",
                       "-"}
        << QStringList{"cursor ScissorsRight", "cursor ScissorsLeft", pencil} << "Idle -1";
    QTest::newRow("Esc during a drag")
        << two << 0 << false << QStringList{"rpress 1,1", "held", "move 2,1", "esc", "rrelease 2,1"}
        << QStringList{"-", "band (0,0)(1,1) p; hide 0", "band (0,0)(2,1) p; hide 0", "-", "-"}
        << QStringList{"cursor Finger", pencil} << "Idle -1";
    QTest::newRow("Esc while drawing a replacement")
        << two << 0 << false << QStringList{"rclick 3,0", "click -2,0", "esc"}
        << QStringList{"-", "vertex (-2,0)", "-"} << QStringList{"select 1", pencil} << "Idle -1";

    // The same drawings by keys: the cursor starts at the origin.
    QTest::newRow("keys: whole curve")
        << none << 0 << false << QStringList{"key Enter", "key Right", "key Up", "key Right", "key Space"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,0) p", "band (0,0)(1,1) p", "band (0,0)(2,1) p", "-"}
        << QStringList{"store (0,0)(2,1) [-99,99] m0 -> -1", pencil} << "Idle -1";
    QTest::newRow("keys: segment right to left, its end refused once")
        << none << 1 << false
        << QStringList{"key Enter", "key Right", "key Up",    "key Return",     "key Right", "key Right",
                       "key Enter", "key Down",  "key Enter", "key Shift+Left", "key Enter"}
        << QStringList{"vertex (0,0)",
                       "band (0,0)(1,0) p",
                       "band (0,0)(1,1) p",
                       "band (0,0)(1,1) p",
                       "band (0,0)(1,1) p",
                       "band (0,0)(1,1) p",
                       "band (0,0)(1,1) p; mark 3",
                       "band (0,0)(1,1) p; mark 3",
                       "band (0,0)(1,1) p; mark 3",
                       "band (0,0)(1,1) p; mark 3",
                       "-"}
        << QStringList{"cursor ScissorsRight", "cursor ScissorsLeft", "message 変域が正しくありません",
                       "store (0,0)(1,1) [-2,3] m1 -> -1", pencil}
        << "Idle -1";
    QTest::newRow("keys: right half line")
        << none << 2 << false << QStringList{"key Enter", "key Right", "key Up", "key Enter", "key Enter"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,0) p", "band (0,0)(1,1) p", "band (0,0)(1,1) p", "-"}
        << QStringList{"cursor ScissorsRight", "store (0,0)(1,1) [1,99] m2 -> -1", pencil} << "Idle -1";
    QTest::newRow("keys: left half line")
        << none << 3 << false
        << QStringList{"key Enter", "key Right", "key Up", "key Enter", "key Shift+Left", "key Space"}
        << QStringList{"vertex (0,0)",      "band (0,0)(1,0) p", "band (0,0)(1,1) p",
                       "band (0,0)(1,1) p", "band (0,0)(1,1) p", "-"}
        << QStringList{"cursor ScissorsLeft", "store (0,0)(1,1) [-99,-4] m3 -> -1", pencil} << "Idle -1";
    QTest::newRow("keys: passing point on the vertex row")
        << none << 0 << false << QStringList{"key Enter", "key Right", "key Right", "key Enter"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,0) p", "band (0,0)(2,0) p", "-"}
        << QStringList{"message 放物線が描けません11", pencil} << "Idle -1";
    QTest::newRow("keys: passing point on the vertex column")
        << none << 1 << false << QStringList{"key Enter", "key Shift+Down", "key Enter"}
        << QStringList{"vertex (0,0)", "band (0,0)(0,-5) p", "-"}
        << QStringList{"message 放物線が描けません11", pencil} << "Idle -1";
    QTest::newRow("keys: the limit")
        << QStringList{"*100"} << 0 << false << QStringList{"key Enter", "key Up"} << QStringList{"-", "-"}
        << QStringList{"message これ以上登録できません\r\n最大登録数は 100 本です"} << "Idle -1";
    QTest::newRow("keys: Esc waiting for the passing point")
        << none << 0 << false << QStringList{"key Enter", "key Up", "key Esc", "key Right"}
        << QStringList{"vertex (0,0)", "band (0,0)(0,1) p", "-", "-"} << QStringList{pencil} << "Idle -1";
    QTest::newRow("keys: Esc waiting for the domain end")
        << none << 1 << false
        << QStringList{"key Enter", "key Right", "key Up", "key Enter", "key Enter", "key Esc"}
        << QStringList{"vertex (0,0)",      "band (0,0)(1,0) p",         "band (0,0)(1,1) p",
                       "band (0,0)(1,1) p", "band (0,0)(1,1) p; mark 1", "-"}
        << QStringList{"cursor ScissorsRight", "cursor ScissorsLeft", pencil} << "Idle -1";
    QTest::newRow("keys: Esc with a replace waiting")
        << two << 0 << false << QStringList{"rclick 3,0", "key Esc"} << QStringList{"-", "-"}
        << QStringList{"select 1", "clearSelection"} << "Idle -1";
    // Mouse and keys mix: a move puts the cursor under the mouse.
    QTest::newRow("keys: Enter where the mouse is")
        << none << 0 << false
        << QStringList{"move 3,2", "key Enter", "key Shift+Up", "key Right", "key Enter"}
        << QStringList{"-", "vertex (3,2)", "band (3,2)(3,7) p", "band (3,2)(4,7) p", "-"}
        << QStringList{"store (3,2)(4,7) [-99,99] m0 -> -1", pencil} << "Idle -1";
    QTest::newRow("keys: a mouse click, then keys")
        << none << 0 << false << QStringList{"click -3,-3", "key Shift+Up", "key Left", "key Enter"}
        << QStringList{"vertex (-3,-3)", "band (-3,-3)(-3,2) p", "band (-3,-3)(-4,2) p", "-"}
        << QStringList{"store (-3,-3)(-4,2) [-99,99] m0 -> -1", pencil} << "Idle -1";
    // The plane shown is -10 to 10 both ways.
    QTest::newRow("keys: the cursor stays on the plane")
        << none << 0 << false
        << QStringList{"key Shift+Right", "key Shift+Right", "key Shift+Right", "key Enter", "key Shift+Down",
                       "key Shift+Down",  "key Shift+Down",  "key Left",        "key Enter"}
        << QStringList{"-",
                       "-",
                       "-",
                       "vertex (10,0)",
                       "band (10,0)(10,-5) p",
                       "band (10,0)(10,-10) p",
                       "band (10,0)(10,-10) p",
                       "band (10,0)(9,-10) p",
                       "-"}
        << QStringList{"store (10,0)(9,-10) [-99,99] m0 -> -1", pencil} << "Idle -1";
    QTest::newRow("keys: a held Enter clicks once")
        << none << 0 << false
        << QStringList{"key Enter", "key Up", "key Right", "repeat Enter", "repeat Space"}
        << QStringList{"vertex (0,0)", "band (0,0)(0,1) p", "band (0,0)(1,1) p", "band (0,0)(1,1) p",
                       "band (0,0)(1,1) p"}
        << QStringList{} << "WaitingForPassingPoint -1";
    QTest::newRow("keys: Enter during a drag does nothing")
        << two << 0 << false << QStringList{"rpress 1,1", "held", "key Enter", "rrelease 2,3"}
        << QStringList{"-", "band (0,0)(1,1) p; hide 0", "band (0,0)(1,1) p; hide 0", "-"}
        << QStringList{"cursor Finger", pencil, "store (0,0)(2,3) [-99,99] m0 -> 0"} << "Idle -1";

    // Leaving the plane, and repaints.
    QTest::newRow("leaving at rest") << two << 0 << false << QStringList{"rclick 3,0", "leave"}
                                     << QStringList{"-", "-"} << QStringList{"select 1"} << "Idle 1";
    QTest::newRow("leaving while drawing")
        << none << 0 << false << QStringList{"click 0,0", "move 2,2", "leave", "move 3,3"}
        << QStringList{"vertex (0,0)", "band (0,0)(2,2) p", "-", "-"} << QStringList{pencil} << "Idle -1";
    QTest::newRow("leaving while the segment end is awaited")
        << none << 1 << false << QStringList{"click 0,0", "move 1,1", "click 1,1", "click 2,0", "leave"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "band (0,0)(1,1) p", "band (0,0)(1,1) p; mark 2",
                       "-"}
        << QStringList{"cursor ScissorsRight", "cursor ScissorsLeft", pencil} << "Idle -1";
    QTest::newRow("leaving during a drag")
        << two << 0 << false << QStringList{"rpress 1,1", "held", "move 2,1", "leave", "rrelease 2,1"}
        << QStringList{"-", "band (0,0)(1,1) p; hide 0", "band (0,0)(2,1) p; hide 0", "-", "-"}
        << QStringList{"cursor Finger", pencil} << "Idle 0";
    QTest::newRow("a repaint ends the band")
        << none << 0 << false << QStringList{"click 0,0", "move 1,1", "cancel", "move 2,2"}
        << QStringList{"vertex (0,0)", "band (0,0)(1,1) p", "-", "-"} << QStringList{} << "Idle -1";
    QTest::newRow("a repaint during a drag shows the entry again")
        << two << 0 << false << QStringList{"rpress 1,1", "held", "cancel", "move 2,1", "rrelease 2,1"}
        << QStringList{"-", "band (0,0)(1,1) p; hide 0", "-", "-", "-"} << QStringList{"cursor Finger"}
        << "Idle 0";
}

void TestDrawingInput::sequences()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, overlays);
    QFETCH(QStringList, calls);
    QFETCH(QString, final);
    QCOMPARE(overlays.size(), steps.size());
    FakeHost host;
    DrawingInput input(host);
    host.input = &input;
    host.entries = ParseEntries(entries);
    QFETCH(int, mode);
    QFETCH(bool, refuse);
    host.lineMode = mode;
    host.refuse = refuse;
    input.cursor().setBounds(-10, 10, -10, 10);
    Driver driver(input, host.calls);
    for (int i = 0; i < steps.size(); ++i) {
        const int changesBefore = host.overlayChanges;
        const QString before = OverlayText(input.overlay());
        driver.step(steps[i]);
        const QString shown = OverlayText(input.overlay());
        QVERIFY2(shown == overlays[i], qPrintable(steps[i] + QStringLiteral(": ") + shown));
        // The plane is told whenever what it paints over its picture changes.
        if (shown != before)
            QVERIFY2(host.overlayChanges > changesBefore, qPrintable(steps[i]));
    }
    QCOMPARE(host.calls, calls);
    QCOMPARE(QStringLiteral("%1 %2").arg(StateName(input.state())).arg(input.replaceTarget().index), final);
}

void TestDrawingInput::limitMessage()
{
    QCOMPARE(DrawingInput::limitMessage(100),
             QStringLiteral("これ以上登録できません\r\n最大登録数は 100 本です"));
}

void TestDrawingInput::modesOfTheFileFormat_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("known");
    QTest::newRow("whole") << 0 << true;
    QTest::newRow("segment") << 1 << true;
    QTest::newRow("right") << 2 << true;
    QTest::newRow("left") << 3 << true;
    QTest::newRow("negative") << -1 << false;
    QTest::newRow("four") << 4 << false;
}

void TestDrawingInput::modesOfTheFileFormat()
{
    QFETCH(int, number);
    QFETCH(bool, known);
    const auto mode = LineModeFromInt(number);
    QCOMPARE(mode.has_value(), known);
    if (mode)
        QCOMPARE(ToInt(*mode), number);
}

QTEST_GUILESS_MAIN(TestDrawingInput)
#include "tst_drawinginput.moc"
