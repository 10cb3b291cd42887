#include "practice/Ayamari.h"

TfrmAyamari::TfrmAyamari(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAyamari"));
    setWindowTitle(QStringLiteral("誤答"));
}
