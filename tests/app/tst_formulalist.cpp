#include "app/PropertiesWindow.h"
#include "lessons/UnitContentsWindow.h"
#include "plane/AutoColor.h"
#include "plane/FormulaImage.h"
#include "support/Children.h"
#include "support/MainFixture.h"
#include "ui/ImageView.h"
#include "ui/PlaneView.h"

#include "support/Pixels.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QUndoStack>

#include <QtTest>

namespace {
// A vertex click as the plane forwards it: a parabola is being drawn.
void PlaceVertex(MainWindow *m)
{
    m->input().press(Qt::LeftButton, QPoint(7, 7), 0);
    m->input().release(Qt::LeftButton, QPoint(7, 7), 1);
    QCOMPARE(m->input().state(), InputState::WaitingForPassingPoint);
}

// The formula picture a text gives on its own.
QImage Rendered(const QString &text, const QSize &size, int rowHeight = 20)
{
    Picture p(0, 0, size.width(), size.height());
    DrawingSettings draw = forms().settings().Draw;
    draw.FormulaRowHeight = rowHeight;
    DrawFormulaImage(p, text, draw);
    return p.canvas().image();
}
// The smallest box holding every pixel of the area that is not white.
QRect InkIn(const Canvas &c, const QRect &area)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (c.pixel(x, y) != Colors::White)
                ink |= QRect(x, y, 1, 1);
    return ink;
}
}  // namespace

class TestFormulaList : public QObject {
    Q_OBJECT
    std::unique_ptr<MainFixture> f;
    MainWindow *m = nullptr;

    void fiveParabolas()
    {
        for (int i = 0; i < 5; ++i)
            f->add(MainFixture::redParabola(i, 0, i + 1, 1 + i));
    }

private slots:
    void init()
    {
        f = std::make_unique<MainFixture>();
        m = f->main();
    }
    void cleanup() { f.reset(); }

    void currentIndexRules()
    {
        QCOMPARE(m->currentIndex(), -1);
        for (int i = 0; i < 3; ++i)
            f->add(MainFixture::redParabola(i, 0, i + 1, 1));
        QCOMPARE(m->currentIndex(), 2);  // nothing selected: the last entry
        f->select({0, 2});
        QCOMPARE(m->currentIndex(), 0);  // the first selected
    }

    void repaintShowsTheLastSelected()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->add(MainFixture::redParabola(1, 2, 3, 4));
        f->add(MainFixture::redParabola(-1, 0, 1, -2, 1, -1, 3, true, false));
        f->select({0, 2});
        m->repaintAll();
        const Parabola &last = m->document().at(2);
        const QSize size = Child<ImageView>(m, "imgShiki")->canvas().image().size();
        QCOMPARE(Child<ImageView>(m, "imgShiki")->canvas().image(), Rendered(last.Formula, size));
        // Axis and vertex are one line, centred in their low panels.
        const QSize low = Child<ImageView>(m, "imgJiku")->canvas().image().size();
        QCOMPARE(Child<ImageView>(m, "imgJiku")->canvas().image(),
                 Rendered(QStringLiteral("x = -1"), low, CentredRowHeight(low.height())));
        // The brackets of the vertex keep room above and below.
        const Canvas &v = Child<ImageView>(m, "imgChouten")->canvas();
        QVERIFY(CountColor(v, QRect(0, 0, v.width(), v.height()), Colors::White) > 0);
        QCOMPARE(CountColor(v, QRect(0, 0, v.width(), 3), Colors::White), 0);
        QCOMPARE(CountColor(v, QRect(0, v.height() - 3, v.width(), 3), Colors::White), 0);
        QCOMPARE(
            Child<ImageView>(m, "imgHenikiX")->canvas().image(),
            Rendered(QStringLiteral("-1≦x＜3"), Child<ImageView>(m, "imgHenikiX")->canvas().image().size()));
        QCOMPARE(Child<ImageView>(m, "imgHenikiY")->canvas().image(),
                 Rendered(RangeText(last), Child<ImageView>(m, "imgHenikiY")->canvas().image().size()));

        // With no selection the panels keep what they showed.
        const QImage before = Child<ImageView>(m, "imgShiki")->canvas().image();
        Child<FormulaList>(m, "lstShiki")->clearSelection();
        m->repaintAll();
        QCOMPARE(Child<ImageView>(m, "imgShiki")->canvas().image(), before);
    }

    void propertiesWindowFollowsTheCurrentParabola()
    {
        QAction *open = m->action("mnuProperties");
        QVERIFY(Child<QMenu>(m, "mnuView")->actions().contains(open));
        open->trigger();
        auto *w = Child<PropertiesWindow>(m, "frmProperties");
        QVERIFY(w->isVisible());
        QVERIFY(!w->isModal());
        QCOMPARE(w->windowTitle(), QStringLiteral("グラフの性質"));
        QCOMPARE(w->shownTexts(), QStringList(7)); // no parabola yet

        f->add(MainFixture::redParabola(2, -3, 3, -2)); // y = (x-2)^2-3
        const QStringList shifted{"x = 2",
                                  "(2,-3)",
                                  "(0,1)",
                                  "x = 2±√3",
                                  "D = b^2-4ac = 12",
                                  "最大値はありません",
                                  "x = 2 のとき 最小値 -3"};
        QCOMPARE(w->shownTexts(), shifted);
        // Hidden formulas or ranges in the main window hide the properties too.
        for (const char *name : {"chkShiki", "chkDispHeniki"}) {
            Child<QCheckBox>(m, name)->click();
            QCOMPARE(w->shownTexts(), QStringList(7));
            Child<QCheckBox>(m, name)->click();
            QCOMPARE(w->shownTexts(), shifted);
        }
        // Words and numbers laid out together, the root under its radical.
        const Canvas &roots = Child<ImageView>(w, "imgXIntercepts")->canvas();
        Picture expected(0, 0, roots.width(), roots.height());
        DrawFormulaImage(expected, shifted[3], forms().settings().Draw, WideText::ThreeColumns);
        QCOMPARE(roots.image(), expected.canvas().image());

        f->add(MainFixture::redParabola(-1, 4, 0, 3, 3, -99, -2));              // y = -(x+1)^2+4 (x≦-2)
        QCOMPARE(w->shownTexts()[5], QStringLiteral("x = -2 のとき 最大値 3")); // nothing selected: the last
        f->select({0});
        QCOMPARE(w->shownTexts(), shifted);
        m->document().undoStack()->undo();
        m->document().undoStack()->undo();
        QCOMPARE(w->shownTexts(), QStringList(7));
        // Closed, it is opened again by the same command.
        w->close();
        open->trigger();
        QVERIFY(w->isVisible());
    }

    void wholeCurveDomainIsAllNumbers()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->select({0});
        m->repaintAll();
        const Canvas &x = Child<ImageView>(m, "imgHenikiX")->canvas();
        QVERIFY(Marked(x, QRect(1, 16, 120, 20), Colors::Teal) > 0);
        QCOMPARE(Marked(x, QRect(0, 0, x.width(), 14), Colors::Teal), 0);
    }

    void rangeSwitchClearsAxisVertexAndRange()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->select({0});
        m->repaintAll();
        Child<QCheckBox>(m, "chkDispHeniki")->click();
        for (ImageView *v : {Child<ImageView>(m, "imgHenikiY"), Child<ImageView>(m, "imgJiku"),
                             Child<ImageView>(m, "imgChouten")})
            QCOMPARE(Marked(v->canvas(), QRect(0, 0, v->canvas().width(), v->canvas().height()), Colors::Teal), 0);
        QVERIFY(Marked(Child<ImageView>(m, "imgShiki")->canvas(), QRect(0, 0, 200, 60), Colors::Teal) > 0);
        Child<QCheckBox>(m, "chkDispHeniki")->click();
        QVERIFY(Marked(Child<ImageView>(m, "imgJiku")->canvas(), QRect(0, 0, 100, 40), Colors::Teal) > 0);
    }

    void formulaSwitchHidesTextsButKeepsSamples()
    {
        QCOMPARE(FormulaList::ItemText(QStringLiteral("y = x^2"), true).size(), 38);
        const QString long40 = QString(40, QLatin1Char('1'));
        QCOMPARE(FormulaList::ItemText(long40, true), long40);
        QCOMPARE(FormulaList::ItemText(QStringLiteral("y = x^2"), false), QString());

        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->select({0});
        m->repaintAll();
        Child<QCheckBox>(m, "chkShiki")->click();
        QCOMPARE(Marked(Child<ImageView>(m, "imgShiki")->canvas(), QRect(0, 0, 300, 60), Colors::Teal), 0);
        QCOMPARE(Marked(Child<ImageView>(m, "imgHenikiX")->canvas(), QRect(0, 0, 150, 60), Colors::Teal), 0);
        // The form buttons only work while the formula switch is on.
        Child<QPushButton>(m, "btnIppan")->click();
        QVERIFY(Child<QCheckBox>(m, "chkKeishiki")->isChecked());
    }

    // With "２次関数の式" off no way of choosing a parabola shows its formula.
    void formulaStaysHiddenWhileSwitchedOff_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("clicking another item") << "click";
        QTest::newRow("right click on its vertex") << "vertex";
        QTest::newRow("panel colours") << "colours";
        QTest::newRow("recolouring it") << "recolour";
    }
    void formulaStaysHiddenWhileSwitchedOff()
    {
        QFETCH(QString, action);
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->add(MainFixture::redParabola(1, 2, 3, 4));
        f->select({0});
        m->repaintAll();
        Child<QCheckBox>(m, "chkShiki")->click();
        if (action == QLatin1String("click")) {
            QTest::mouseClick(Child<FormulaList>(m, "lstShiki")->viewport(), Qt::LeftButton, {},
                              QPoint(60, FormulaList::ItemHeight + 5));
            QVERIFY(m->isSelected(1));
        } else if (action == QLatin1String("vertex")) {
            const QPoint vertex = Child<PlaneView>(m, "imgCood")->pixelAt(QPoint(1, 2));
            QTest::mouseClick(Child<ImageView>(m, "imgCood"), Qt::RightButton, {}, vertex);
            QVERIFY(m->isSelected(1));
        } else if (action == QLatin1String("colours")) {
            Child<QCheckBox>(m, "chkRanColor")->click();
        } else {
            f->prompt.colors.push_back(Color(0x00FF00));
            m->changeSelectedColor();
        }
        const Canvas &c = Child<ImageView>(m, "imgShiki")->canvas();
        QCOMPARE(Marked(c, QRect(0, 0, c.width(), c.height()), forms().settings().Draw.PanelBackColor), 0);
        const Canvas &x = Child<ImageView>(m, "imgHenikiX")->canvas();
        QCOMPARE(Marked(x, QRect(0, 0, x.width(), x.height()), forms().settings().Draw.PanelBackColor), 0);
    }

    void generalFormRewritesItemsNotMirrorLines()
    {
        f->add(MainFixture::redParabola(1, 2, 3, 4));
        f->add(MainFixture::redParabola(2, 1, 3, 0, 1, -1, 3));
        const QStringList mirror = m->document().fileLines();
        Child<QPushButton>(m, "btnIppan")->click();
        QCOMPARE(Child<QGroupBox>(m, "grpShiki")->title(), QStringLiteral("グラフの式（一般形）"));
        QVERIFY(!Child<QCheckBox>(m, "chkKeishiki")->isChecked());
        QCOMPARE(m->document().entry(0).listText, QStringLiteral("y = 1/2x^2-x+5/2"));
        QCOMPARE(m->document().entry(1).listText, QStringLiteral("y = -x^2+4x-3"));
        QCOMPARE(m->document().at(1).Formula, QStringLiteral("y = -x^2+4x-3"));
        QCOMPARE(m->document().fileLines(), mirror);
        Child<QPushButton>(m, "btnHyoujun")->click();
        QCOMPARE(m->document().entry(1).listText, QStringLiteral("y = -(x-2)^2+1"));  // plain, no domain
        QCOMPARE(Child<QGroupBox>(m, "grpShiki")->title(), QStringLiteral("グラフの式（標準形）"));
    }

    void correctionDeletesTheSelected()
    {
        fiveParabolas();
        const QStringList mirror = m->document().fileLines();
        f->select({1, 3});
        m->deleteSelected();
        QCOMPARE(m->document().count(), 3);
        QCOMPARE(Child<FormulaList>(m, "lstShiki")->count(), 3);
        for (int k = 0; k < 3; ++k) {
            const int was = k * 2;  // entries 0, 2, 4
            QCOMPARE(m->document().at(k).VertexX, was);
            QCOMPARE(m->document().fileLines().mid(1 + 5 * k, 5), mirror.mid(1 + 5 * was, 5));
        }
        QCOMPARE(m->document().fileLines().size(), 16);
        QCOMPARE(m->document().fileLines().first(), mirror.first());
        QVERIFY(m->document().isModified());
        QCOMPARE(Child<QLabel>(forms().unitContentsWindow(), "lblNline")->text(),
                 QStringLiteral("3")); // the count follows
    }

    void correctionWithNothingSelectedChangesNothing()
    {
        fiveParabolas();
        m->document().undoStack()->setClean();
        Child<FormulaList>(m, "lstShiki")->clearSelection();
        m->deleteSelected();
        QCOMPARE(m->document().count(), 5);
        QVERIFY(!m->document().isModified());  // nothing was deleted, so nothing is to save
    }

    void correctionDuringADrawingOnlyAbandonsIt()
    {
        fiveParabolas();
        f->select({0});
        PlaceVertex(m);
        m->document().undoStack()->setClean();
        m->deleteSelected();
        QCOMPARE(m->document().count(), 5);
        QCOMPARE(m->input().state(), InputState::Idle);
        QVERIFY(!m->document().isModified());
    }

    void rightClickSelectsAloneOrKeepsTheSelection()
    {
        fiveParabolas();
        QWidget *vp = Child<FormulaList>(m, "lstShiki")->viewport();
        auto rowPoint = [](int row) { return QPoint(60, row * FormulaList::ItemHeight + 5); };
        f->select({0, 1});
        QTest::mouseClick(vp, Qt::RightButton, {}, rowPoint(3));
        Child<QMenu>(m, "pumShiki")->hide();
        QVERIFY(m->isSelected(3));
        QVERIFY(!m->isSelected(0) && !m->isSelected(1));
        f->select({0, 1});
        QTest::mouseClick(vp, Qt::RightButton, {}, rowPoint(1));
        Child<QMenu>(m, "pumShiki")->hide();
        QVERIFY(m->isSelected(0) && m->isSelected(1));
    }

    void ctrlClickAddsToTheSelection()
    {
        fiveParabolas();
        QWidget *vp = Child<FormulaList>(m, "lstShiki")->viewport();
        auto rowPoint = [](int row) { return QPoint(60, row * FormulaList::ItemHeight + 5); };
        QTest::mouseClick(vp, Qt::LeftButton, {}, rowPoint(1));
        QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, rowPoint(3));
        QVERIFY(m->isSelected(1) && m->isSelected(3));
        QTest::mouseClick(vp, Qt::LeftButton, {}, rowPoint(2));
        QVERIFY(m->isSelected(2) && !m->isSelected(1) && !m->isSelected(3));
        QCOMPARE(m->input().state(), InputState::Idle);
    }

    void selectAllAndCancel()
    {
        fiveParabolas();
        Child<QToolButton>(m, "btnSelectAll")->click();
        for (int i = 0; i < 5; ++i)
            QVERIFY(m->isSelected(i));
        Child<QToolButton>(m, "BitBtn1")->click();
        for (int i = 0; i < 5; ++i)
            QVERIFY(!m->isSelected(i));
        QCOMPARE(Marked(Child<ImageView>(m, "imgShiki")->canvas(), QRect(0, 0, 300, 60), Colors::Teal), 0);
    }

    void colourOfTheSelected_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<uint>("color");
        QTest::addColumn<bool>("changes");
        QTest::newRow("a colour") << true << 0x00FF00u << true;
        QTest::newRow("white does nothing") << true << 0xFFFFFFu << false;
        QTest::newRow("cancelled") << false << 0u << false;
    }
    void colourOfTheSelected()
    {
        QFETCH(bool, chosen);
        QFETCH(uint, color);
        QFETCH(bool, changes);
        fiveParabolas();
        m->document().undoStack()->setClean();
        f->select({1, 2});
        f->prompt.colors.push_back(chosen ? std::optional<Color>(color) : std::nullopt);
        m->changeSelectedColor();
        QCOMPARE(m->document().at(1).Color == int(color), changes);
        QCOMPARE(m->document().at(2).Color == int(color), changes);
        QCOMPARE(m->document().at(0).Color, 0xFF0000);
        if (changes) {
            QCOMPARE(m->document().fileLines()[6], QStringLiteral("%1,16").arg(color));
            QCOMPARE(forms().settings().Draw.ColorCounter, 5);
        }
        QCOMPARE(!m->document().isModified(), !changes);
    }

    void widthOfTheSelected()
    {
        fiveParabolas();
        m->document().undoStack()->setClean();
        f->select({4});
        m->setSelectedWidth(3);
        QVERIFY(m->document().isModified());
        QCOMPARE(m->document().at(4).LineWidth, 3);
        QCOMPARE(m->document().fileLines()[21], QStringLiteral("16711680,48"));
        QCOMPARE(m->document().at(3).LineWidth, 1);
    }

    void fixedColourAndBackToAutomatic()
    {
        fiveParabolas();
        f->prompt.colors.push_back(Color(0x0000FF));
        m->chooseFixedColor();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(m->document().at(i).Color, 0x0000FF);
        f->prompt.colors.push_back(Colors::White);
        m->chooseFixedColor();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(m->document().at(i).Color, int(kAutoColors[std::size_t(i)]));
        QCOMPARE(forms().settings().Draw.ColorCounter, 5);

        PlaceVertex(m);
        f->prompt.clear();
        m->chooseFixedColor();
        QCOMPARE(f->prompt.texts(), QStringList{QStringLiteral("途中で色は変更できません")});
    }

    void handleAndDottedSwitchesFollowTheirMenuItems()
    {
        Child<QAction>(m, "mnuHandle")->trigger();
        QVERIFY(!Child<QCheckBox>(m, "chkHandle")->isChecked());
        QVERIFY(!forms().settings().Draw.Handles);
        QVERIFY(!Child<QAction>(m, "mnuHandle")->isChecked());
        Child<QCheckBox>(m, "chkTensen")->click();
        QVERIFY(!Child<QAction>(m, "mnuTensen")->isChecked());
        QVERIFY(!forms().settings().Draw.Dotted);
        Child<QAction>(m, "mnuTensen")->trigger();
        QVERIFY(Child<QCheckBox>(m, "chkTensen")->isChecked());
    }

    // A switch with a menu item is one checkable action: whichever way it is
    // changed (b: the box clicked, m: the menu item chosen, s: the state set by
    // the program), box, item and drawing agree, and the box greys with it.
    void switchesAgreeWithTheirMenuItems_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("steps");
        for (const auto &[box, command] :
             {std::pair{"chkHandle", "mnuHandle"}, std::pair{"chkTensen", "mnuTensen"}})
            for (const char *steps : {"b", "m", "s", "bm", "mb", "sb", "ms"})
                QTest::addRow("%s, %s", box, steps) << box << command << steps;
    }
    void switchesAgreeWithTheirMenuItems()
    {
        QFETCH(QString, box);
        QFETCH(QString, command);
        QFETCH(QString, steps);
        auto *c = Child<QGroupBox>(m, "grpSettei")->findChild<QCheckBox *>(box);
        QAction *a = m->action(command.toLatin1().constData());
        QVERIFY(c);
        QVERIFY(a);
        const bool &drawn = box == QLatin1String("chkHandle") ? forms().settings().Draw.Handles
                                                              : forms().settings().Draw.Dotted;
        bool on = true;
        for (const QChar step : steps) {
            if (step == u'b')
                c->click();
            else if (step == u'm')
                a->trigger();
            else
                a->setChecked(!a->isChecked());
            on = !on;
            QCOMPARE(a->isChecked(), on);
            QCOMPARE(c->isChecked(), on);
            QCOMPARE(drawn, on);
        }
        a->setEnabled(false);
        QVERIFY(!c->isEnabled());
        a->setEnabled(true);
        QVERIFY(c->isEnabled());
    }

    // The popup's items with their own captions run the menu's commands.
    void popupItemsRunTheirCommand_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("countAfter");
        QTest::addColumn<int>("selectedAfter");
        QTest::newRow("削除") << "pumDelete" << "mnuTetsei" << 4 << 0;
        QTest::newRow("すべて選択") << "pumSelectAll" << "mnuSelectAll" << 5 << 5;
        QTest::newRow("選択解除") << "pumCancel" << "mnuCancel" << 5 << 0;
    }
    void popupItemsRunTheirCommand()
    {
        QFETCH(QString, item);
        QFETCH(QString, command);
        fiveParabolas();
        f->select({1});
        QSignalSpy ran(m->action(command.toLatin1().constData()), &QAction::triggered);
        Child<QMenu>(m, "pumShiki")->findChild<QAction *>(item)->trigger();
        QCOMPARE(ran.count(), 1);
        QTEST(m->document().count(), "countAfter");
        QTEST(int(m->document().selectedRows().size()), "selectedAfter");
    }

    void valueTableOfYEqualsXSquared()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->select({0});
        m->repaintAll();
        ValueTable &t = m->valueTable();
        const Canvas &c = Child<ImageView>(m, "drgTable")->canvas();
        QCOMPARE(t.columnCount(), 10);
        QCOMPARE(c.width(), 364);
        // The vertex column (x = 0) is red in both rows, the others are not.
        QVERIFY(CountColor(c, t.cellRect(5, 0), Colors::Red) > 0);
        QVERIFY(CountColor(c, t.cellRect(5, 1), Colors::Red) > 0);
        QCOMPARE(CountColor(c, t.cellRect(4, 1), Colors::Red), 0);
        QVERIFY(CountColor(c, t.cellRect(4, 1), Colors::Black) > 0);

        m->toggleValueTableWidth();
        QCOMPARE(t.columnCount(), 22);
        QCOMPARE(Child<ImageView>(m, "drgTable")->canvas().width(), (35 + 1) * 22 + 1 + 3);
        QVERIFY(CountColor(Child<ImageView>(m, "drgTable")->canvas(), t.cellRect(11, 1), Colors::Red) > 0);
        m->toggleValueTableWidth();
        QCOMPARE(t.columnCount(), 10);
    }

    void valueTableLeavesOutsideTheDomainBlank()
    {
        // Right half line from x = 2 with the vertex at x = 0.
        f->add(MainFixture::redParabola(0, 0, 1, 1, 2, 2, 99));
        f->select({0});
        m->repaintAll();
        ValueTable &t = m->valueTable();
        const Canvas &c = Child<ImageView>(m, "drgTable")->canvas();
        for (int k = 1; k <= 6; ++k)  // x = -4 .. 1
            QCOMPARE(Marked(c, t.cellRect(k, 1), Colors::White), 0);
        for (int k = 7; k <= 9; ++k)  // x = 2, 3, 4
            QVERIFY(Marked(c, t.cellRect(k, 1), Colors::White) > 0);
    }

    void fractionsStackAndIntegersAreBold()
    {
        // a = 1/4: x = 1 gives 1/4 (a stacked fraction with a bar), x = 2 gives 1.
        f->add(MainFixture::redParabola(0, 0, 2, 1));
        f->select({0});
        m->repaintAll();
        ValueTable &t = m->valueTable();
        const Canvas &c = Child<ImageView>(m, "drgTable")->canvas();
        const QRect frac = t.cellRect(6, 1);
        // Numerator above the bar, denominator below.
        QVERIFY(Marked(c, QRect(frac.left(), frac.top() + 1, frac.width(), 16), Colors::White) > 0);
        // Below the line of an integer only a fraction's denominator reaches.
        QVERIFY(Marked(c, QRect(frac.left(), frac.top() + 31, frac.width(), 8), Colors::White) > 0);
        const QRect whole = t.cellRect(7, 1);
        QCOMPARE(Marked(c, QRect(whole.left(), whole.top() + 31, whole.width(), 8), Colors::White), 0);
    }

    // Long values shrink to fit their cells, and a fraction's bar spans the
    // wider of its numbers.
    void longValuesFitTheirCells_data()
    {
        QTest::addColumn<QPoint>("point");  // passing point; the vertex is (0, 0)
        QTest::newRow("-15/121") << QPoint(11, -15);
        QTest::newRow("1333/121") << QPoint(11, 1333);
        QTest::newRow("five digits over four") << QPoint(33, -6301);
        QTest::newRow("y = x^2") << QPoint(1, 1);
    }
    void longValuesFitTheirCells()
    {
        QFETCH(QPoint, point);
        f->add(MainFixture::redParabola(0, 0, point.x(), point.y()));
        f->select({0});
        m->repaintAll();
        const ValueTable &t = m->valueTable();
        const Canvas &c = Child<ImageView>(m, "drgTable")->canvas();
        for (int k = 1; k < t.columnCount(); ++k) {
            for (int row = 0; row < 2; ++row) {
                const QRect cell = t.cellRect(k, row);
                const QRect ink = InkIn(c, cell);
                QVERIFY(!ink.isEmpty());
                QVERIFY2(ink.left() > cell.left() && ink.right() < cell.right(), qPrintable(QString::number(k)));
            }
            const int x = k - t.vertexColumn();
            if (!ValueText(m->document().at(0), x).contains(QLatin1Char('/')))
                continue;
            // Numerator above the bar, denominator below; the bar's upper row
            // is the cell's row 20.
            const QRect cell = t.cellRect(k, 1);
            const QRect bar = InkIn(c, QRect(cell.left(), cell.top() + 20, cell.width(), 1));
            const QRect top = InkIn(c, QRect(cell.left(), cell.top(), cell.width(), 19));
            const QRect bottom = InkIn(c, QRect(cell.left(), cell.top() + 23, cell.width(), cell.height() - 23));
            QVERIFY(bar.left() <= top.left() && bar.right() >= top.right());
            QVERIFY(bar.left() <= bottom.left() && bar.right() >= bottom.right());
        }
    }

    // However long the last values were, the grid lines stay clean.
    void gridLinesStayClean_data()
    {
        QTest::addColumn<bool>("clearAll");
        QTest::newRow("refilled") << false;
        QTest::newRow("全部消去") << true;
    }
    void gridLinesStayClean()
    {
        QFETCH(bool, clearAll);
        f->add(MainFixture::redParabola(0, 0, 33, -6301));
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->select({0});
        m->repaintAll();
        if (clearAll) {
            f->prompt.answers.push_back(Answer::Yes);
            m->deleteAll();
        } else {
            f->select({1});
            m->repaintAll();
        }
        const Canvas &c = Child<ImageView>(m, "drgTable")->canvas();
        const ValueTable &t = m->valueTable();
        for (int k = 1; k <= t.columnCount(); ++k) {
            const int line = t.cellRect(k, 0).left() - 1;
            QCOMPARE(CountColor(c, QRect(line, 0, 1, c.height()), 0xA0A0A0), c.height());
        }
    }

    void tableSwitchBlanksTheValuesButKeepsX()
    {
        f->add(MainFixture::redParabola(0, 0, 1, 1));
        f->select({0});
        m->repaintAll();
        Child<QCheckBox>(m, "chkDataTable")->click();
        ValueTable &t = m->valueTable();
        const Canvas &c = Child<ImageView>(m, "drgTable")->canvas();
        QCOMPARE(Marked(c, t.cellRect(4, 1), Colors::White), 0);
        QVERIFY(Marked(c, t.cellRect(4, 0), Colors::White) > 0);
        QVERIFY(Marked(c, t.cellRect(0, 1), Colors::White) > 0);  // the label stays
        QVERIFY(Child<ImageView>(m, "drgTable")->isVisible());
    }
};

QTEST_MAIN(TestFormulaList)
#include "tst_formulalist.moc"
