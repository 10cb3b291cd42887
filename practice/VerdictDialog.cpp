#include "practice/VerdictDialog.h"

#include "practice/VerdictIcons.h"

#include <QShowEvent>

VerdictDialog::VerdictDialog(QWidget *parent, const char *objectName, const QString &caption, QSize size)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QLatin1String(objectName));
    setWindowTitle(caption);
    setFixedSize(size);
    setFont(VerdictFont(12));
}

void VerdictDialog::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        prepareToShow();
}

void VerdictDialog::cancelClicked()
{
    done(2);
}

void VerdictDialog::reject()
{
    done(2);
}
