// The floors for the start-up figures: a bare Qt Widgets window of the same
// size, with nothing in it; built with QUORVEL_FLOOR_TEXT, the same window
// showing one line of Japanese in the program's face, which tells how much
// of the start-up goes to loading the Japanese font alone.

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#ifdef QUORVEL_FLOOR_TEXT
#include <QFont>
#include <QLabel>
#endif

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget w;
#ifdef QUORVEL_FLOOR_TEXT
    w.setWindowTitle(QStringLiteral("quorvel-floor-text"));
    QFont face(QStringLiteral("IPAPGothic"));
    face.setPixelSize(12);
    face.setStyleStrategy(QFont::NoFontMerging);
    QApplication::setFont(face);
    auto *line = new QLabel(QStringLiteral("放物線のグラフ　y＝x²－2x＋3"), &w);
    line->move(8, 8);
#else
    w.setWindowTitle(QStringLiteral("quorvel-floor"));
#endif
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    w.setGeometry(0, 0, screen.width(), screen.height() - 28);
    w.show();
    return app.exec();
}
