#include "editor/CDlgFind.h"
#include "ui_CDlgFind.h"

#include "app/CSettings.h"
#include "app/Globals.h"

#include <QCloseEvent>
#include <QLineEdit>

CDlgFind::CDlgFind(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::CDlgFind)
{
    ui->setupUi(this);
    m_bMirroring = true;
    ui->slider_transparent->setValue(g_pSettings->m_nFindTransparent);
    ui->slider_transparent_2->setValue(g_pSettings->m_nFindTransparent);
    const QList<QPair<QCheckBox*, bool>> lstBoxes = {
        {ui->checkBox_match_whole_word, g_pSettings->m_bFindMatchWholeWord},
        {ui->checkBox_match_whole_word_2, g_pSettings->m_bFindMatchWholeWord},
        {ui->checkBox_match_case, g_pSettings->m_bFindMatchCase},
        {ui->checkBox_match_case_2, g_pSettings->m_bFindMatchCase},
        {ui->checkBox_search_up, g_pSettings->m_bFindSearchUp},
        {ui->checkBox_wrap_search, g_pSettings->m_bFindWrapSearch},
        {ui->checkBox_use_regular_exp, g_pSettings->m_bFindUseRegularExpression},
        {ui->checkBox_use_regular_exp_2, g_pSettings->m_bFindUseRegularExpression},
        {ui->checkBox_auto_close_after, g_pSettings->m_bFindCloseAfterFindNext},
    };
    for (const auto& box : lstBoxes)
        box.first->setChecked(box.second);
    m_bMirroring = false;

    // The request goes out first: the main window reads the texts before
    // the history step changes them.
    connect(ui->pushButton_find_next, &QPushButton::clicked, this, &CDlgFind::emitFindNext);
    connect(ui->pushButton_find_next, &QPushButton::clicked, this, &CDlgFind::onFind);
    connect(ui->pushButton_replace, &QPushButton::clicked, this, &CDlgFind::emitReplace);
    connect(ui->pushButton_replace, &QPushButton::clicked, this, &CDlgFind::onReplace);
    connect(ui->pushButton_replace_all, &QPushButton::clicked, this, &CDlgFind::emitReplaceAll);
    connect(ui->pushButton_replace_all, &QPushButton::clicked, this, &CDlgFind::onReplaceAll);
    on_tabWidget_currentChanged(0);
}

CDlgFind::~CDlgFind()
{
    delete ui;
}

QString CDlgFind::getFindText() const
{
    return ui->comboBox_find->currentText();
}

QString CDlgFind::getReplaceFindText() const
{
    return ui->comboBox_replace_find->currentText();
}

QString CDlgFind::getReplaceWithText() const
{
    return ui->comboBox_replace_with->currentText();
}

QString CDlgFind::currentFindText() const
{
    return ui->tabWidget->currentIndex() == 0 ? getFindText() : getReplaceFindText();
}

void CDlgFind::setFindText(const QString& strText)
{
    ui->comboBox_find->setCurrentText(strText);
    ui->comboBox_replace_find->setCurrentText(strText);
    QComboBox* pShown = ui->tabWidget->currentIndex() == 0 ? ui->comboBox_find
                                                            : ui->comboBox_replace_find;
    if (!strText.isEmpty())
        pShown->lineEdit()->selectAll();
}

void CDlgFind::showFindTab()
{
    ui->tabWidget->setCurrentIndex(0);
}

void CDlgFind::showReplaceTab()
{
    ui->tabWidget->setCurrentIndex(1);
}

void CDlgFind::clearStatus()
{
    ui->label_status->clear();
}

void CDlgFind::storeOption(bool& bOption, int nState, QCheckBox* pTwin)
{
    if (m_bMirroring)
        return;
    bOption = nState == Qt::Checked;
    g_pSettings->save();
    if (pTwin) {
        m_bMirroring = true;
        pTwin->setCheckState(Qt::CheckState(nState));
        m_bMirroring = false;
    }
}

void CDlgFind::on_checkBox_match_whole_word_stateChanged(int nState)
{
    storeOption(g_pSettings->m_bFindMatchWholeWord, nState, ui->checkBox_match_whole_word_2);
}

void CDlgFind::on_checkBox_match_whole_word_2_stateChanged(int nState)
{
    storeOption(g_pSettings->m_bFindMatchWholeWord, nState, ui->checkBox_match_whole_word);
}

void CDlgFind::on_checkBox_match_case_stateChanged(int nState)
{
    storeOption(g_pSettings->m_bFindMatchCase, nState, ui->checkBox_match_case_2);
}

void CDlgFind::on_checkBox_match_case_2_stateChanged(int nState)
{
    storeOption(g_pSettings->m_bFindMatchCase, nState, ui->checkBox_match_case);
}

void CDlgFind::on_checkBox_use_regular_exp_stateChanged(int nState)
{
    storeOption(g_pSettings->m_bFindUseRegularExpression, nState, ui->checkBox_use_regular_exp_2);
}

void CDlgFind::on_checkBox_use_regular_exp_2_stateChanged(int nState)
{
    storeOption(g_pSettings->m_bFindUseRegularExpression, nState, ui->checkBox_use_regular_exp);
}

void CDlgFind::on_checkBox_search_up_stateChanged(int nState)
{
    storeOption(g_pSettings->m_bFindSearchUp, nState, nullptr);
}

void CDlgFind::on_checkBox_wrap_search_stateChanged(int nState)
{
    storeOption(g_pSettings->m_bFindWrapSearch, nState, nullptr);
}

void CDlgFind::on_checkBox_auto_close_after_stateChanged(int nState)
{
    storeOption(g_pSettings->m_bFindCloseAfterFindNext, nState, nullptr);
}

void CDlgFind::storeTransparency(int nValue, QSlider* pTwin)
{
    if (m_bMirroring)
        return;
    g_pSettings->m_nFindTransparent = nValue;
    g_pSettings->save();
    m_bMirroring = true;
    pTwin->setValue(nValue);
    m_bMirroring = false;
    updateOpacity();
}

void CDlgFind::on_slider_transparent_valueChanged(int nValue)
{
    storeTransparency(nValue, ui->slider_transparent_2);
}

void CDlgFind::on_slider_transparent_2_valueChanged(int nValue)
{
    storeTransparency(nValue, ui->slider_transparent);
}

void CDlgFind::on_tabWidget_currentChanged(int index)
{
    const bool bFind = index == 0;
    setWindowTitle(bFind ? tr("Find") : tr("Replace"));
    ui->pushButton_find_next->setVisible(bFind);
    ui->pushButton_replace->setVisible(!bFind);
    ui->pushButton_replace_all->setVisible(!bFind);
    // Return presses the button of the tab.
    ui->pushButton_find_next->setDefault(bFind);
    ui->pushButton_replace->setDefault(!bFind);
    QComboBox* pTo = bFind ? ui->comboBox_find : ui->comboBox_replace_find;
    const QComboBox* pFrom = bFind ? ui->comboBox_replace_find : ui->comboBox_find;
    pTo->setCurrentText(pFrom->currentText());
    pTo->setFocus();
}

void CDlgFind::addHistory(const QComboBox* pSource)
{
    const QString strText = pSource->currentText().trimmed();
    if (strText.isEmpty())
        return;
    const int nIndex = pSource->findText(strText, Qt::MatchExactly | Qt::MatchCaseSensitive);
    for (QComboBox* pCombo : {ui->comboBox_find, ui->comboBox_replace_find}) {
        if (nIndex >= 0)
            pCombo->removeItem(nIndex);
        pCombo->insertItem(0, strText);
        pCombo->setCurrentIndex(0);
    }
}

void CDlgFind::onFind()
{
    addHistory(ui->comboBox_find);
}

void CDlgFind::onReplace()
{
    addHistory(ui->comboBox_replace_find);
}

void CDlgFind::onReplaceAll()
{
    addHistory(ui->comboBox_replace_find);
}

void CDlgFind::showStatus(const QString& strText, bool bFailure)
{
    const QString strFormat = bFailure ? QStringLiteral("<span style='color:Red'>%1</span>")
                                       : QStringLiteral("<span style='color:#27a650'>%1</span>");
    ui->label_status->setText(strFormat.arg(strText.toHtmlEscaped()));
}

void CDlgFind::onFindToTop()
{
    showStatus(tr("Find: the top has been reached."), false);
}

void CDlgFind::onFindToBottom()
{
    showStatus(tr("Find: the end has been reached."), false);
}

void CDlgFind::onCannotFound()
{
    showStatus(tr("Find: the string cannot be found."), true);
}

void CDlgFind::onReplaceNum(int nVal)
{
    showStatus(nVal < 2 ? tr("Replace All: %1 item has been replaced.").arg(nVal)
                        : tr("Replace All: %1 items have been replaced.").arg(nVal),
               false);
}

void CDlgFind::updateOpacity()
{
    setWindowOpacity(isActiveWindow() ? 1.0 : g_pSettings->m_nFindTransparent / 100.0);
}

void CDlgFind::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        updateOpacity();
}

void CDlgFind::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (ui->tabWidget->currentIndex() == 0)
        on_tabWidget_currentChanged(0);
    else
        ui->tabWidget->setCurrentIndex(0);
    setWindowOpacity(1.0);
    ui->comboBox_find->setFocus();
}

void CDlgFind::closeEvent(QCloseEvent* event)
{
    emit emitClosed();
    QDialog::closeEvent(event);
}
