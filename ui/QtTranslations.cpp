#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QTranslator *InstallQtTranslations(QCoreApplication &app, const QString &folder)
{
    const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"), from) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}
