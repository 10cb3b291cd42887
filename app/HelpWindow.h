#pragma once
#include "files/AppFolder.h"
// The help window: the program's own HTML help document "Marend.hlp",
// opened at the anchor of a help context number. The document is looked
// up in the application folder first, so a school can replace it, and
// falls back to the copy compiled into the program.

#include <QDialog>
#include <QString>
#include <QUrl>

class QTextBrowser;

namespace HelpContext {
constexpr int MainWindow = 100;
constexpr int FormulaList = 104;
constexpr int FileMenu = 214;
constexpr int Correction = 216;
constexpr int LineKind = 218;
constexpr int Practice = 220;
constexpr int UnitView = 222;
constexpr int Contents = 224;
constexpr int OnePoint = 230;
constexpr int OpenDialog = 1213;
} // namespace HelpContext

// "ctx230" for context 230: the anchor name in the document.
QString HelpAnchor(int context);
// The help document for an application folder ending with "/": the file
// there when it exists, else the resource copy.
QUrl HelpDocumentUrl(const QString &appDir);

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(const AppFolder &folder, QWidget *parent = nullptr);

    // Shows the window (without waiting) at the context's anchor; an
    // unknown context shows the top of the document.
    void ShowHelp(int context);
    void ShowHelpContents();

private:
    const AppFolder &m_folder;
    QTextBrowser *m_browser = nullptr;
};
