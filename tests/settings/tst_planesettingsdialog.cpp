#include "plane/PlaneDrawing.h"
#include "settings/PlaneSettingsDialog.h"
#include "settings/SettingsStore.h"
#include "support/ScriptedPrompt.h"
#include "support/TestSettings.h"

#include "support/Children.h"
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>

#include <QtTest>
#include <memory>

namespace {

const QString ScaleRangeMessage = QStringLiteral("値の範囲は4以上32以下です");

QLineEdit *Edit(const QObject *d, const char *name)
{
    return Child<QLineEdit>(d, QLatin1String(name));
}
QSpinBox *Spin(const QObject *d, const char *name)
{
    return Child<QSpinBox>(d, QLatin1String(name));
}
QCheckBox *Check(const QObject *d, const char *name)
{
    return Child<QCheckBox>(d, QLatin1String(name));
}

QByteArray FileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The kind a stored value has: "text", "int", or "" when it is missing.
QString KindOf(const SettingsStore &store, const QString &name)
{
    if (!store.HasSetting(name))
        return {};
    try {
        store.ReadTextSetting(name, QString());
        return QStringLiteral("text");
    } catch (const UserError &) {
        store.ReadIntSetting(name, 0);
        return QStringLiteral("int");
    }
}

}  // namespace

class TestPlaneSettingsDialog : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_path;
    int m_run = 0;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    int m_redraws = 0;

    // The holder loaded as at start, and the dialog created on first need.
    std::unique_ptr<PlaneSettingsDialog> open(PlaneSettings &holder)
    {
        LoadHeldPlaneSettings(store(), holder, TestSettings().PlaneDefaultSize);
        return create(holder);
    }
    std::unique_ptr<PlaneSettingsDialog> create(PlaneSettings &holder)
    {
        auto d = std::make_unique<PlaneSettingsDialog>(SettingsStore(m_path), holder,
                                                       TestSettings().PlaneDefaultSize);
        d->onRedraw = [this] { ++m_redraws; };
        return d;
    }
    // The dialog of the main plane, shown as the menu shows it.
    std::unique_ptr<PlaneSettingsDialog> shown()
    {
        auto d = open(TestSettings().MainPlane);
        d->show();
        m_prompt->clear();
        m_redraws = 0;
        return d;
    }
    SettingsStore store() const { return SettingsStore(m_path); }

private slots:
    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("store-%1.ini").arg(++m_run));
        TestSettings() = ViewSettings{};
        TestFolder() = AppFolder{};
        m_prompt = std::make_unique<ScriptedPrompt>();
        m_redraws = 0;
    }
    void cleanup() { m_prompt.reset(); }

    void presetButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("tests");
        auto row = [](const char *b, const char *caption, const char *field, const char *text, bool tests) {
            QTest::newRow(b) << QString::fromLatin1(b) << QString::fromUtf8(caption) << QString::fromLatin1(field)
                             << QString::fromLatin1(text) << tests;
        };
        row("BitBtn1", "無", "edtSizeX", "-99", true);
        row("btnMaxX", "384", "edtSizeX", "384", true);
        row("btnDaiX", "320", "edtSizeX", "320", true);
        row("btnChuX", "256", "edtSizeX", "256", true);
        row("btnShouX", "160", "edtSizeX", "160", true);
        row("btnScaleYN", "無", "edtSizeY", "-99", true);
        row("btnMaxY", "384", "edtSizeY", "384", true);
        row("btnDaiY", "320", "edtSizeY", "320", true);
        row("btnChuY", "256", "edtSizeY", "256", true);
        row("btnShouY", "160", "edtSizeY", "160", true);
        row("btnSCL", "16", "edtDX", "16", true);
        row("btnSCM", "8", "edtDX", "8", true);
        row("btnSCS", "4", "edtDX", "4", true);
        row("btnSYL", "16", "edtDY", "16", true);
        row("btnSYM", "8", "edtDY", "8", true);
        row("btnSYS", "4", "edtDY", "4", true);
        row("btnStartXn", "無", "edtStartX", "-99", true);
        row("btnStartXm2", "-2", "edtStartX", "-2", true);
        row("btnStartYn", "無", "edtStartY", "-99", true);
        row("btnStartYm2", "-2", "edtStartY", "-2", true);
        row("btnEndXNo", "無", "edtEndX", "99", false);
        row("btnEndYno", "無", "edtEndY", "99", false);
    }
    void presetButtons()
    {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, tests);
        auto d = shown();
        QLineEdit *e = Child<QLineEdit>(d.get(), field);
        e->setText(QStringLiteral("12"));  // differs from every preset text
        m_redraws = 0;
        auto *b = Child<QPushButton>(d.get(), button);
        QCOMPARE(b->text(), caption);
        b->click();
        QCOMPARE(e->text(), text);
        QCOMPARE(m_redraws, tests ? 1 : 0);
        QCOMPARE(m_prompt->texts(), QStringList());
        // The holder follows the field.
        const PlaneSettings &s = TestSettings().MainPlane;
        const QString held = field == u"edtSizeX"    ? s.SizeX
                             : field == u"edtSizeY"  ? s.SizeY
                             : field == u"edtDX"     ? s.DX
                             : field == u"edtDY"     ? s.DY
                             : field == u"edtStartX" ? s.StartX
                             : field == u"edtStartY" ? s.StartY
                             : field == u"edtEndX"   ? s.EndX
                                                     : s.EndY;
        QCOMPARE(held, text);
    }

    void defaultsOfAnEmptyStore_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::newRow("x numbering") << "spnScaleNumberX" << 0 << 20 << 5;
        QTest::newRow("y numbering") << "spnScaleNumberY" << 0 << 20 << 5;
        QTest::newRow("font size") << "spnFontSize" << 8 << 20 << 12;
        QTest::newRow("margin") << "spnYohaku" << 0 << 5 << 1;
    }
    void defaultsOfAnEmptyStore()
    {
        QFETCH(QString, name);
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, value);
        auto d = shown();
        auto *s = Child<QSpinBox>(d.get(), name);
        QCOMPARE(s->minimum(), min);
        QCOMPARE(s->maximum(), max);
        QCOMPARE(s->value(), value);
        QCOMPARE(TestSettings().MainPlane, PlaneSettings{});
        QCOMPARE(Edit(d.get(), "edtSizeX")->text(), QStringLiteral("-99"));
        QCOMPARE(Edit(d.get(), "edtDY")->text(), QStringLiteral("16"));
        QCOMPARE(Edit(d.get(), "edtEndY")->text(), QStringLiteral("99"));
        QVERIFY(!Check(d.get(), "chkKeep")->isChecked());
        // The margin is kept but not offered.
        QVERIFY(Spin(d.get(), "spnYohaku")->isHidden());
        QVERIFY(Child<QLabel>(d.get(), QStringLiteral("lblYohaku"))->isHidden());
        QVERIFY(Spin(d.get(), "spnFontSize")->isVisible());
    }

    void storedSpinValueOutOfRangeIsClamped()
    {
        store().WriteIntSetting(QStringLiteral("ScaleNumberX"), 30);
        store().WriteIntSetting(QStringLiteral("FontSize"), 4);
        auto d = shown();
        QCOMPARE(Spin(d.get(), "spnScaleNumberX")->value(), 20);
        QCOMPARE(TestSettings().MainPlane.ScaleNumberX, 20);
        QCOMPARE(TestSettings().MainPlane.FontSize, 8);
    }

    // Loaded at start-up, the holder has the stored values (clamped as the
    // fields would show them) before the dialog exists; the dialog, created
    // on first need, starts from the holder as it is then.
    void holderIsReadyBeforeTheDialogExists()
    {
        store().WriteIntSetting(QStringLiteral("ScaleNumberY"), -3);
        store().WriteIntSetting(QStringLiteral("Yohaku"), 9);
        store().WriteTextSetting(QStringLiteral("ScaleY"), QStringLiteral("-8"));
        store().WriteTextSetting(QStringLiteral("StartX"), QStringLiteral("-4"));
        LoadHeldPlaneSettings(store(), TestSettings().MainPlane, TestSettings().PlaneDefaultSize);
        const PlaneSettings &s = TestSettings().MainPlane;
        QCOMPARE(s.ScaleNumberY, 0);
        QCOMPARE(s.Margin, 5);
        QCOMPARE(s.ScaleY, 8);
        QCOMPARE(s.StartX, QStringLiteral("-4"));

        // Program start-up repaints from the holder; a later edit of it
        // (another window's) is what the dialog presents.
        TestSettings().MainPlane.EndX = QStringLiteral("7");
        store().WriteTextSetting(QStringLiteral("EndX"), QStringLiteral("x"));
        m_prompt->clear();
        auto d = create(TestSettings().MainPlane);
        QCOMPARE(d->shownValues().StartX, QStringLiteral("-4"));
        QCOMPARE(d->shownValues().ScaleNumberY, 0);
        QCOMPARE(d->shownValues().EndX, QStringLiteral("7"));
        QVERIFY(m_prompt->texts().isEmpty());  // the store is not read again
        d->show();
        auto *startX = d->findChild<QLineEdit *>(QStringLiteral("edtStartX"));
        QVERIFY(startX && startX->isVisible());
        QCOMPARE(startX->text(), QStringLiteral("-4"));
        QCOMPARE(Edit(d.get(), "edtEndX")->text(), QStringLiteral("7"));
        QCOMPARE(Spin(d.get(), "spnScaleNumberY")->value(), 0);
        Edit(d.get(), "edtStartX")->setText(QStringLiteral("-2"));
        QCOMPARE(d->editing().StartX, QStringLiteral("-2"));
        QCOMPARE(TestSettings().MainPlane.StartX, QStringLiteral("-4")); // the plane takes it at the test
        Edit(d.get(), "edtDY")->setText(QStringLiteral("8"));
        QVERIFY(d->testClicked());
        QCOMPARE(TestSettings().MainPlane.StartX, QStringLiteral("-2"));
        d->cancelClicked();
        QCOMPARE(TestSettings().MainPlane.StartX, QStringLiteral("-4"));
    }

    void noneSizePassesWhateverTheLargestSize_data()
    {
        QTest::addColumn<int>("largest");
        QTest::newRow("768 screen") << 544;
        QTest::newRow("320") << 320;
        QTest::newRow("exactly 160") << 160;
        QTest::newRow("smaller than 160") << 96;
    }
    void noneSizePassesWhateverTheLargestSize()
    {
        QFETCH(int, largest);
        TestSettings().PlaneDefaultSize = largest;
        store().WriteTextSetting(QStringLiteral("SizeX"), QStringLiteral("160"));
        auto d = shown();
        QCOMPARE(d->largestPlaneSize(), largest);
        Child<QPushButton>(d.get(), QStringLiteral("BitBtn1"))->click();
        Child<QPushButton>(d.get(), QStringLiteral("btnScaleYN"))->click();
        QCOMPARE(m_prompt->texts(), QStringList());
        QCOMPARE(m_redraws, 2);
        QCOMPARE(Edit(d.get(), "edtSizeX")->text(), QStringLiteral("-99"));
        QCOMPARE(PlaneSizeX(TestSettings()), largest);
        QCOMPARE(PlaneSizeY(TestSettings()), largest);
    }

    void sizeOutOfRange_data()
    {
        QTest::addColumn<int>("largest");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("width 384 on a 320 screen")
            << 320 << "edtSizeX" << "384" << QStringLiteral("値の範囲は160以上320以下です");
        QTest::newRow("height 384 on a 320 screen")
            << 320 << "edtSizeY" << "384" << QStringLiteral("値の範囲は160以上320以下です");
        QTest::newRow("width below 160") << 544 << "edtSizeX" << "159" << QStringLiteral("値の範囲は160以上544以下です");
        QTest::newRow("height one above") << 544 << "edtSizeY" << "545" << QStringLiteral("値の範囲は160以上544以下です");
        QTest::newRow("not an integer") << 544 << "edtSizeX" << "3a" << QStringLiteral("'3a' は整数ではありません");
    }
    void sizeOutOfRange()
    {
        QFETCH(int, largest);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        TestSettings().PlaneDefaultSize = largest;
        store().WriteTextSetting(QStringLiteral("SizeX"), QStringLiteral("256"));
        store().WriteTextSetting(QStringLiteral("SizeY"), QStringLiteral("160"));
        auto d = shown();
        Edit(d.get(), "edtSizeX")->setText(QStringLiteral("200"));
        Edit(d.get(), "edtSizeY")->setText(QStringLiteral("200"));
        Edit(d.get(), "edtDX")->setText(QStringLiteral("2"));  // the scales are not examined
        Child<QLineEdit>(d.get(), field)->setText(text);

        QVERIFY(!d->testClicked());
        QCOMPARE(m_prompt->texts(), QStringList{message});
        QCOMPARE(m_redraws, 0);
        const bool converted = !message.contains(u'\'');
        // A size that could not be read stops the test before anything is put back.
        QCOMPARE(Edit(d.get(), "edtSizeX")->text(), converted ? QStringLiteral("256") : text);
        if (converted) {
            QCOMPARE(Edit(d.get(), "edtSizeY")->text(), QStringLiteral("160"));
            QCOMPARE(TestSettings().MainPlane.SizeX, QStringLiteral("256"));
            QCOMPARE(TestSettings().MainPlane.SizeY, QStringLiteral("160"));
        }
    }

    void sizesInRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("smallest") << "160";
        QTest::newRow("largest") << "544";
        QTest::newRow("zero") << "0";
        QTest::newRow("empty") << "";
    }
    void sizesInRange()
    {
        QFETCH(QString, text);
        auto d = shown();
        Edit(d.get(), "edtSizeX")->setText(text);
        Edit(d.get(), "edtSizeY")->setText(text);
        QVERIFY(d->testClicked());
        QCOMPARE(m_redraws, 1);
        QCOMPARE(m_prompt->texts(), QStringList());
        QVERIFY(!d->settingsChanged());
    }

    void scaleFieldText_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("scale");
        QTest::addColumn<QStringList>("onChange");
        QTest::addColumn<QStringList>("onTest");
        QTest::addColumn<int>("drawnScale");
        const QStringList none;
        const QStringList range{ScaleRangeMessage};
        const QStringList abc{QStringLiteral("'abc' は整数ではありません")};
        // Only a scale the test accepts reaches the plane; it keeps 16 otherwise.
        QTest::newRow("in range") << "edtDX" << "16" << "8" << 8 << none << none << 8;
        QTest::newRow("negative") << "edtDY" << "16" << "-8" << 8 << none << range << 16;
        QTest::newRow("below 4") << "edtDX" << "16" << "2" << 2 << none << range << 16;
        QTest::newRow("above 32") << "edtDY" << "16" << "40" << 40 << none << range << 16;
        QTest::newRow("not an integer") << "edtDX" << "8" << "abc" << 8 << abc << abc << 16;
        QTest::newRow("empty") << "edtDY" << "8" << "" << 0 << none << range << 16;
        QTest::newRow("zero") << "edtDX" << "8" << "0" << 0 << none << range << 16;
    }
    void scaleFieldText()
    {
        QFETCH(QString, field);
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(int, scale);
        QFETCH(QStringList, onChange);
        QFETCH(QStringList, onTest);
        QFETCH(int, drawnScale);
        auto d = shown();
        const bool x = field == u"edtDX";
        QLineEdit *e = Child<QLineEdit>(d.get(), field);
        e->setText(before);
        m_prompt->clear();
        e->setText(text);
        const PlaneSettings &s = d->editing();
        QCOMPARE(x ? s.ScaleX : s.ScaleY, scale);
        QCOMPARE(x ? s.DX : s.DY, text);
        QCOMPARE(m_prompt->texts(), onChange);

        m_prompt->clear();
        Child<QPushButton>(d.get(), QStringLiteral("btnTest"))->click();
        QCOMPARE(m_prompt->texts(), onTest);
        QCOMPARE(m_redraws, onTest.isEmpty() ? 1 : 0);
        QCOMPARE(x ? s.ScaleX : s.ScaleY, scale);  // the field keeps what was typed

        const PlaneSettings &held = TestSettings().MainPlane;
        QCOMPARE(x ? held.ScaleX : held.ScaleY, drawnScale);
        QCOMPARE(x ? held.DX : held.DY, QString::number(drawnScale));
        const PlaneGeometry g = ComputePlaneGeometry(544, 544, held, PlaneGeometry{});
        QCOMPARE(x ? g.ScaleX : g.ScaleY, drawnScale);
    }

    void typingTwoIntoTheXScale()
    {
        auto d = shown();
        QLineEdit *e = Edit(d.get(), "edtDX");
        e->selectAll();
        QTest::keyClicks(e, QStringLiteral("2"));
        QCOMPARE(e->text(), QStringLiteral("2"));
        QTest::mouseClick(Child<QPushButton>(d.get(), QStringLiteral("btnTest")), Qt::LeftButton);
        QCOMPARE(m_prompt->texts(), QStringList{ScaleRangeMessage});
        QCOMPARE(m_redraws, 0);
        // The plane keeps 16 pixels per unit; the field still shows 2.
        QCOMPARE(TestSettings().MainPlane.ScaleX, 16);
        QCOMPARE(ComputePlaneGeometry(544, 544, TestSettings().MainPlane, PlaneGeometry{}).ScaleX, 16);
        QCOMPARE(d->editing().ScaleX, 2);
        QVERIFY(d->settingsChanged());
    }

    // A value the dialog refuses never reaches the plane: not while it is
    // typed, not after the test, OK or Cancel. The plane keeps the last
    // values that passed.
    void refusedValueNeverReachesThePlane_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("messages");
        const QStringList size{QStringLiteral("値の範囲は160以上544以下です")};
        const QStringList abc{QStringLiteral("'abc' は整数ではありません")};
        QTest::newRow("scale 2, cancel") << "edtDX" << "2" << "btnCancel" << QStringList{ScaleRangeMessage};
        QTest::newRow("scale 2, OK") << "edtDY" << "2" << "btnOk" << QStringList{ScaleRangeMessage};
        QTest::newRow("scale 2, test") << "edtDX" << "2" << "btnTest" << QStringList{ScaleRangeMessage};
        QTest::newRow("size 600, cancel") << "edtSizeX" << "600" << "btnCancel" << QStringList();
        QTest::newRow("size 600, test") << "edtSizeY" << "600" << "btnTest" << size;
        QTest::newRow("size 600, OK") << "edtSizeX" << "600" << "btnOk" << size;
        QTest::newRow("start not an integer, test") << "edtStartX" << "abc" << "btnTest" << abc;
        QTest::newRow("end not an integer, OK") << "edtEndY" << "abc" << "btnOk" << QStringList();
    }
    void refusedValueNeverReachesThePlane()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(QStringList, messages);
        store().WriteTextSetting(QStringLiteral("ScaleY"), QStringLiteral("8"));
        auto d = shown();
        // Changes that passed the test before are the last valid state.
        Edit(d.get(), "edtEndX")->setText(QStringLiteral("7"));
        Edit(d.get(), "edtSizeY")->setText(QStringLiteral("320"));
        QVERIFY(d->testClicked());
        const PlaneSettings valid = TestSettings().MainPlane;
        m_redraws = 0;

        Child<QLineEdit>(d.get(), field)->setText(text);
        QCOMPARE(TestSettings().MainPlane, valid);
        Child<QPushButton>(d.get(), button)->click();
        QCOMPARE(m_prompt->texts(), messages);
        PlaneSettings expected = valid;
        if (button == u"btnCancel") {
            // The values shown on opening.
            expected.EndX = QStringLiteral("99");
            expected.SizeY = QStringLiteral("-99");
        } else if (field.startsWith(u"edtSize") && button == u"btnOk") {
            // The failed test put the shown sizes back, and OK takes what
            // the dialog shows.
            expected.SizeY = QStringLiteral("-99");
        }
        QCOMPARE(TestSettings().MainPlane, expected);
    }

    void cancelKeepsTheScaleAndRestoresTheRest_data()
    {
        QTest::addColumn<QString>("scale");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("valid scale") << "8" << QStringList();
        QTest::newRow("scale out of range") << "2" << QStringList{ScaleRangeMessage};
    }
    void cancelKeepsTheScaleAndRestoresTheRest()
    {
        QFETCH(QString, scale);
        QFETCH(QStringList, messages);
        store().WriteTextSetting(QStringLiteral("SizeX"), QStringLiteral("320"));
        store().WriteTextSetting(QStringLiteral("StartY"), QStringLiteral("-2"));
        store().WriteIntSetting(QStringLiteral("ScaleNumberY"), 2);
        auto d = shown();
        const PlaneSettings atShow = TestSettings().MainPlane;
        PlaneSettingsDialog *w = d.get();
        Edit(w, "edtDX")->setText(scale);
        Edit(w, "edtDY")->setText(scale);
        Edit(w, "edtSizeX")->setText(QStringLiteral("256"));
        Edit(w, "edtSizeY")->setText(QStringLiteral("160"));
        Edit(w, "edtStartX")->setText(QStringLiteral("3"));
        Edit(w, "edtStartY")->setText(QStringLiteral("-99"));
        Edit(w, "edtEndX")->setText(QStringLiteral("4"));
        Edit(w, "edtEndY")->setText(QStringLiteral("5"));
        Spin(w, "spnScaleNumberX")->setValue(1);
        Spin(w, "spnScaleNumberY")->setValue(0);
        Spin(w, "spnFontSize")->setValue(20);
        Spin(w, "spnYohaku")->setValue(4);
        Check(w, "chkXY")->setChecked(false);
        Check(w, "chkMemori")->setChecked(false);
        Check(w, "chkZahyou")->setChecked(false);
        QCOMPARE(m_redraws, 0);

        Child<QPushButton>(w, QStringLiteral("btnCancel"))->click();
        QVERIFY(w->isHidden());
        QCOMPARE(m_prompt->texts(), messages);
        QCOMPARE(m_redraws, messages.isEmpty() ? 1 : 0);
        PlaneSettings expected = atShow;
        if (messages.isEmpty()) {  // a refused scale does not reach the plane
            expected.DX = expected.DY = scale;
            expected.ScaleX = expected.ScaleY = scale.toInt();
        }
        QCOMPARE(TestSettings().MainPlane, expected);
        QCOMPARE(Edit(w, "edtSizeX")->text(), QStringLiteral("320"));
        QCOMPARE(Edit(w, "edtStartY")->text(), QStringLiteral("-2"));
        QCOMPARE(Spin(w, "spnScaleNumberY")->value(), 2);
        QVERIFY(Check(w, "chkZahyou")->isChecked());
        QCOMPARE(Edit(w, "edtDX")->text(), scale);
    }

    void escapeCancels()
    {
        auto d = shown();
        Edit(d.get(), "edtEndX")->setText(QStringLiteral("7"));
        QTest::keyClick(d.get(), Qt::Key_Escape);
        QVERIFY(d->isHidden());
        QCOMPARE(TestSettings().MainPlane.EndX, QStringLiteral("99"));
        QCOMPARE(m_redraws, 1);
    }

    void settingsChangedBy_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("marks");
        for (const char *n : {"edtSizeX", "edtSizeY", "edtDX", "edtDY", "spnScaleNumberX", "spnScaleNumberY",
                              "spnFontSize", "spnYohaku"})
            QTest::newRow(n) << QString::fromLatin1(n) << true;
        for (const char *n :
             {"edtStartX", "edtStartY", "edtEndX", "edtEndY", "chkXY", "chkMemori", "chkZahyou", "chkKeep"})
            QTest::newRow(n) << QString::fromLatin1(n) << false;
    }
    void settingsChangedBy()
    {
        QFETCH(QString, control);
        QFETCH(bool, marks);
        auto d = shown();
        QVERIFY(!d->settingsChanged());
        QWidget *c = Child<QWidget>(d.get(), control);
        if (auto *e = qobject_cast<QLineEdit *>(c))
            e->setText(QStringLiteral("17"));
        else if (auto *s = qobject_cast<QSpinBox *>(c))
            s->setValue(s->value() + 1);
        else if (auto *k = qobject_cast<QCheckBox *>(c))
            k->setChecked(!k->isChecked());
        QCOMPARE(d->settingsChanged(), marks);
        QCOMPARE(m_redraws, 0);
    }

    void settingsChangedIsClearedByShowAndPassingTest()
    {
        auto d = shown();
        Edit(d.get(), "edtSizeX")->setText(QStringLiteral("256"));
        d->hide();
        QVERIFY(d->settingsChanged());
        d->show();
        QVERIFY(!d->settingsChanged());

        Edit(d.get(), "edtDY")->setText(QStringLiteral("40"));
        QVERIFY(!d->testClicked());
        QVERIFY(d->settingsChanged());
        Edit(d.get(), "edtDY")->setText(QStringLiteral("32"));
        QVERIFY(d->testClicked());
        QVERIFY(!d->settingsChanged());
    }

    void okTestsOnlyWhenSettingsChanged_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("redraws");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("nothing changed") << "" << "" << 0 << QStringList();
        QTest::newRow("start changed") << "edtStartX" << "3" << 0 << QStringList();
        QTest::newRow("end changed to junk") << "edtEndY" << "x" << 0 << QStringList();
        QTest::newRow("size changed") << "edtSizeX" << "256" << 1 << QStringList();
        QTest::newRow("numbering changed") << "spnScaleNumberX" << "2" << 1 << QStringList();
        QTest::newRow("size out of range")
            << "edtSizeY" << "1000" << 0 << QStringList{QStringLiteral("値の範囲は160以上544以下です")};
        QTest::newRow("scale out of range") << "edtDX" << "2" << 0 << QStringList{ScaleRangeMessage};
    }
    void okTestsOnlyWhenSettingsChanged()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, redraws);
        QFETCH(QStringList, messages);
        auto d = shown();
        if (auto *e = d->findChild<QLineEdit *>(field))
            e->setText(text);
        else if (auto *s = d->findChild<QSpinBox *>(field))
            s->setValue(text.toInt());
        Child<QPushButton>(d.get(), QStringLiteral("btnOk"))->click();
        QCOMPARE(m_redraws, redraws);
        QCOMPARE(m_prompt->texts(), messages);
        QVERIFY(d->isHidden());  // closes also after a failed test
        QVERIFY(!d->settingsChanged());
        QVERIFY(!store().HasSetting(QStringLiteral("chkXY")));  // keepSwitch is off
    }

    void okWithoutKeepWritesNothing()
    {
        auto d = shown();
        const QByteArray before = FileBytes(m_path);
        Edit(d.get(), "edtSizeX")->setText(QStringLiteral("256"));
        d->okClicked();
        QCOMPARE(FileBytes(m_path), before);
    }

    void okWithKeepSavesTheStartValuesOfTheNextRun()
    {
        {
            auto d = shown();
            PlaneSettingsDialog *w = d.get();
            Edit(w, "edtSizeX")->setText(QStringLiteral("320"));
            Edit(w, "edtSizeY")->setText(QStringLiteral("256"));
            Edit(w, "edtDX")->setText(QStringLiteral("8"));
            Edit(w, "edtDY")->setText(QStringLiteral("2"));  // fails the test, saved as it stands
            Edit(w, "edtStartX")->setText(QStringLiteral("-2"));
            Edit(w, "edtStartY")->setText(QStringLiteral("-3"));
            Edit(w, "edtEndX")->setText(QStringLiteral("4"));
            Edit(w, "edtEndY")->setText(QStringLiteral("x"));
            Spin(w, "spnScaleNumberX")->setValue(1);
            Spin(w, "spnScaleNumberY")->setValue(0);
            Spin(w, "spnFontSize")->setValue(16);
            Spin(w, "spnYohaku")->setValue(3);
            Check(w, "chkXY")->setChecked(false);
            Check(w, "chkMemori")->setChecked(false);
            Check(w, "chkZahyou")->setChecked(false);
            Check(w, "chkKeep")->setChecked(true);
            Child<QPushButton>(w, QStringLiteral("btnOk"))->click();
            QCOMPARE(m_prompt->texts(), QStringList{ScaleRangeMessage});
            QVERIFY(w->isHidden());
        }

        const SettingsStore st = store();
        const QList<std::pair<const char *, const char *>> kinds{
            {"ScaleX", "text"}, {"ScaleY", "text"},       {"chkXY", "int"},  {"chkMemori", "int"},
            {"ScaleNumberX", "int"}, {"ScaleNumberY", "int"}, {"SizeX", "text"}, {"SizeY", "text"},
            {"StartX", "text"}, {"StartY", "text"},       {"EndX", "text"},  {"EndY", "text"},
            {"FontSize", "int"}, {"Yohaku", "int"},       {"chkZahyou", ""}};
        for (const auto &[name, kind] : kinds)
            QCOMPARE(KindOf(st, QLatin1String(name)), QLatin1String(kind));
        QCOMPARE(st.ReadTextSetting(QStringLiteral("ScaleY"), QString()), QStringLiteral("2"));
        QCOMPARE(st.ReadIntSetting(QStringLiteral("chkXY"), 7), 0);
        QCOMPARE(st.ReadIntSetting(QStringLiteral("chkMemori"), 7), 0);

        // A second program instance: a fresh dialog and practice plane on the same store.
        TestSettings() = ViewSettings{};
        TestFolder() = AppFolder{};
        auto main = open(TestSettings().MainPlane);
        LoadHeldPlaneSettings(st, TestSettings().PracticePlane, TestSettings().PlaneDefaultSize);
        PlaneSettings expected;
        expected.SizeX = QStringLiteral("320");
        expected.SizeY = QStringLiteral("256");
        expected.DX = QStringLiteral("8");
        expected.DY = QStringLiteral("4");  // 2 comes in as the smallest scale
        expected.ScaleX = 8;
        expected.ScaleY = 4;
        expected.StartX = QStringLiteral("-2");
        expected.StartY = QStringLiteral("-3");
        expected.EndX = QStringLiteral("4");
        expected.EndY = QStringLiteral("99");  // not an integer: the default, told once
        expected.ScaleNumberX = 1;
        expected.ScaleNumberY = 0;
        expected.FontSize = 16;
        expected.Margin = 3;
        QCOMPARE(TestSettings().MainPlane, expected); // the switches start on
        QCOMPARE(TestSettings().PracticePlane, expected);
        QCOMPARE(Edit(main.get(), "edtEndY")->text(), QStringLiteral("99"));
        QVERIFY(Check(main.get(), "chkMemori")->isChecked());
        QCOMPARE(m_prompt->texts(), (QStringList{ScaleRangeMessage, QStringLiteral("'x' は整数ではありません")}));
    }

    void refusedWriteOnOkIsShownAndKeepsTheDialogOpen()
    {
        auto d = shown();
        // The store's file turns into a folder: every write is refused.
        QVERIFY(QFile::remove(m_path));
        QVERIFY(QDir().mkpath(m_path));
        Check(d.get(), "chkKeep")->setChecked(true);
        d->okClicked();
        QCOMPARE(m_prompt->texts(), QStringList{QStringLiteral("'ScaleX' の設定に失敗しました")});
        QVERIFY(d->isVisible());
        Check(d.get(), "chkKeep")->setChecked(false);
        d->okClicked();
        QVERIFY(d->isHidden());
    }

    void practiceHolderIsUntouched()
    {
        store().WriteTextSetting(QStringLiteral("SizeX"), QStringLiteral("256"));
        PlaneSettingsDialog main(store(), TestSettings().MainPlane, TestSettings().PlaneDefaultSize);
        LoadHeldPlaneSettings(store(), TestSettings().PracticePlane, TestSettings().PlaneDefaultSize);
        main.onRedraw = [this] { ++m_redraws; };
        const PlaneSettings before = TestSettings().PracticePlane;
        QCOMPARE(before.SizeX, QStringLiteral("256"));

        main.show();
        Edit(&main, "edtSizeX")->setText(QStringLiteral("320"));
        Edit(&main, "edtDX")->setText(QStringLiteral("4"));
        Edit(&main, "edtStartX")->setText(QStringLiteral("-2"));
        Spin(&main, "spnFontSize")->setValue(9);
        Check(&main, "chkZahyou")->click();
        Check(&main, "chkKeep")->setChecked(true);
        main.okClicked();

        QCOMPARE(m_redraws, 1);
        QCOMPARE(TestSettings().MainPlane.ScaleX, 4);
        QVERIFY(!TestSettings().MainPlane.ShowCoordinates);
        QCOMPARE(TestSettings().PracticePlane, before);
    }

    void switchClickRunsTheTest_data()
    {
        QTest::addColumn<QString>("control");
        QTest::newRow("chkXY") << "chkXY";
        QTest::newRow("chkMemori") << "chkMemori";
        QTest::newRow("chkZahyou") << "chkZahyou";
    }
    void switchClickRunsTheTest()
    {
        QFETCH(QString, control);
        auto d = shown();
        auto *c = Child<QCheckBox>(d.get(), control);
        QVERIFY(c->isChecked());
        QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(4, c->height() / 2));
        QVERIFY(!c->isChecked());
        QCOMPARE(m_redraws, 1);
        const PlaneSettings &s = TestSettings().MainPlane;
        auto switchValue = [&] {
            return control == u"chkXY"       ? s.ShowAxisNames
                   : control == u"chkMemori" ? s.ShowTickNumbers
                                             : s.ShowCoordinates;
        };
        QVERIFY(!switchValue());

        Edit(d.get(), "edtDY")->setText(QStringLiteral("33"));
        c->click();
        QCOMPARE(m_redraws, 1);
        QCOMPARE(m_prompt->texts(), QStringList{ScaleRangeMessage});
        QVERIFY(c->isChecked());
        // A failed test leaves the plane as the last passing one drew it.
        QVERIFY(!switchValue());
    }

    void showingPlacesTheWindowAndRecordsTheShownValues()
    {
        store().WriteTextSetting(QStringLiteral("SizeY"), QStringLiteral("384"));
        store().WriteTextSetting(QStringLiteral("EndX"), QStringLiteral("9"));
        store().WriteIntSetting(QStringLiteral("Yohaku"), 2);
        auto d = shown();
        QCOMPARE(d->pos(), d->screen()->geometry().topLeft());
        const PlaneSettingsDialog::ShownValues first{QStringLiteral("-99"),
                                                     QStringLiteral("384"),
                                                     QStringLiteral("-99"),
                                                     QStringLiteral("-99"),
                                                     QStringLiteral("9"),
                                                     QStringLiteral("99"),
                                                     5,
                                                     5,
                                                     true,
                                                     true,
                                                     12,
                                                     2,
                                                     true};
        QCOMPARE(d->shownValues(), first);

        // Moved away and changed between showings: the values stay, the
        // place is the corner again.
        d->move(200, 150);
        Edit(d.get(), "edtStartX")->setText(QStringLiteral("-2"));
        Edit(d.get(), "edtDX")->setText(QStringLiteral("8"));
        Check(d.get(), "chkMemori")->setChecked(false);
        d->hide();
        d->show();
        QCOMPARE(d->pos(), d->screen()->geometry().topLeft());
        PlaneSettingsDialog::ShownValues second = first;
        second.StartX = QStringLiteral("-2");
        second.ShowTickNumbers = false;
        QCOMPARE(d->shownValues(), second);
        QCOMPARE(Edit(d.get(), "edtDX")->text(), QStringLiteral("8"));
    }

    // Hand-edited or saved as it stood: a stored text that is not an integer
    // is told once at start-up, for both holders and every later start, and
    // the default takes its place.
    void textThatIsNotAnIntegerIsReportedOnceAtCreation_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fallback");
        QTest::newRow("x scale") << "ScaleX" << "edtDX" << "abc" << "16";
        QTest::newRow("x start") << "StartX" << "edtStartX" << "abc" << "-99";
        QTest::newRow("y size") << "SizeY" << "edtSizeY" << "1.5" << "-99";
        QTest::newRow("y end") << "EndY" << "edtEndY" << "x" << "99";
    }
    void textThatIsNotAnIntegerIsReportedOnceAtCreation()
    {
        QFETCH(QString, name);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, fallback);
        store().WriteTextSetting(name, text);
        auto d = open(TestSettings().MainPlane);
        LoadHeldPlaneSettings(store(), TestSettings().PracticePlane, TestSettings().PlaneDefaultSize);
        QCOMPARE(m_prompt->texts(), QStringList{QStringLiteral("'%1' は整数ではありません").arg(text)});
        d->show();
        QCOMPARE(Child<QLineEdit>(d.get(), field)->text(), fallback);
        QCOMPARE(TestSettings().MainPlane, PlaneSettings{});
        QCOMPARE(TestSettings().PracticePlane, PlaneSettings{});
        // The plane is drawn from the defaults, and the next start is quiet.
        Picture pic;
        DrawPlane(pic, TestSettings(), PlaneGeometry{});
        QCOMPARE(pic.canvas().width(), TestSettings().PlaneDefaultSize);
        PlaneSettingsDialog next(store(), TestSettings().MainPlane, TestSettings().PlaneDefaultSize);
        QCOMPARE(m_prompt->texts().size(), 1);
    }

    void wrongKindAtCreationKeepsWhatWasRead()
    {
        store().WriteTextSetting(QStringLiteral("ScaleY"), QStringLiteral("-8"));
        store().WriteTextSetting(QStringLiteral("ScaleNumberX"), QStringLiteral("5"));
        auto d = open(TestSettings().MainPlane);
        QCOMPARE(m_prompt->texts(), QStringList{QStringLiteral("'ScaleNumberX' のﾃﾞｰﾀ型が不正です")});
        QCOMPARE(Edit(d.get(), "edtDY")->text(), QStringLiteral("-8"));
        QCOMPARE(TestSettings().MainPlane.ScaleY, 8); // in step with the text that was read
        QCOMPARE(TestSettings().MainPlane.ScaleNumberX, 5);
    }
};

QTEST_MAIN(TestPlaneSettingsDialog)
#include "tst_planesettingsdialog.moc"
