#include "output/Print.h"

TfrmPrint::TfrmPrint(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("グラフの印刷"));
}
