#include "app/MoveMoji.h"

TfrmMoveMoji::TfrmMoveMoji(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMoveMoji"));
    setWindowTitle(QStringLiteral("平行移動"));
}
