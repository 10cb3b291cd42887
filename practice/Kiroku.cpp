#include "practice/Kiroku.h"

TfrmKiroku::TfrmKiroku(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmKiroku"));
    setWindowTitle(QStringLiteral("実行記録"));
}
