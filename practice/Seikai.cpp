#include "practice/Seikai.h"

TfrmSeikai::TfrmSeikai(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSeikai"));
    setWindowTitle(QStringLiteral("正解"));
}
