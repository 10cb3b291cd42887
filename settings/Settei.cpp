#include "settings/Settei.h"

TfrmSettei::TfrmSettei(QWidget *parent) : QDialog(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("frmSettei"));
    setWindowTitle(QStringLiteral("線の種類"));
}
