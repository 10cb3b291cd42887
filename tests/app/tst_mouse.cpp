#include "plane/AutoColor.h"
#include "plane/Canvas.h"
#include "plane/Plotting.h"
#include "support/Children.h"
#include "support/MainFixture.h"
#include "support/Pixels.h"
#include "ui/Cursors.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QScreen>
#include <QToolButton>
#include <QtTest>

class TestMouse : public QObject {
    Q_OBJECT
    std::unique_ptr<MainFixture> f;
    MainWindow *m = nullptr;

    PlaneView *plane() const { return Child<PlaneView>(m, "imgCood"); }
    QPoint at(int x, int y) const { return plane()->pixelAt(QPoint(x, y)); }
    void click(int x, int y, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseClick(Child<ImageView>(m, "imgCood"), b, {}, at(x, y));
    }
    // QTest::mouseMove moves the system cursor, which the offscreen platform
    // does not turn into events; send the move itself.
    static void sendMove(QWidget *w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    void move(int x, int y) { sendMove(Child<ImageView>(m, "imgCood"), at(x, y)); }
    // Arrow keys from the lattice cursor to a point, five at a time with Shift.
    void keysTo(QPoint to)
    {
        const auto steps = [this](int n, Qt::Key up, Qt::Key down) {
            for (; n >= 5 || n <= -5; n += n > 0 ? -5 : 5)
                QTest::keyClick(plane(), n > 0 ? up : down, Qt::ShiftModifier);
            for (; n != 0; n += n > 0 ? -1 : 1)
                QTest::keyClick(plane(), n > 0 ? up : down);
        };
        const QPoint from = m->input().cursor().position();
        steps(to.x() - from.x(), Qt::Key_Right, Qt::Key_Left);
        steps(to.y() - from.y(), Qt::Key_Up, Qt::Key_Down);
        QCOMPARE(m->input().cursor().position(), to);
    }
    // The plane reached by Tab, as a keyboard user does.
    void focusPlaneByTab()
    {
        m->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m));
        Child<QWidget>(m, "lstShiki")->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(Child<QWidget>(m, "lstShiki"), Qt::Key_Tab);
        QVERIFY(plane()->hasFocus());
    }
    const Parabola &entry(int i) const { return m->document().at(i); }
    bool cursorIs(int n) const
    {
        return Child<ImageView>(m, "imgCood")->cursor().pixmap().cacheKey() ==
               CursorOf(n).pixmap().cacheKey();
    }
    // Press the right button on a point, hold it past the click time, move, release.
    void drag(QPoint from, QPoint to)
    {
        QTest::mousePress(Child<ImageView>(m, "imgCood"), Qt::RightButton, {}, at(from.x(), from.y()));
        QTest::qWait(400);
        sendMove(Child<ImageView>(m, "imgCood"), at(to.x(), to.y()), Qt::RightButton);
        QTest::mouseRelease(Child<ImageView>(m, "imgCood"), Qt::RightButton, {}, at(to.x(), to.y()));
    }

private slots:
    void init()
    {
        f = std::make_unique<MainFixture>();
        m = f->main();
    }
    void cleanup() { f.reset(); }

    void twoClicksStoreAParabola_data()
    {
        QTest::addColumn<QPoint>("vertex");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("by"); // mouse, keys (Enter), or the mouse to move and Enter to click
        QTest::newRow("a = 1") << QPoint(0, 0) << QPoint(1, 1) << "y = x^2"
                               << "mouse";
        QTest::newRow("a = 1/4") << QPoint(0, 0) << QPoint(2, 1) << "y = 1/4x^2"
                                 << "mouse";
        QTest::newRow("a = -2") << QPoint(1, 2) << QPoint(3, -6) << "y = -2(x-1)^2+2"
                                << "mouse";
        QTest::newRow("point left of the vertex") << QPoint(-2, -3) << QPoint(-3, -1) << "y = 2(x+2)^2-3"
                                                  << "mouse";
        QTest::newRow("keys: a = 1") << QPoint(0, 0) << QPoint(1, 1) << "y = x^2"
                                     << "keys";
        QTest::newRow("keys: a = -2") << QPoint(1, 2) << QPoint(3, -6) << "y = -2(x-1)^2+2"
                                      << "keys";
        QTest::newRow("keys: point left of the vertex")
            << QPoint(-2, -3) << QPoint(-3, -1) << "y = 2(x+2)^2-3"
            << "keys";
        QTest::newRow("mouse moves, Enter clicks") << QPoint(-7, 6) << QPoint(-6, 4) << "y = -2(x+7)^2+6"
                                                   << "move";
    }
    void twoClicksStoreAParabola()
    {
        QFETCH(QPoint, vertex);
        QFETCH(QPoint, point);
        QFETCH(QString, formula);
        QFETCH(QString, by);
        const auto clickAt = [&](QPoint p) {
            if (by == QLatin1String("mouse")) {
                click(p.x(), p.y());
                return;
            }
            if (by == QLatin1String("keys"))
                keysTo(p);
            else
                move(p.x(), p.y());
            QTest::keyClick(plane(), p == vertex ? Qt::Key_Return : Qt::Key_Space);
            // The read-out follows the cursor as it follows the mouse.
            QCOMPARE(Child<QLineEdit>(m, "edtCood")->text(), QString::asprintf(" (%3d,%3d)", p.x(), p.y()));
        };
        if (by != QLatin1String("mouse"))
            focusPlaneByTab();
        clickAt(vertex);
        QCOMPARE(m->input().state(), InputState::WaitingForPassingPoint);
        if (by == QLatin1String("mouse"))
            move(point.x(), point.y());
        clickAt(point);
        QCOMPARE(m->document().count(), 1);
        QCOMPARE(entry(0).Formula, formula);
        QCOMPARE(m->document().entry(0).listText, formula);
        QCOMPARE(m->document().fileLines().size(), 6);
        QCOMPARE(m->document().fileLines()[2], formula);
        QCOMPARE(m->document().fileLines()[3], QStringLiteral("%1,%2").arg(vertex.x()).arg(vertex.y()));
        QCOMPARE(m->document().fileLines()[4], QStringLiteral("%1,%2").arg(point.x()).arg(point.y()));
        QCOMPARE(m->document().fileLines()[5], QStringLiteral("-99,99"));
        QVERIFY(m->document().isModified());
        QVERIFY(m->isSelected(0));
        QCOMPARE(m->input().state(), InputState::Idle);
        QVERIFY(cursorIs(CursorNo::Pencil));
        QCOMPARE(entry(0).Color, int(kAutoColors[0]));
        QVERIFY(f->prompt.shown.isEmpty());
    }

    // A plane whose drawing stopped shows no lattice: clicks on it are not
    // taken until it is drawn again.
    void noClickOnAPlaneThatIsNotDrawn()
    {
        forms().settings().MainPlane.StartX = QStringLiteral("1x");
        m->repaintAll();
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("'1x' は整数ではありません")});
        click(0, 0);
        QCOMPARE(m->input().state(), InputState::Idle);
        click(1, 1);
        click(1, 1, Qt::RightButton);
        QCOMPARE(m->document().count(), 0);
        forms().settings().MainPlane.StartX = QStringLiteral("-99");
        m->repaintAll();
        click(0, 0);
        QCOMPARE(m->input().state(), InputState::WaitingForPassingPoint);
    }

    void secondClickOnTheVertexRowIsRefused()
    {
        click(1, 1);
        click(4, 1);
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("放物線が描けません11")});
        QCOMPARE(m->document().count(), 0);
        QCOMPARE(m->input().state(), InputState::Idle);
    }

    void segmentClickedRightToLeft()
    {
        m->setSegmentMode();
        click(0, 0);
        move(1, 1);
        click(1, 1);
        QCOMPARE(m->input().state(), InputState::WaitingForDomainStart);
        QVERIFY(cursorIs(CursorNo::HasamiR));
        click(3, 5);
        QCOMPARE(m->input().state(), InputState::WaitingForDomainEnd);
        QVERIFY(cursorIs(CursorNo::HasamiL));
        click(3, -2);  // the same x as the first bound
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("変域が正しくありません")});
        QCOMPARE(m->input().state(), InputState::WaitingForDomainEnd);
        click(-1, 7);
        QCOMPARE(m->document().count(), 1);
        QCOMPARE(entry(0).DomainLow, -1);
        QCOMPARE(entry(0).DomainHigh, 3);
        QCOMPARE(entry(0).LineMode, 1);
        QCOMPARE(m->document().entry(0).listText, QStringLiteral("y = x^2 (-1≦x≦3)"));
        QCOMPARE(entry(0).Formula, QStringLiteral("y = x^2"));
        QVERIFY(cursorIs(CursorNo::Pencil));
    }

    void halfLines_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("item");
        QTest::newRow("right") << 2 << CursorNo::HasamiR << 1 << 99 << "y = x^2 (x≧1)";
        QTest::newRow("left") << 3 << CursorNo::HasamiL << -99 << 1 << "y = x^2 (x≦1)";
    }
    void halfLines()
    {
        QFETCH(int, mode);
        QFETCH(int, cursor);
        mode == 2 ? m->setRightHalfLineMode() : m->setLeftHalfLineMode();
        click(0, 0);
        move(1, 1);
        click(1, 1);
        QVERIFY(cursorIs(cursor));
        click(1, 4);
        QCOMPARE(m->document().count(), 1);
        QTEST(entry(0).DomainLow, "low");
        QTEST(entry(0).DomainHigh, "high");
        QTEST(m->document().entry(0).listText, "item");
    }

    void theHundredAndFirstIsRefused()
    {
        for (int i = 0; i < 100; ++i)
            f->add(MainFixture::redParabola(0, 0, 1, 1 + i));
        m->repaintAll();
        click(2, 2);
        QCOMPARE(f->prompt.texts(),
                 QStringList{QStringLiteral("これ以上登録できません\r\n最大登録数は 100 本です")});
        QCOMPARE(m->document().count(), 100);
        QCOMPARE(m->input().state(), InputState::Idle);
    }

    void aHeldPressIsNoClick()
    {
        QTest::mousePress(Child<ImageView>(m, "imgCood"), Qt::LeftButton, {}, at(1, 1));
        QTest::qWait(400);
        QTest::mouseRelease(Child<ImageView>(m, "imgCood"), Qt::LeftButton, {}, at(1, 1));
        QCOMPARE(m->input().state(), InputState::Idle);
        QVERIFY(!m->input().overlay().band);
    }

    void doubleClickPlacesOneVertexWhereItWasMade()
    {
        // What the window system delivers: press, release, press, double click, release.
        const QPoint p = at(2, 3);
        QTest::mouseClick(Child<ImageView>(m, "imgCood"), Qt::LeftButton, {}, p);
        QTest::mousePress(Child<ImageView>(m, "imgCood"), Qt::LeftButton, {}, p);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(p),
                        QPointF(Child<ImageView>(m, "imgCood")->mapToGlobal(p)), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Child<ImageView>(m, "imgCood"), &dbl);
        QTest::mouseRelease(Child<ImageView>(m, "imgCood"), Qt::LeftButton, {}, p);
        QCOMPARE(m->input().state(), InputState::WaitingForPassingPoint);
        QCOMPARE(m->input().fixedPoint(), QPoint(2, 3));
        QVERIFY(f->prompt.shown.isEmpty());
    }

    void handleDragReshapes()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->select({0});
        m->repaintAll();
        drag(QPoint(1, 1), QPoint(2, 1));
        QCOMPARE(m->document().count(), 1);
        QCOMPARE(QPoint(entry(0).PointX, entry(0).PointY), QPoint(2, 1));
        QCOMPARE(entry(0).Formula, QStringLiteral("y = 1/4x^2"));
        QCOMPARE(m->document().entry(0).listText, QStringLiteral("y = 1/4x^2"));
        QCOMPARE(m->document().fileLines()[4], QStringLiteral("2,1"));
        QVERIFY(!m->input().overlay().band);
        QCOMPARE(m->input().replaceTarget().index, -1);

        drag(QPoint(0, 0), QPoint(-1, 3));  // the vertex
        QCOMPARE(QPoint(entry(0).VertexX, entry(0).VertexY), QPoint(-1, 3));
        QCOMPARE(entry(0).Formula, QStringLiteral("y = -2/9(x+1)^2+3"));
    }

    void refusedAndUnmovedDrags()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        m->repaintAll();
        const Parabola before = entry(0);
        drag(QPoint(1, 1), QPoint(3, 0));  // onto the vertex row
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("放物線が描けません")});
        QCOMPARE(entry(0), before);
        f->prompt.clear();
        drag(QPoint(1, 1), QPoint(1, 1));
        QCOMPARE(entry(0), before);
        QVERIFY(f->prompt.shown.isEmpty());
        QVERIFY(!m->input().overlay().band);
    }

    void dragOfASegmentAsksForTheDomainAgain()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1, 1, -2, 2));
        m->repaintAll();
        drag(QPoint(1, 1), QPoint(2, 2));
        QCOMPARE(m->input().state(), InputState::WaitingForDomainStart);
        click(-3, 0);
        click(4, 0);
        QCOMPARE(m->document().count(), 1);
        QCOMPARE(QPoint(entry(0).PointX, entry(0).PointY), QPoint(2, 2));
        QCOMPARE(entry(0).DomainLow, -3);
        QCOMPARE(entry(0).DomainHigh, 4);
        QCOMPARE(m->document().entry(0).listText, QStringLiteral("y = 1/2x^2"));
    }

    void wholeCurveDragIgnoresTheCurrentLineMode()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        m->repaintAll();
        m->setSegmentMode();
        drag(QPoint(1, 1), QPoint(1, 2));
        QCOMPARE(entry(0).LineMode, 0);
        QCOMPARE(entry(0).Formula, QStringLiteral("y = 2x^2"));
        QCOMPARE(m->input().state(), InputState::Idle);
    }

    // A quick right click on either point of an entry shows it selected
    // alone, with its handles: the next two-click parabola replaces it,
    // unless Esc, 選択解除 or another choice in the list cancels that.
    void quickRightClickChoosesAnEntryToReplace_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("then");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("vertex") << QPoint(3, 0) << "" << true;
        QTest::newRow("passing point") << QPoint(4, 1) << "" << true;
        QTest::newRow("vertex, Esc") << QPoint(3, 0) << "Esc" << false;
        QTest::newRow("passing point, Esc") << QPoint(4, 1) << "Esc" << false;
        QTest::newRow("選択解除") << QPoint(4, 1) << "BitBtn1" << false;
        QTest::newRow("another item chosen") << QPoint(4, 1) << "item 0" << false;
        QTest::newRow("the same item clicked") << QPoint(3, 0) << "item 1" << true;
    }
    void quickRightClickChoosesAnEntryToReplace()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, then);
        QFETCH(bool, replaced);
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->add(MainFixture::redParabola(3, 0, 4, 1));
        f->select({0});
        m->repaintAll();
        click(point.x(), point.y(), Qt::RightButton);
        QVERIFY(m->isSelected(1));
        QVERIFY(!m->isSelected(0));
        QCOMPARE(m->input().replaceTarget().index, 1);
        // Its handle is drawn: the square round the passing point.
        const QPoint handle = at(4, 1);
        QVERIFY(CountColor(Child<ImageView>(m, "imgCood")->canvas(),
                           QRect(handle - QPoint(6, 6), QSize(13, 13)), Colors::Black) > 0);
        if (then == QLatin1String("Esc"))
            QTest::keyClick(m, Qt::Key_Escape);
        else if (then == QLatin1String("BitBtn1"))
            Child<QToolButton>(m, "BitBtn1")->click();
        else if (then.startsWith(QLatin1String("item ")))
            QTest::mouseClick(Child<FormulaList>(m, "lstShiki")->viewport(), Qt::LeftButton, {},
                              QPoint(60, then.mid(5).toInt() * FormulaList::ItemHeight + 5));
        QCOMPARE(m->input().replaceTarget().index, replaced ? 1 : -1);
        click(-2, 0);
        click(-1, 2);
        QCOMPARE(m->document().count(), replaced ? 2 : 3);
        const int stored = replaced ? 1 : 2;
        QCOMPARE(QPoint(entry(stored).VertexX, entry(stored).VertexY), QPoint(-2, 0));
        QCOMPARE(m->document().entry(stored).listText, QStringLiteral("y = 2(x+2)^2"));
        QCOMPARE(QPoint(entry(1).VertexX, entry(1).VertexY), replaced ? QPoint(-2, 0) : QPoint(3, 0));
        QCOMPARE(m->input().replaceTarget().index, -1);
    }

    // While a parabola is being drawn a right click on a handle does not
    // change which entry it will replace.
    void rightClickWhileDrawingChoosesNothing()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->add(MainFixture::redParabola(3, 0, 4, 1));
        click(-2, 0);
        click(3, 0, Qt::RightButton);
        QCOMPARE(m->input().replaceTarget().index, -1);
        click(-1, 2);
        QCOMPARE(m->document().count(), 3);
        QCOMPARE(QPoint(entry(1).VertexX, entry(1).VertexY), QPoint(3, 0));
    }

    void leavingThePlaneDropsTheDrawing()
    {
        click(0, 0);
        move(2, 2);
        QVERIFY(m->input().overlay().band);
        sendMove(m->centralWidget(), QPoint(200, 60));
        QCOMPARE(m->input().state(), InputState::Idle);
        QVERIFY(!m->input().overlay().band);
        QCOMPARE(m->document().count(), 0);
    }

    // The lattice cursor shows over the still picture while the plane has
    // the keys, and only then.
    void keyCursorLiesOverTheStillPicture()
    {
        m->repaintAll();
        const QImage still = plane()->canvas().image().copy();
        QCOMPARE(plane()->frame(), still);
        focusPlaneByTab();
        QVERIFY(plane()->frame() != still);
        QCOMPARE(Child<QLineEdit>(m, "edtCood")->text(), QStringLiteral(" (  0,  0)"));
        const QImage atOrigin = plane()->frame().copy();
        QTest::keyClick(plane(), Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(m->input().cursor().position(), QPoint(5, 0));
        QVERIFY(plane()->frame() != atOrigin);
        QCOMPARE(plane()->canvas().image(), still);
        Child<QWidget>(m, "lstShiki")->setFocus(Qt::TabFocusReason);
        QCOMPARE(plane()->frame(), still);
    }

    void rubberBandIsErasedByTheNextMove()
    {
        m->repaintAll();
        const QImage empty = plane()->frame().copy();
        click(0, 0);
        move(1, 1);
        move(2, 3);
        QVERIFY(plane()->frame() != empty);
        // The band lies over the still picture, which it leaves untouched.
        QCOMPARE(plane()->canvas().image(), empty);
        QCOMPARE(Child<QLineEdit>(m, "edtCood")->text(), QStringLiteral(" (  2,  3)"));
        // Each frame is the still picture with this step's band alone, as a
        // frame composed afresh shows it, wherever the band was before.
        plane()->clearFocus();
        const auto afresh = [this] {
            Canvas c;
            c.assign(plane()->canvas().image());
            plane()->paintOverlay(c);
            return c.image().copy();
        };
        for (const QPoint p :
             {QPoint(9, 1), QPoint(-9, 15), QPoint(1, -15), QPoint(0, 1), QPoint(15, 15), QPoint(-1, 2)}) {
            move(p.x(), p.y());
            QCOMPARE(plane()->frame(), afresh());
        }
        sendMove(m->centralWidget(), QPoint(200, 60));
        plane()->clearFocus(); // the key cursor the click brought is not the band
        QCOMPARE(plane()->frame(), empty);
    }

    // The screen shows the frame after every change, however little of the
    // plane the change repaints: band and key cursor steps repaint only
    // where the overlay was and is, a selection change only the marks.
    void screenShowsEveryChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("band steps") << "band";
        QTest::newRow("key cursor steps") << "keys";
        QTest::newRow("selection changes") << "select";
    }
    void screenShowsEveryChange()
    {
        QFETCH(QString, change);
        for (int i = 0; i < 4; ++i)
            f->add(MainFixture::redParabola(3 * i - 6, i - 2, 3 * i - 4, i + 3));
        m->show();
        QVERIFY(QTest::qWaitForWindowExposed(m));
        m->repaintAll();
        const auto screen = [this] {
            QApplication::processEvents();
            const QPoint o = plane()->mapTo(m, QPoint(0, 0));
            return m->screen()
                ->grabWindow(m->winId(), o.x(), o.y(), plane()->width(), plane()->height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        if (change == QLatin1String("band"))
            click(0, 0);
        else if (change == QLatin1String("keys"))
            focusPlaneByTab();
        const QList<QPoint> steps{QPoint(9, 1), QPoint(-9, 15), QPoint(1, -15),
                                  QPoint(2, 1), QPoint(15, 15), QPoint(-1, 2)};
        for (int i = 0; i < steps.size(); ++i) {
            if (change == QLatin1String("band")) {
                move(steps[i].x(), steps[i].y());
            } else if (change == QLatin1String("keys")) {
                keysTo(steps[i]);
            } else {
                f->select({i % 4, (i + 2) % 4});
                m->repaintAll();
            }
            QCOMPARE(screen(), plane()->frame().convertToFormat(QImage::Format_RGB32));
        }
        // Marks changed in place leave the still picture a full drawing gives.
        const QImage still = plane()->canvas().image().copy();
        m->dropCachedCurves();
        m->repaintAll();
        QCOMPARE(still, plane()->canvas().image());
    }

    // A handle drag takes the curve off the still picture and paints it only
    // where the handle puts it: one curve, and no copy of the old shape.
    void handleDragShowsOneCurve()
    {
        m->repaintAll();
        const QImage empty = plane()->canvas().image().copy();
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        m->repaintAll();
        const auto inked = [this](const QImage &image, QPoint lattice) {
            const QPoint c = at(lattice.x(), lattice.y());
            int n = 0;
            for (int y = c.y() - 3; y <= c.y() + 3; ++y)
                for (int x = c.x() - 3; x <= c.x() + 3; ++x)
                    n += image.pixel(x, y) == ToPixel(0xFF0000);
            return n;
        };
        QVERIFY(inked(plane()->canvas().image(), QPoint(-2, 4)) > 0);
        QTest::mousePress(plane(), Qt::RightButton, {}, at(1, 1));
        QTest::qWait(400);
        QCOMPARE(m->input().state(), InputState::HandleDrag);
        QCOMPARE(plane()->canvas().image(), empty);          // the still picture without the entry
        QVERIFY(inked(plane()->frame(), QPoint(-2, 4)) > 0); // the band stands for it
        sendMove(plane(), at(2, 1), Qt::RightButton);
        QCOMPARE(plane()->canvas().image(), empty);          // a band step leaves the still picture
        QCOMPARE(inked(plane()->frame(), QPoint(-2, 4)), 0); // no ghost of the old shape
        QVERIFY(inked(plane()->frame(), QPoint(-2, 1)) > 0); // the new shape
        QTest::mouseRelease(plane(), Qt::RightButton, {}, at(2, 1));
        QVERIFY(inked(plane()->canvas().image(), QPoint(-2, 1)) > 0); // stored in the still picture
        QCOMPARE(inked(plane()->canvas().image(), QPoint(-2, 4)), 0);
        plane()->clearFocus(); // the key cursor the click brought is not the curve
        QCOMPARE(plane()->frame(), plane()->canvas().image()); // nothing over it
    }

    // Neither a step of the band nor a change of the selection draws the
    // stored curves again: each costs the pieces of what changed only.
    void storedCurvesAreNotDrawnAgain_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<int>("pieces");
        QTest::newRow("band step: the band alone") << "band" << 1;
        QTest::newRow("selection change: marks only") << "select" << 0;
        QTest::newRow("document change: every curve") << "move" << 3;
    }
    void storedCurvesAreNotDrawnAgain()
    {
        QFETCH(QString, step);
        for (int i = 0; i < 3; ++i)
            f->add(MainFixture::redParabola(i, 0, i + 1, 1));
        m->repaintAll();
        if (step == QLatin1String("band"))
            click(0, 2);
        (void)plane()->frame();
        const long long before = CurvePiecesDrawn();
        if (step == QLatin1String("band")) {
            move(2, 4);
        } else if (step == QLatin1String("select")) {
            f->select({1});
            m->repaintAll();
        } else {
            f->select({1});
            Child<QToolButton>(m, "btnRight")->click();
        }
        (void)plane()->frame();
        QTEST(int(CurvePiecesDrawn() - before), "pieces");
    }

    void outsideRepaintEndsTheRubberBand()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1, 1, -2, 2, true, false));
        m->repaintAll();
        const QImage normal = plane()->frame().copy();
        click(3, 3);
        move(4, 5);
        Child<QCheckBox>(m, "chkJikuColor")->click();
        Child<QCheckBox>(m, "chkJikuColor")->click();
        QCOMPARE(m->input().state(), InputState::Idle);
        QVERIFY(!m->input().overlay().band);
        plane()->clearFocus(); // the key cursor the click brought is not the band
        QCOMPARE(plane()->frame(), normal); // not drawn in the drag form
        move(5, 6);
        QCOMPARE(plane()->frame(), normal); // no band follows the mouse
    }

    void lineModeButtons_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("samples");  // clicks on "変域"
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("ends");
        QTest::addColumn<bool>("lower");
        QTest::addColumn<bool>("upper");
        QTest::newRow("whole") << 0 << 1 << "全域" << "" << true << true;
        QTest::newRow("segment") << 1 << 0 << "中央" << " ≦ ≦" << true << true;
        QTest::newRow("segment, 1") << 1 << 1 << "中央" << " ≦ ＜" << true << false;
        QTest::newRow("segment, 2") << 1 << 2 << "中央" << " ＜ ≦" << false << true;
        QTest::newRow("segment, 3") << 1 << 3 << "中央" << " ＜ ＜" << false << false;
        QTest::newRow("segment, round") << 1 << 4 << "中央" << " ≦ ≦" << true << true;
        QTest::newRow("right") << 2 << 0 << "右側" << "  ≦ " << true << true;
        QTest::newRow("right, open") << 2 << 1 << "右側" << "  ＜ " << false << false;
        QTest::newRow("left, open") << 3 << 1 << "左側" << "  ＜ " << false << false;
        QTest::newRow("left, closed again") << 3 << 2 << "左側" << "  ≦ " << true << true;
    }
    void lineModeButtons()
    {
        QFETCH(int, mode);
        QFETCH(int, samples);
        QToolButton *buttons[] = {Child<QToolButton>(m, "spdAll"), Child<QToolButton>(m, "spdCenter"),
                                  Child<QToolButton>(m, "spdRight"), Child<QToolButton>(m, "spdLeft")};
        buttons[mode]->click();
        for (int i = 0; i < samples; ++i)
            Child<QToolButton>(m, "spdSample")->click();
        QCOMPARE(ToInt(forms().settings().Draw.NextLineMode), mode);
        QVERIFY(buttons[mode]->isChecked());
        QTEST(Child<QLineEdit>(m, "edtLineMode")->text(), "word");
        QTEST(Child<QLineEdit>(m, "edtHeniki")->text(), "ends");
        QTEST(forms().settings().Draw.LowerIncluded, "lower");
        QTEST(forms().settings().Draw.UpperIncluded, "upper");
    }

    void newParabolaTakesTheEndStyleAndColours()
    {
        m->setSegmentMode();
        m->cycleEndKinds();  // lower included, upper open
        m->nextAutoColor();  // skip one colour
        click(0, 0);
        move(1, 1);
        click(1, 1);
        click(-1, 0);
        click(2, 0);
        QCOMPARE(entry(0).EndStyle, 1);
        QCOMPARE(entry(0).LowerIncluded, 1);
        QCOMPARE(entry(0).UpperIncluded, 0);
        QCOMPARE(entry(0).Color, int(kAutoColors[1]));
        QCOMPARE(m->document().fileLines()[1], QStringLiteral("%1,273").arg(kAutoColors[1]));
    }
};

QTEST_MAIN(TestMouse)
#include "tst_mouse.moc"
