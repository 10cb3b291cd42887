#include "units/NewWork.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

TfrmNewWork::TfrmNewWork(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmNewWork"));
    setWindowTitle(QStringLiteral("新規入力"));
    setFixedSize(505, 400);

    auto *label1 = new QLabel(QStringLiteral("単元名を入力してください"), this);
    label1->move(56, 32);
    edtTangen = new QLineEdit(QStringLiteral("新しい単元"), this);
    edtTangen->setObjectName(QStringLiteral("edtTangen"));
    edtTangen->setGeometry(56, 56, 209, 20);

    auto *label2 = new QLabel(QStringLiteral("登録済みの単元名"), this);
    label2->move(304, 32);
    lstTitle = new QListWidget(this);
    lstTitle->setObjectName(QStringLiteral("lstTitle"));
    lstTitle->setGeometry(288, 56, 177, 289);

    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(72, 104, 81, 33);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(192, 104, 73, 33);
}
