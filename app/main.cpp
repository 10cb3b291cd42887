// Program start: the command line, title and help file, fonts, the data
// folder, the windows, the unit named on the command line, then the message
// loop until the main window closes.

#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/Forms.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "plane/Fonts.h"
#include "settings/SettingsStore.h"
#include "ui/AppStyle.h"
#include "ui/Prompt.h"
#include "ui/QtPrompt.h"
#include "ui/QtTranslations.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
// Without a display Qt would abort with a long plugin message; say plainly
// what is missing and how to run the program anyway.
bool HasDisplay()
{
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char *display = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return (display && *display) || (wayland && *wayland);
}
}  // namespace

int main(int argc, char *argv[])
{
#ifdef __GLIBC__
    // Nearly every allocation is made on the main thread: an arena of its
    // own for each helper thread (the font configuration's, the display
    // connection's) would only keep memory the one arena can share.
    mallopt(M_ARENA_MAX, 1);
#endif
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine command = ParseCommandLine(args);
    if (command.action != CommandLine::Action::Run) {
        std::fputs(command.text.toLocal8Bit().constData(),
                   command.action == CommandLine::Action::Refuse ? stderr : stdout);
        return command.exitCode();
    }
    if (!HasDisplay()) {
        std::fprintf(stderr, "quorvel: no display (DISPLAY is not set); start it under Xvfb, "
                             "for example: xvfb-run -a -s '-screen 0 1024x768x24' build/app/quorvel\n");
        return 1;
    }
    Fonts::ConfigurationLoader fontConfiguration;
    QApplication app(argc, argv);
    QApplication::setStyle(new AppStyle);
    QApplication::setApplicationName(QStringLiteral("Marendo"));
    QApplication::setOrganizationName(QStringLiteral("Quorvel"));
    fontConfiguration.wait();
    RegisterFontSubstitutions();
    QFont base = Fonts::PixelFace(Fonts::Gothic, 12);
    base.setStyleStrategy(QFont::NoFontMerging);
    QApplication::setFont(base);

    InstallQtTranslations(app);
    QtPrompt qtPrompt(AppInfo::Title);
    setPrompt(&qtPrompt);

    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const SettingsStore store;
    // A unit named relative to the start folder is found there, whatever
    // the data folder.
    const QString unitFile =
        command.unitFile.isEmpty() ? QString() : QDir::current().absoluteFilePath(command.unitFile);
    const QString dataFolder =
        ChooseDataFolder(QDir::currentPath(), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                         InstalledSamplesFolder(QCoreApplication::applicationDirPath()));
    CreateForms(screen, dataFolder, store);
    qtPrompt.showHelp = [](int context) { forms().helpWindow()->ShowHelp(context); };
    forms().mainWindow->show();
    if (!unitFile.isEmpty())
        forms().mainWindow->openUnitFile(unitFile);
    const int rc = app.exec();
    DestroyForms();
    setPrompt(nullptr);
    return rc;
}
