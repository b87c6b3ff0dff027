#ifndef CLONGLINEBAR_H
#define CLONGLINEBAR_H

#include <QFrame>

class QLabel;
class QPushButton;

// The bar across the top of a split view: what happened and what the user
// may do about it. It asks nothing; the text stays usable below it.
class CLongLineBar : public QFrame
{
    Q_OBJECT
public:
    explicit CLongLineBar(QWidget* parent = nullptr);

    void setLimit(int nLimit);
    void setFormatOffered(bool bOffered);
    void showError(const QString& strError);
    QPushButton* formatButton() const { return m_pFormat; }
    QPushButton* openButton() const { return m_pOpen; }

signals:
    void formatClicked();
    void openClicked();

private:
    QLabel* m_pLabel;
    QPushButton* m_pFormat;
    QPushButton* m_pOpen;
    int m_nLimit = 0;
};

#endif
