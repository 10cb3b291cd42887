#include "ui/AppStyle.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QtTest>
#include <functional>
#include <memory>

using WidgetMaker = std::function<QWidget *()>;
Q_DECLARE_METATYPE(WidgetMaker)

namespace {
QGroupBox *GroupBox(const QString &title, bool checkable)
{
    auto *box = new QGroupBox(title);
    box->setCheckable(checkable);
    box->resize(180, 70);
    return box;
}

QImage Drawn(QWidget *widget, QStyle *style)
{
    widget->setStyle(style);
    for (QWidget *child : widget->findChildren<QWidget *>())
        child->setStyle(style);
    widget->show();
    QCoreApplication::processEvents();
    return widget->grab().toImage();
}
} // namespace

// The application's style draws exactly what the platform's own does, and
// a window of group boxes and a menu bar without reading an image file
// (which would load every image-format plug-in).
class TestAppStyle : public QObject {
    Q_OBJECT
    std::unique_ptr<QStyle> m_base{QStyleFactory::create(QStringLiteral("Fusion"))};
    std::unique_ptr<AppStyle> m_app{new AppStyle(QStyleFactory::create(QStringLiteral("Fusion")))};

private slots:
    // First, before any drawing in the base style reads its images.
    void drawsAWindowWithoutImagePlugins()
    {
        QApplication::setStyle(new AppStyle); // as the program does
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
        window.setCentralWidget(GroupBox(QStringLiteral("Xの変域"), false));
        window.resize(300, 200);
        (void)window.grab();
        QFile maps(QStringLiteral("/proc/self/maps"));
        if (!maps.open(QIODevice::ReadOnly))
            QSKIP("no /proc/self/maps to read the loaded libraries from");
        QVERIFY2(!maps.readAll().contains("/imageformats/"), "an image-format plug-in was loaded");
    }

    void looksLikeTheBaseStyle_data()
    {
        QTest::addColumn<WidgetMaker>("make");
        QTest::newRow("titled group box")
            << WidgetMaker([] { return GroupBox(QStringLiteral("軸の式"), false); });
        QTest::newRow("untitled group box") << WidgetMaker([] { return GroupBox(QString(), false); });
        QTest::newRow("checkable group box")
            << WidgetMaker([] { return GroupBox(QStringLiteral("変域"), true); });
    }
    void looksLikeTheBaseStyle()
    {
        QFETCH(WidgetMaker, make);
        const std::unique_ptr<QWidget> base(make()), app(make());
        QCOMPARE(Drawn(app.get(), m_app.get()), Drawn(base.get(), m_base.get()));
    }

    // The menu bar's overflow icon, fetched late, is the base style's.
    void overflowIconIsTheBaseStyles()
    {
        for (const auto which :
             {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
            const QIcon late = m_app->standardIcon(which), base = m_base->standardIcon(which);
            QVERIFY(!base.availableSizes().isEmpty());
            QCOMPARE(late.availableSizes(), base.availableSizes());
            for (const QSize size : base.availableSizes())
                QCOMPARE(late.pixmap(size).toImage(), base.pixmap(size).toImage());
        }
    }
};

QTEST_MAIN(TestAppStyle)
#include "tst_appstyle.moc"
