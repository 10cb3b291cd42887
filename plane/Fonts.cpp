#include "plane/Fonts.h"

#include <QFont>
#include <QStringList>

void RegisterFontSubstitutions()
{
    QFont::insertSubstitutions(Fonts::Gothic, {QStringLiteral("IPAPGothic")});
    QFont::insertSubstitutions(Fonts::FixedGothic, {QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(Fonts::Serif, {QStringLiteral("URW Bookman"), QStringLiteral("URW Bookman L")});
}
