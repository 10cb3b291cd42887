#include "practice/Renshu.h"

TfrmRenshu::TfrmRenshu(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRenshu"));
    setWindowTitle(QStringLiteral("練習"));
}
