#include "support/Children.h"
#include "support/MainFixture.h"
#include "ui/ImageView.h"

Q_DECLARE_METATYPE(Parabola)
Q_DECLARE_METATYPE(Reshape)

#include <QtTest>
#include <limits>

class TestShape : public QObject {
    Q_OBJECT
    std::unique_ptr<MainFixture> f;
    MainWindow *m = nullptr;
    const Parabola &entry(int i) const { return m->document().at(i); }

private slots:
    void init()
    {
        f = std::make_unique<MainFixture>();
        m = f->main();
    }
    void cleanup() { f.reset(); }

    void buttons_data()
    {
        QTest::addColumn<Parabola>("before");
        QTest::addColumn<Reshape>("op");
        QTest::addColumn<QPoint>("vertex");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QPoint>("domain");
        QTest::addColumn<QString>("formula");
        const Parabola square = MainFixture::redParabola(0, 0, 1, 1);
        const Parabola left = MainFixture::redParabola(0, -1, -2, 3);
        const Parabola right = MainFixture::redParabola(0, 0, 1, 1, 2, 1, 99);
        const Parabola segment = MainFixture::redParabola(0, 0, 1, 1, 1, -98, 3);
        QTest::newRow("wider") << square << Reshape::Wider << QPoint(0, 0) << QPoint(2, 1) << QPoint(-99, 99)
                               << "y = 1/4x^2";
        QTest::newRow("wider, point on the left")
            << left << Reshape::Wider << QPoint(0, -1) << QPoint(-3, 3) << QPoint(-99, 99) << "y = 4/9x^2-1";
        QTest::newRow("narrower, point on the left")
            << left << Reshape::Narrower << QPoint(0, -1) << QPoint(-1, 3) << QPoint(-99, 99) << "y = 4x^2-1";
        QTest::newRow("up") << right << Reshape::Up << QPoint(0, 1) << QPoint(1, 2) << QPoint(1, 99)
                            << "y = x^2+1";
        QTest::newRow("down") << right << Reshape::Down << QPoint(0, -1) << QPoint(1, 0) << QPoint(1, 99)
                              << "y = x^2-1";
        QTest::newRow("half line right")
            << right << Reshape::Right << QPoint(1, 0) << QPoint(2, 1) << QPoint(2, 99) << "y = (x-1)^2";
        QTest::newRow("segment left to the sentinel")
            << segment << Reshape::Left << QPoint(-1, 0) << QPoint(0, 1) << QPoint(-99, 2) << "y = (x+1)^2";
        QTest::newRow("whole curve right")
            << square << Reshape::Right << QPoint(1, 0) << QPoint(2, 1) << QPoint(-99, 99) << "y = (x-1)^2";
    }
    void buttons()
    {
        QFETCH(Parabola, before);
        QFETCH(Reshape, op);
        f->add(before);
        f->select({0});
        m->document().undoStack()->setClean();
        m->reshapeSelected(op);
        QTEST(QPoint(entry(0).VertexX, entry(0).VertexY), "vertex");
        QTEST(QPoint(entry(0).PointX, entry(0).PointY), "point");
        QTEST(QPoint(entry(0).DomainLow, entry(0).DomainHigh), "domain");
        QTEST(entry(0).Formula, "formula");
        QTEST(m->document().entry(0).listText, "formula");
        QCOMPARE(m->document().fileLines().mid(1, 5), UnitLinesOf(entry(0)));
        QVERIFY(m->isSelected(0));
        QVERIFY(m->document().isModified());  // the unit has unsaved work now
        QVERIFY(f->prompt.shown.isEmpty());
    }

    // Hand-edited coordinates at the ends of the integers: a step that would
    // wrap is refused whole, the other selected entry included.
    void movesPastTheIntegersAreRefused_data()
    {
        QTest::addColumn<Parabola>("edge");
        QTest::addColumn<Reshape>("op");
        QTest::addColumn<bool>("refused");
        const int max = std::numeric_limits<int>::max();
        const int min = std::numeric_limits<int>::min();
        QTest::newRow("wider at the largest x")
            << MainFixture::redParabola(0, 0, max, 1) << Reshape::Wider << true;
        QTest::newRow("wider at the smallest x")
            << MainFixture::redParabola(0, 0, min, 1) << Reshape::Wider << true;
        QTest::newRow("up from the largest y")
            << MainFixture::redParabola(0, max, 1, 0) << Reshape::Up << true;
        QTest::newRow("down from the smallest y")
            << MainFixture::redParabola(0, 0, 1, min) << Reshape::Down << true;
        QTest::newRow("right from the largest x")
            << MainFixture::redParabola(max, 0, 0, 1) << Reshape::Right << true;
        QTest::newRow("right with the largest upper end")
            << MainFixture::redParabola(0, 0, 1, 1, 1, -5, max) << Reshape::Right << true;
        QTest::newRow("left with the smallest lower end")
            << MainFixture::redParabola(0, 0, 1, 1, 2, min, 99) << Reshape::Left << true;
        QTest::newRow("narrower always fits")
            << MainFixture::redParabola(min, 0, max, 1) << Reshape::Narrower << false;
        QTest::newRow("up onto the largest y")
            << MainFixture::redParabola(0, max - 1, 1, 0) << Reshape::Up << false;
        QTest::newRow("left onto the smallest x")
            << MainFixture::redParabola(min + 1, 0, 0, 1) << Reshape::Left << false;
    }
    void movesPastTheIntegersAreRefused()
    {
        QFETCH(Parabola, edge);
        QFETCH(Reshape, op);
        QFETCH(bool, refused);
        f->add(MainFixture::redParabola(0, 0, 2, 1));
        f->add(edge);
        f->select({0, 1});
        const Parabola first = entry(0);
        const Parabola before = entry(1);
        m->reshapeSelected(op);
        QCOMPARE(f->prompt.texts(), refused ? QStringList{QStringLiteral("これ以上はできません")} : QStringList());
        QCOMPARE(entry(0) == first, refused);
        QCOMPARE(entry(1) == before, refused);
    }

    void aSentinelStaysUnbounded()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1, 1, -98, 3));
        f->select({0});
        m->reshapeSelected(Reshape::Left);
        m->reshapeSelected(Reshape::Right);
        QCOMPARE(entry(0).DomainLow, -99);
        QCOMPARE(entry(0).DomainHigh, 3);
    }

    void narrowingStopsAtTheVertexColumnAndRepaints()
    {
        f->add(MainFixture::redParabola(5, 0, 7, 1));  // narrows once
        f->add(MainFixture::redParabola(0, 0, 1, 1));  // cannot narrow
        f->add(MainFixture::redParabola(-5, 0, -3, 1));
        f->select({0, 1, 2});
        m->repaintAll();
        const QImage before = Child<ImageView>(m, "imgCood")->canvas().image();
        m->reshapeSelected(Reshape::Narrower);
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("これ以上はできません")});
        QCOMPARE(entry(0).PointX, 6);   // changed before the refusal
        QCOMPARE(entry(1).PointX, 1);   // refused
        QCOMPARE(entry(2).PointX, -3);  // never reached
        QVERIFY(Child<ImageView>(m, "imgCood")->canvas().image() != before); // the plane shows the change
    }

    void twoSelectedMoveTogether()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->add(MainFixture::redParabola(2, 2, 3, 4));
        f->add(MainFixture::redParabola(5, 5, 6, 6));
        f->select({0, 1});
        m->reshapeSelected(Reshape::Up);
        QCOMPARE(entry(0).VertexY, 1);
        QCOMPARE(entry(1).VertexY, 3);
        QCOMPARE(entry(2).VertexY, 5);
        QVERIFY(m->isSelected(0) && m->isSelected(1) && !m->isSelected(2));
    }

    void refusals()
    {
        m->reshapeSelected(Reshape::Right);
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("対象となる式がありません")});
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        Child<FormulaList>(m, "lstShiki")->clearSelection();
        f->prompt.clear();
        m->reshapeSelected(Reshape::Right);
        QCOMPARE(f->prompt.texts(),
                 QStringList{QStringLiteral("対象となる式を選んでください。\r\rグラフのハンドルを右クリックしてください")});
        QCOMPARE(entry(0).VertexX, 0);
    }

    void generalFormFollowsTheSwitch()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->select({0});
        m->showFormulaForm(FormulaForm::General);
        m->reshapeSelected(Reshape::Right);
        QCOMPARE(entry(0).Formula, QStringLiteral("y = x^2-2x+1"));
    }
};

QTEST_MAIN(TestShape)
#include "tst_shape.moc"
