#include "practice/Owari.h"

TfrmOwari::TfrmOwari(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOwari"));
    setWindowTitle(QStringLiteral("練習終わり"));
}
