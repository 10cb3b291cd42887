// The floor for the start-up figures: a bare Qt Widgets window of the same
// size, with nothing in it.

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("quorvel-floor"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    w.setGeometry(0, 0, screen.width(), screen.height() - 28);
    w.show();
    return app.exec();
}
