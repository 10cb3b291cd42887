#include "units/TangenOpen.h"

TfrmTangenOpen::TfrmTangenOpen(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTangenOpen"));
    setWindowTitle(QStringLiteral("単元で開く"));
}
