#include "output/PrintingModule.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>
#include <QStringList>

namespace {
using Entry = const PrintingModule *(*)();

// Installed, the module lies in lib/quorvel beside the program's bin
// folder; a program run in the build tree takes the one built there, and
// only that program, so an installed one never loads a stray build.
QStringList Candidates()
{
    const QString dir = QCoreApplication::applicationDirPath();
    QStringList paths{dir + QStringLiteral("/../lib/quorvel/quorvel_printing")};
    if (dir.startsWith(QStringLiteral(QUORVEL_BUILD_DIR "/")))
        paths << QStringLiteral(QUORVEL_BUILT_PRINTING_MODULE);
    return paths;
}
} // namespace

const PrintingModule *Printing(QString *why)
{
    static const PrintingModule *loaded = nullptr;
    if (!loaded)
        loaded = LoadPrinting(Candidates(), why);
    return loaded;
}

const PrintingModule *LoadPrinting(const QStringList &paths, QString *why)
{
    QString reason;
    for (const QString &path : paths) {
        QLibrary library(path);
        // Every symbol now, so a module that does not fit this program is
        // refused here instead of ending the run at its first call.
        library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (!library.load()) {
            // The reason of a module that is there but does not load tells
            // more than the absence of another.
            if (reason.isEmpty() || QFile::exists(path + QStringLiteral(".so")))
                reason = library.errorString();
            continue;
        }
        // Kept loaded for the rest of the run: its dialog and code are in use.
        if (auto entry = reinterpret_cast<Entry>(library.resolve(QUORVEL_PRINTING_ENTRY)))
            return entry();
        reason = library.errorString();
    }
    if (why)
        *why = QStringLiteral("印刷と図の書き出しの部品（quorvel_printing）を読み込めません。") + reason;
    return nullptr;
}
