#ifndef CDLGFIND_H
#define CDLGFIND_H

#include <QDialog>

namespace Ui {
class CDlgFind;
}
class QCheckBox;
class QComboBox;
class QSlider;

// The modeless find/replace window. Its options are the settings store's
// find fields, written as soon as a box is ticked; it keeps a history of
// find texts, announces the user's requests by signals and shows what the
// find engine reports. It turns translucent while another window is active.
class CDlgFind : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgFind(QWidget* parent = nullptr);
    ~CDlgFind() override;

    QString getFindText() const;
    QString getReplaceFindText() const;
    QString getReplaceWithText() const;
    // The find text of the tab on show.
    QString currentFindText() const;
    // Sets the find text of both tabs, selected on the tab shown.
    void setFindText(const QString& strText);
    void showFindTab();
    void showReplaceTab();
    void clearStatus();

signals:
    void emitClosed();
    void emitFindNext();
    void emitReplace();
    void emitReplaceAll();

public slots:
    void onFindToTop();
    void onFindToBottom();
    void onCannotFound();
    void onReplaceNum(int nVal);

private slots:
    void on_checkBox_match_whole_word_stateChanged(int nState);
    void on_checkBox_match_case_stateChanged(int nState);
    void on_checkBox_search_up_stateChanged(int nState);
    void on_checkBox_wrap_search_stateChanged(int nState);
    void on_checkBox_auto_close_after_stateChanged(int nState);
    void on_checkBox_use_regular_exp_stateChanged(int nState);
    void on_checkBox_use_regular_exp_2_stateChanged(int nState);
    void on_tabWidget_currentChanged(int index);
    void on_checkBox_match_whole_word_2_stateChanged(int nState);
    void on_checkBox_match_case_2_stateChanged(int nState);
    void on_slider_transparent_valueChanged(int nValue);
    void on_slider_transparent_2_valueChanged(int nValue);
    void onFind();
    void onReplace();
    void onReplaceAll();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void storeOption(bool& bOption, int nState, QCheckBox* pTwin);
    void storeTransparency(int nValue, QSlider* pTwin);
    void addHistory(const QComboBox* pSource);
    void showStatus(const QString& strText, bool bFailure);
    void updateOpacity();

    Ui::CDlgFind* ui;
    bool m_bMirroring = false; // set while a twin control is being updated
};

#endif
