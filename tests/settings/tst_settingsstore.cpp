#include "settings/PlaneSettingsStore.h"
#include "settings/SettingsStore.h"
#include "ui/Prompt.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray FileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString ErrorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const UserError &e) {
        return e.text();
    }
    return {};
}
}  // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        m_path = m_dir.filePath(QStringLiteral("store-%1.ini").arg(QDateTime::currentMSecsSinceEpoch()));
        QFile::remove(m_path);
    }

    void firstReadWritesTheDefaultBack()
    {
        const SettingsStore store(m_path);
        QVERIFY(!QFile::exists(m_path));
        QCOMPARE(store.ReadTextSetting(QStringLiteral("SizeX"), QStringLiteral("-99")), QStringLiteral("-99"));
        QCOMPARE(store.ReadIntSetting(QStringLiteral("ScaleNumberX"), 5), 5);
        QVERIFY(store.HasSetting(QStringLiteral("SizeX")));
        QVERIFY(store.HasSetting(QStringLiteral("ScaleNumberX")));
        // A later read with another default gets the stored value.
        QCOMPARE(store.ReadTextSetting(QStringLiteral("SizeX"), QStringLiteral("320")), QStringLiteral("-99"));
        QCOMPARE(store.ReadIntSetting(QStringLiteral("ScaleNumberX"), 9), 5);
    }

    void readOfAnExistingValueWritesNothing()
    {
        const SettingsStore store(m_path);
        store.WriteTextSetting(QStringLiteral("ScaleX"), QStringLiteral("8"));
        store.WriteIntSetting(QStringLiteral("ScaleNumberY"), 2);
        const QByteArray before = FileBytes(m_path);
        QCOMPARE(store.ReadTextSetting(QStringLiteral("ScaleX"), QStringLiteral("16")), QStringLiteral("8"));
        QCOMPARE(store.ReadIntSetting(QStringLiteral("ScaleNumberY"), 5), 2);
        QCOMPARE(FileBytes(m_path), before);
    }

    void kindsAreKeptApart_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("negative number as text") << "-99";
        QTest::newRow("plain number as text") << "16";
        QTest::newRow("looks like an integer tag") << "dword:00000005";
        QTest::newRow("looks like a text tag") << "sz:x";
        QTest::newRow("empty") << "";
        QTest::newRow("japanese") << "座標";
    }
    void kindsAreKeptApart()
    {
        QFETCH(QString, text);
        const SettingsStore store(m_path);
        store.WriteTextSetting(QStringLiteral("v"), text);
        QCOMPARE(store.ReadTextSetting(QStringLiteral("v"), QStringLiteral("default")), text);
        QCOMPARE(ErrorOf([&] { store.ReadIntSetting(QStringLiteral("v"), 0); }),
                 QStringLiteral("'v' のﾃﾞｰﾀ型が不正です"));
    }

    void integersAndBooleans_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -99;
        QTest::newRow("largest") << 2147483647;
        QTest::newRow("smallest") << int(-2147483647 - 1);
    }
    void integersAndBooleans()
    {
        QFETCH(int, value);
        const SettingsStore store(m_path);
        store.WriteIntSetting(QStringLiteral("n"), value);
        QCOMPARE(store.ReadIntSetting(QStringLiteral("n"), 1), value);
        QCOMPARE(ErrorOf([&] { store.ReadTextSetting(QStringLiteral("n"), QString()); }),
                 QStringLiteral("'n' のﾃﾞｰﾀ型が不正です"));
        store.WriteBoolSetting(QStringLiteral("chkXY"), true);
        store.WriteBoolSetting(QStringLiteral("chkMemori"), false);
        QCOMPARE(store.ReadIntSetting(QStringLiteral("chkXY"), 7), 1);
        QCOMPARE(store.ReadIntSetting(QStringLiteral("chkMemori"), 7), 0);
    }

    void refusedWriteIsReported()
    {
        QFile blocker(m_dir.filePath(QStringLiteral("not-a-folder")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const SettingsStore store(blocker.fileName() + QStringLiteral("/store.ini"));
        QCOMPARE(ErrorOf([&] { store.WriteTextSetting(QStringLiteral("SizeX"), QStringLiteral("1")); }),
                 QStringLiteral("'SizeX' の設定に失敗しました"));
        const SettingsSession session(store);
        QCOMPARE(ErrorOf([&] { store.WriteTextSetting(QStringLiteral("SizeY"), QStringLiteral("1")); }),
                 QStringLiteral("'SizeY' の設定に失敗しました"));
    }

    // With the store held open, each write still reaches the file at once,
    // and nothing of the session is left to a copy or an inner session.
    void sessionKeepsEveryWriteInTheFile()
    {
        const SettingsStore store(m_path);
        std::optional<SettingsStore> copy;
        {
            const SettingsSession session(store);
            {
                const SettingsSession inner(store);
                QCOMPARE(store.ReadIntSetting(QStringLiteral("ScaleNumberX"), 5), 5);
            }
            store.WriteTextSetting(QStringLiteral("SizeX"), QStringLiteral("320"));
            const QSettings other(m_path, QSettings::IniFormat);
            QCOMPARE(other.value(QStringLiteral("ScaleNumberX")).toString(), QStringLiteral("dword:00000005"));
            QCOMPARE(other.value(QStringLiteral("SizeX")).toString(), QStringLiteral("320"));
            copy.emplace(store);
        }
        copy->WriteTextSetting(QStringLiteral("SizeY"), QStringLiteral("240"));
        QCOMPARE(store.ReadTextSetting(QStringLiteral("SizeY"), QString()), QStringLiteral("240"));
    }

    void nativeStoreIsPerUser()
    {
        QTemporaryDir home;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
        const SettingsStore store;
        store.WriteTextSetting(QStringLiteral("SizeX"), QStringLiteral("320"));
        QVERIFY(QFile::exists(home.filePath(QStringLiteral("Quorvel/Marendo.conf"))));
        QCOMPARE(store.ReadTextSetting(QStringLiteral("SizeX"), QString()), QStringLiteral("320"));
    }

    void planeSettingsFromAnEmptyStore()
    {
        const SettingsStore store(m_path);
        PlaneSettings s;
        s.ShowCoordinates = false;
        LoadPlaneSettings(store, s, 544);
        QCOMPARE(s, PlaneSettings{});
        for (const char *name : {"SizeX", "SizeY", "ScaleX", "ScaleY", "StartX", "StartY", "ScaleNumberX",
                                 "ScaleNumberY", "EndX", "EndY", "FontSizeV", "YohakuV"})
            QVERIFY2(store.HasSetting(QLatin1String(name)), name);
        QVERIFY(!store.HasSetting(QStringLiteral("chkXY")));
    }

    void planeSettingsFromSavedValues()
    {
        const SettingsStore store(m_path);
        store.WriteTextSetting(QStringLiteral("SizeX"), QStringLiteral("320"));
        store.WriteTextSetting(QStringLiteral("ScaleX"), QStringLiteral("-8"));
        store.WriteTextSetting(QStringLiteral("ScaleY"), QStringLiteral("4"));
        store.WriteIntSetting(QStringLiteral("ScaleNumberX"), 2);
        store.WriteBoolSetting(QStringLiteral("chkXY"), false);
        store.WriteIntSetting(QStringLiteral("FontSizeV"), 12);
        store.WriteIntSetting(QStringLiteral("FontSize"), 16);  // saved by OK
        store.WriteIntSetting(QStringLiteral("Yohaku"), 3);
        PlaneSettings s;
        LoadPlaneSettings(store, s, 544);
        QCOMPARE(s.SizeX, QStringLiteral("320"));
        QCOMPARE(s.DX, QStringLiteral("-8"));
        QCOMPARE(s.ScaleX, 8);  // the absolute value
        QCOMPARE(s.ScaleY, 4);
        QCOMPARE(s.ScaleNumberX, 2);
        QCOMPARE(s.FontSize, 16);
        QCOMPARE(s.Margin, 3);
        QVERIFY(s.ShowAxisNames);  // the switches always start on
    }

    void scaleThatIsNotAnIntegerKeepsItsDefault()
    {
        const SettingsStore store(m_path);
        store.WriteTextSetting(QStringLiteral("ScaleX"), QStringLiteral("abc"));
        store.WriteTextSetting(QStringLiteral("ScaleY"), QStringLiteral("8"));
        store.WriteTextSetting(QStringLiteral("EndY"), QStringLiteral("3"));
        PlaneSettings s;
        QCOMPARE(ErrorOf([&] { LoadPlaneSettings(store, s, 544); }), QStringLiteral("'abc' は整数ではありません"));
        QCOMPARE(s.ScaleX, 16);
        QCOMPARE(s.DX, QStringLiteral("16"));
        QCOMPARE(s.ScaleY, 8);
        QCOMPARE(s.EndY, QStringLiteral("3"));  // read before the error was reported
        // The default took the text's place in the store: told once only.
        QCOMPARE(store.ReadTextSetting(QStringLiteral("ScaleX"), QString()), QStringLiteral("16"));
        QCOMPARE(ErrorOf([&] { LoadPlaneSettings(store, s, 544); }), QString());
    }

    // Hand-edited or saved on a larger screen: the values come in as the
    // dialog's ranges allow, so no drawing sees them.
    void storedValuesAreClampedToTheDialogRanges_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("scale");  // ScaleX / ScaleY rows only
        QTest::addColumn<int>("largest");
        QTest::newRow("width beyond every screen") << "SizeX" << "2147483647" << "544" << 0 << 544;
        QTest::newRow("height beyond the screen") << "SizeY" << "545" << "544" << 0 << 544;
        QTest::newRow("width below 160") << "SizeX" << "100" << "160" << 0 << 544;
        QTest::newRow("height of the default size") << "SizeY" << "-2147483648" << "-2147483648" << 0 << 544;
        QTest::newRow("height zero") << "SizeY" << "0" << "0" << 0 << 544;
        QTest::newRow("width in range") << "SizeX" << "384" << "384" << 0 << 544;
        QTest::newRow("scale beyond 32") << "ScaleX" << "2147483647" << "32" << 32 << 544;
        QTest::newRow("most negative scale") << "ScaleY" << "-2147483648" << "32" << 32 << 544;
        QTest::newRow("scale below 4") << "ScaleY" << "2" << "4" << 4 << 544;
        QTest::newRow("scale zero") << "ScaleX" << "0" << "4" << 4 << 544;
        QTest::newRow("scale empty") << "ScaleX" << "" << "4" << 4 << 544;
        QTest::newRow("negative scale in range keeps its text") << "ScaleY" << "-8" << "-8" << 8 << 544;
        QTest::newRow("far start centres the origin") << "StartX" << "2147483647" << "2147483647" << 0 << 544;
        QTest::newRow("far end") << "EndY" << "-2147483648" << "-2147483648" << 0 << 544;
        QTest::newRow("no size fits a screen below 160") << "SizeX" << "160" << "-99" << 0 << 96;
    }
    void storedValuesAreClampedToTheDialogRanges()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(QString, text);
        QFETCH(int, scale);
        QFETCH(int, largest);
        const SettingsStore store(m_path);
        store.WriteTextSetting(name, stored);
        PlaneSettings s;
        QCOMPARE(ErrorOf([&] { LoadPlaneSettings(store, s, largest); }), QString());
        const QString got = name == u"SizeX"    ? s.SizeX
                            : name == u"SizeY"  ? s.SizeY
                            : name == u"ScaleX" ? s.DX
                            : name == u"ScaleY" ? s.DY
                            : name == u"StartX" ? s.StartX
                                                : s.EndY;
        QCOMPARE(got, text);
        if (scale)
            QCOMPARE(name == u"ScaleX" ? s.ScaleX : s.ScaleY, scale);
        QCOMPARE(store.ReadTextSetting(name, QString()), stored);  // clamping writes nothing
    }
};

QTEST_APPLESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
