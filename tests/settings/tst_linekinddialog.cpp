#include "settings/LineKindDialog.h"
#include "support/TestSettings.h"

#include "support/Children.h"
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <QtTest>

using LineKind = LineKindDialog::LineKind;
Q_DECLARE_METATYPE(LineKind)

char *toString(const LineKind &k)
{
    return QTest::toString(QStringLiteral("mode %1 width %2 segment %3 half %4")
                               .arg(k.Mode)
                               .arg(k.Width)
                               .arg(k.SegmentEnds)
                               .arg(k.HalfLineEnds));
}

namespace {

LineKind InForce()
{
    const DrawingSettings &d = TestSettings().Draw;
    return {ToInt(d.NextLineMode), d.LineWidth, d.SegmentEnds, d.HalfLineEnds};
}

void SetInForce(const LineKind &k)
{
    DrawingSettings &d = TestSettings().Draw;
    d.NextLineMode = static_cast<LineMode>(k.Mode);
    d.LineWidth = k.Width;
    d.SegmentEnds = k.SegmentEnds;
    d.HalfLineEnds = k.HalfLineEnds;
}

QGroupBox *Group(const QObject *d, const char *name)
{
    return Child<QGroupBox>(d, QLatin1String(name));
}

// Name of the checked radio button of a group, empty when none is.
QString CheckedIn(const QGroupBox *g)
{
    QString name;
    for (const QRadioButton *b : g->findChildren<QRadioButton *>()) {
        if (b->isChecked()) {
            if (!name.isEmpty())
                return QStringLiteral("several");
            name = b->objectName();
        }
    }
    return name;
}

// A radio button reacts only to clicks on its mark and caption, which may
// be narrower than the button stretched across its group.
void Click(QAbstractButton *b)
{
    const QSize hint = b->sizeHint().boundedTo(b->size());
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(hint.width() / 2, b->height() / 2));
}

// Clicks the named buttons with the mouse; "Return" and "Escape" are keys
// pressed on the dialog.
void Operate(QWidget *d, const QStringList &steps)
{
    for (const QString &s : steps) {
        if (s == QLatin1String("Return"))
            QTest::keyClick(d, Qt::Key_Return);
        else if (s == QLatin1String("Escape"))
            QTest::keyClick(d, Qt::Key_Escape);
        else
            Click(Child<QAbstractButton>(d, s));
    }
}

}  // namespace

class TestLineKindDialog : public QObject {
    Q_OBJECT
    int m_applied = 0;
    int m_redraws = 0;
    LineKind m_seenOnApply;
    LineKind m_seenOnRedraw;

    void wire(LineKindDialog &d)
    {
        d.onApplied = [this] {
            ++m_applied;
            m_seenOnApply = InForce();
        };
        d.onRedraw = [this] {
            ++m_redraws;
            m_seenOnRedraw = InForce();
        };
    }

    static bool showAndWait(LineKindDialog &d)
    {
        d.show();
        return QTest::qWaitForWindowExposed(&d);
    }

    // The end groups as the working mode leaves them.
    static void verifyEndGroups(const LineKindDialog &d, bool segmentOn, bool halfOn)
    {
        const QGroupBox *seg = Group(&d, "gbxHeniki1");
        const QGroupBox *half = Group(&d, "gbxHeniki2");
        QCOMPARE(seg->isEnabled(), segmentOn);
        QCOMPARE(seg->title(), segmentOn ? QStringLiteral("線分の変域") : QString());
        QCOMPARE(half->isEnabled(), halfOn);
        QCOMPARE(half->title(), halfOn ? QStringLiteral("半直線の変域") : QString());
        // The mode and width groups are never switched off.
        QVERIFY(Group(&d, "gbxKind")->isEnabled());
        QVERIFY(Group(&d, "gbxWidth")->isEnabled());
        // A caption shown is shown whole.
        for (const char *name : {"gbxKind", "gbxWidth", "gbxHeniki1", "gbxHeniki2"}) {
            const QGroupBox *g = Group(&d, name);
            QVERIFY2(g->width() >= g->minimumSizeHint().width(), name);
        }
    }

    static void verifyChecked(const LineKindDialog &d, const LineKind &k)
    {
        QCOMPARE(CheckedIn(Group(&d, "gbxKind")), QStringLiteral("rbtLMode%1").arg(k.Mode));
        QCOMPARE(CheckedIn(Group(&d, "gbxWidth")), QStringLiteral("rbtLWidth%1").arg(k.Width));
        QCOMPARE(CheckedIn(Group(&d, "gbxHeniki1")), QStringLiteral("rbtSenHeniki%1").arg(k.SegmentEnds));
        QCOMPARE(CheckedIn(Group(&d, "gbxHeniki2")), QStringLiteral("rbtHanHeniki%1").arg(k.HalfLineEnds));
    }

private slots:
    void init()
    {
        TestSettings() = ViewSettings{};
        TestFolder() = AppFolder{};
        m_applied = 0;
        m_redraws = 0;
        m_seenOnApply = {};
        m_seenOnRedraw = {};
    }

    void showingTakesSettingsInForce_data()
    {
        QTest::addColumn<LineKind>("inForce");
        QTest::addColumn<bool>("segmentOn");
        QTest::addColumn<bool>("halfOn");
        QTest::newRow("全域") << LineKind{0, 1, 0, 0} << false << false;
        QTest::newRow("中央, ＜　≦, 2 dots") << LineKind{1, 2, 2, 0} << true << false;
        QTest::newRow("右側, ＜, 3 dots") << LineKind{2, 3, 3, 1} << false << true;
        QTest::newRow("左側, ≦") << LineKind{3, 1, 1, 0} << false << true;
    }

    void showingTakesSettingsInForce()
    {
        QFETCH(LineKind, inForce);
        QFETCH(bool, segmentOn);
        QFETCH(bool, halfOn);
        SetInForce(inForce);
        LineKindDialog d(TestSettings().Draw);
        QVERIFY(showAndWait(d));
        QCOMPARE(d.working(), inForce);
        // Even the buttons of a disabled group show the value in force.
        verifyChecked(d, inForce);
        verifyEndGroups(d, segmentOn, halfOn);
    }

    void modeClickEnablesEndGroups_data()
    {
        QTest::addColumn<int>("shownMode");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("segmentOn");
        QTest::addColumn<bool>("halfOn");
        QTest::newRow("全域") << 2 << "rbtLMode0" << 0 << false << false;
        QTest::newRow("中央") << 0 << "rbtLMode1" << 1 << true << false;
        QTest::newRow("右側") << 1 << "rbtLMode2" << 2 << false << true;
        QTest::newRow("左側") << 1 << "rbtLMode3" << 3 << false << true;
    }

    void modeClickEnablesEndGroups()
    {
        QFETCH(int, shownMode);
        QFETCH(QString, click);
        QFETCH(int, mode);
        QFETCH(bool, segmentOn);
        QFETCH(bool, halfOn);
        TestSettings().Draw.NextLineMode = static_cast<LineMode>(shownMode);
        LineKindDialog d(TestSettings().Draw);
        QVERIFY(showAndWait(d));
        Operate(&d, {click});
        QCOMPARE(d.working().Mode, mode);
        verifyEndGroups(d, segmentOn, halfOn);
        QCOMPARE(ToInt(TestSettings().Draw.NextLineMode), shownMode); // only OK applies
    }

    void okApplies_data()
    {
        QTest::addColumn<LineKind>("inForce");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("segmentOn");
        QTest::addColumn<bool>("halfOn");
        QTest::addColumn<LineKind>("applied");
        QTest::newRow("全域 drops the chosen ends")
            << LineKind{1, 1, 3, 0}
            << QStringList{"rbtSenHeniki1", "rbtLMode2", "rbtHanHeniki1", "rbtLMode0", "btnOK"} << false
            << false << LineKind{0, 1, 0, 0};
        QTest::newRow("全域 in force clears stale ends")
            << LineKind{0, 1, 2, 1} << QStringList{"rbtLWidth2", "btnOK"} << false << false
            << LineKind{0, 2, 0, 0};
        QTest::newRow("several mode changes keep the end choices")
            << LineKind{0, 2, 0, 0} << QStringList{"rbtLMode1", "rbtSenHeniki2", "rbtLMode3", "rbtHanHeniki1",
                                                   "rbtLMode0", "rbtLMode1",     "btnOK"}
            << true << false << LineKind{1, 2, 2, 1};
        QTest::newRow("右側 after 中央 keeps the segment ends")
            << LineKind{1, 1, 0, 0} << QStringList{"rbtSenHeniki3", "rbtLMode2", "btnOK"} << false << true
            << LineKind{2, 1, 3, 0};
        QTest::newRow("width and segment ends, Return")
            << LineKind{1, 1, 0, 0} << QStringList{"rbtLWidth3", "rbtSenHeniki3", "Return"} << true << false
            << LineKind{1, 3, 3, 0};
        QTest::newRow("disabled segment buttons ignore clicks")
            << LineKind{2, 1, 1, 0} << QStringList{"rbtSenHeniki3", "rbtHanHeniki1", "btnOK"} << false << true
            << LineKind{2, 1, 1, 1};
        QTest::newRow("nothing changed")
            << LineKind{3, 2, 0, 1} << QStringList{"Return"} << false << true << LineKind{3, 2, 0, 1};
    }

    void okApplies()
    {
        QFETCH(LineKind, inForce);
        QFETCH(QStringList, steps);
        QFETCH(bool, segmentOn);
        QFETCH(bool, halfOn);
        QFETCH(LineKind, applied);
        SetInForce(inForce);
        LineKindDialog d(TestSettings().Draw);
        wire(d);
        QVERIFY(showAndWait(d));
        const QString finish = steps.takeLast();
        Operate(&d, steps);
        verifyEndGroups(d, segmentOn, halfOn);
        QCOMPARE(InForce(), inForce);
        Operate(&d, {finish});
        QCOMPARE(InForce(), applied);
        QCOMPARE(m_applied, 1);
        QCOMPARE(m_seenOnApply, applied);  // the main window is told after the change
        QCOMPARE(m_redraws, 0);
        QVERIFY(!d.isVisible());
    }

    void cancelLeavesSettings_data()
    {
        QTest::addColumn<LineKind>("inForce");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("中央, ＜　≦, ｷｬﾝｾﾙ")
            << LineKind{0, 1, 0, 0} << QStringList{"rbtLMode1", "rbtSenHeniki2", "btnCancel"};
        QTest::newRow("everything changed, Escape")
            << LineKind{2, 2, 1, 1} << QStringList{"rbtLMode1", "rbtLWidth3",    "rbtSenHeniki3",
                                                   "rbtLMode3", "rbtHanHeniki0", "Escape"};
    }

    void cancelLeavesSettings()
    {
        QFETCH(LineKind, inForce);
        QFETCH(QStringList, steps);
        SetInForce(inForce);
        LineKindDialog d(TestSettings().Draw);
        wire(d);
        QVERIFY(showAndWait(d));
        Operate(&d, steps);
        QCOMPARE(InForce(), inForce);
        QCOMPARE(m_applied, 0);
        QVERIFY(!d.isVisible());
    }

    void testButtonRedrawsOnly_data()
    {
        QTest::addColumn<LineKind>("inForce");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<LineKind>("working");
        QTest::addColumn<int>("redraws");
        QTest::newRow("segment chosen")
            << LineKind{0, 1, 0, 0} << QStringList{"rbtLMode1", "rbtSenHeniki3", "rbtLWidth2", "btnTest"}
            << LineKind{1, 2, 3, 0} << 1;
        QTest::newRow("twice, 全域 chosen")
            << LineKind{2, 3, 2, 1} << QStringList{"btnTest", "rbtLMode0", "btnTest"} << LineKind{0, 3, 2, 1}
            << 2;
    }

    void testButtonRedrawsOnly()
    {
        QFETCH(LineKind, inForce);
        QFETCH(QStringList, steps);
        QFETCH(LineKind, working);
        QFETCH(int, redraws);
        SetInForce(inForce);
        LineKindDialog d(TestSettings().Draw);
        wire(d);
        QVERIFY(showAndWait(d));
        Operate(&d, steps);
        QCOMPARE(m_redraws, redraws);
        QCOMPARE(m_seenOnRedraw, inForce);
        QCOMPARE(InForce(), inForce);
        QCOMPARE(m_applied, 0);
        // The dialog stays open with the choices made so far.
        QVERIFY(d.isVisible());
        QCOMPARE(d.working(), working);
    }

    void reshowStartsFromSettingsInForce_data()
    {
        QTest::addColumn<LineKind>("first");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<LineKind>("second");
        QTest::addColumn<bool>("segmentOn");
        QTest::addColumn<bool>("halfOn");
        QTest::newRow("cancelled changes leave nothing")
            << LineKind{1, 1, 2, 0} << QStringList{"rbtLMode2", "rbtHanHeniki1", "rbtLWidth3", "btnCancel"}
            << LineKind{1, 1, 2, 0} << true << false;
        QTest::newRow("same mode, cancelled end choice")
            << LineKind{2, 1, 0, 0} << QStringList{"rbtHanHeniki1", "Escape"} << LineKind{2, 1, 0, 0} << false
            << true;
        QTest::newRow("settings changed while hidden")
            << LineKind{0, 1, 0, 0} << QStringList{"rbtLMode1", "btnCancel"} << LineKind{3, 2, 0, 1} << false
            << true;
    }

    void reshowStartsFromSettingsInForce()
    {
        QFETCH(LineKind, first);
        QFETCH(QStringList, steps);
        QFETCH(LineKind, second);
        QFETCH(bool, segmentOn);
        QFETCH(bool, halfOn);
        SetInForce(first);
        LineKindDialog d(TestSettings().Draw);
        QVERIFY(showAndWait(d));
        Operate(&d, steps);
        QVERIFY(!d.isVisible());
        QCOMPARE(InForce(), first);
        SetInForce(second);  // the tool bar may change them while the dialog is hidden
        QVERIFY(showAndWait(d));
        QCOMPARE(d.working(), second);
        verifyChecked(d, second);
        verifyEndGroups(d, segmentOn, halfOn);
    }

    void placedAtScreenTopLeft()
    {
        LineKindDialog d(TestSettings().Draw);
        d.move(240, 160);
        QVERIFY(showAndWait(d));
        const QPoint corner = d.screen()->geometry().topLeft();
        QCOMPARE(d.pos(), corner);
        // Moved away by the user and shown again: back in the corner.
        d.hide();
        d.move(120, 90);
        QVERIFY(showAndWait(d));
        QCOMPARE(d.pos(), corner);
        QVERIFY(d.windowFlags().testFlag(Qt::Tool));
        QVERIFY(!d.isModal());
    }

    void formStaysPutWhenCaptionsGo()
    {
        LineKindDialog d(TestSettings().Draw);
        QVERIFY(showAndWait(d));
        const QSize size = d.size();
        QCOMPARE(d.minimumSize(), d.maximumSize());
        // Every group and every radio button, in the dialog's coordinates.
        const auto places = [&d] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QList<QRect> r;
            for (const char *g : {"gbxKind", "gbxWidth", "gbxHeniki1", "gbxHeniki2"})
                r << Group(&d, g)->geometry();
            for (const QRadioButton *b : d.findChildren<QRadioButton *>())
                r << QRect(b->mapTo(&d, QPoint()), b->size());
            return r;
        };
        Operate(&d, {"rbtLMode1"});
        const QList<QRect> segment = places();
        Operate(&d, {"rbtLMode2"});
        QCOMPARE(places(), segment);
        Operate(&d, {"rbtLMode0"});
        QCOMPARE(places(), segment);
        QCOMPARE(d.size(), size);
        // Side by side, in order, in one row of equal boxes, with the buttons
        // underneath.
        for (int i = 1; i < 4; ++i) {
            QVERIFY(segment[i].left() >= segment[i - 1].right());
            QCOMPARE(segment[i].top(), segment[0].top());
            QCOMPARE(segment[i].height(), segment[0].height());
        }
        const QWidget *ok = Child<QPushButton>(&d, QStringLiteral("btnOK"));
        QVERIFY(ok->geometry().top() > segment[0].bottom());
        QVERIFY(Child<QPushButton>(&d, QStringLiteral("btnOK"))->isDefault());
        // 全域, 中央, 右側, 左側 from top to bottom.
        int previousTop = -1;
        for (int m = 0; m < 4; ++m) {
            const int top = Child<QRadioButton>(&d, QStringLiteral("rbtLMode%1").arg(m))->geometry().top();
            QVERIFY(top > previousTop);
            previousTop = top;
        }
    }
};

QTEST_MAIN(TestLineKindDialog)
#include "tst_linekinddialog.moc"
