#ifndef CDLGGO_H
#define CDLGGO_H

#include <QDialog>

namespace Ui {
class CDlgGo;
}

// Asks for a line number and announces it; modeless, hidden after use.
class CDlgGo : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgGo(QWidget* parent = nullptr);
    ~CDlgGo() override;

    // Selects the number typed last, so that typing replaces it.
    void selectLineText();

signals:
    void goToLine(int nLine);

private slots:
    void on_btnGo_clicked();
    void on_btnClose_clicked();

private:
    Ui::CDlgGo* ui;
};

#endif
