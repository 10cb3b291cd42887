#pragma once
// Qt's own Japanese texts for the standard dialogs (colour, file, print,
// message-box buttons), so that nothing of them reaches a pupil in English.

#include <QString>

class QCoreApplication;
class QTranslator;

// Installs "qtbase_ja" from the folder (Qt's translations folder when
// empty). Returns the installed translator, owned by the application, or
// nullptr when the file is missing: Qt's English texts then stay, quietly.
QTranslator *InstallQtTranslations(QCoreApplication &app, const QString &folder = QString());
