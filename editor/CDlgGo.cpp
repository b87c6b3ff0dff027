#include "editor/CDlgGo.h"
#include "ui_CDlgGo.h"

#include <QIntValidator>

CDlgGo::CDlgGo(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::CDlgGo)
{
    ui->setupUi(this);
    ui->lineEdit->setValidator(new QIntValidator(this));
}

CDlgGo::~CDlgGo()
{
    delete ui;
}

void CDlgGo::selectLineText()
{
    ui->lineEdit->selectAll();
    ui->lineEdit->setFocus();
}

void CDlgGo::on_btnGo_clicked()
{
    emit goToLine(ui->lineEdit->text().toInt(nullptr, 10));
    hide();
}

void CDlgGo::on_btnClose_clicked()
{
    hide();
}
