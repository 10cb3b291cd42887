#include "app/MathForm.h"

TfrmMath::TfrmMath(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMath"));
    setWindowTitle(QStringLiteral("frmMath"));
}
