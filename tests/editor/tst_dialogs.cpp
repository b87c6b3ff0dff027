// The find/replace dialog (options, history, status line, tabs,
// transparency) and the go-to-line dialog.
#include "app/CSettings.h"
#include "app/Globals.h"
#include "common/TestEnv.h"
#include "editor/CDlgFind.h"
#include "editor/CDlgGo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void statusLine_data();
    void statusLine();
    void historyAfterRequest();
    void optionsSavedAndMirrored_data();
    void optionsSavedAndMirrored();
    void transparency();
    void tabsShareTheFindText();
    void goToLine_data();
    void goToLine();

private:
    template <class T> T* child(QObject* pParent, const char* szName)
    {
        T* pChild = pParent->findChild<T*>(szName);
        Q_ASSERT(pChild);
        return pChild;
    }
    bool storedOption(const char* szKey) const
    {
        return QSettings(m_pEnv->settingsFile(), QSettings::IniFormat).value(szKey).toBool();
    }
    std::unique_ptr<TestEnv> m_pEnv;
};

void TestDialogs::init()
{
    m_pEnv = std::make_unique<TestEnv>();
}

void TestDialogs::cleanup()
{
    m_pEnv.reset();
}

void TestDialogs::statusLine_data()
{
    QTest::addColumn<int>("nReplaced"); // -1, -2, -3: top, end, not found
    QTest::addColumn<QString>("strStatus");
    QTest::newRow("top") << -1 << "<span style='color:#27a650'>Find: the top has been reached.</span>";
    QTest::newRow("end") << -2 << "<span style='color:#27a650'>Find: the end has been reached.</span>";
    QTest::newRow("not found") << -3 << "<span style='color:Red'>Find: the string cannot be found.</span>";
    QTest::newRow("none replaced")
        << 0 << "<span style='color:#27a650'>Replace All: 0 item has been replaced.</span>";
    QTest::newRow("one replaced")
        << 1 << "<span style='color:#27a650'>Replace All: 1 item has been replaced.</span>";
    QTest::newRow("two replaced")
        << 2 << "<span style='color:#27a650'>Replace All: 2 items have been replaced.</span>";
}

void TestDialogs::statusLine()
{
    QFETCH(int, nReplaced);
    CDlgFind dlg;
    if (nReplaced == -1)
        dlg.onFindToTop();
    else if (nReplaced == -2)
        dlg.onFindToBottom();
    else if (nReplaced == -3)
        dlg.onCannotFound();
    else
        dlg.onReplaceNum(nReplaced);
    QLabel* pStatus = child<QLabel>(&dlg, "label_status");
    QTEST(pStatus->text(), "strStatus");
    dlg.clearStatus();
    QVERIFY(pStatus->text().isEmpty());
}

void TestDialogs::historyAfterRequest()
{
    CDlgFind dlg;
    auto* pFind = child<QComboBox>(&dlg, "comboBox_find");
    auto* pReplaceFind = child<QComboBox>(&dlg, "comboBox_replace_find");
    QStringList lstSeen; // what the request saw: the text typed, the other tab's history
    connect(&dlg, &CDlgFind::emitFindNext,
            [&] { lstSeen << dlg.getFindText() + "|" + QString::number(pReplaceFind->count()); });
    for (const QString& strTyped : QStringList {"abc", "def", " abc "}) {
        pFind->setCurrentText(strTyped);
        child<QPushButton>(&dlg, "pushButton_find_next")->click();
    }
    QCOMPARE(lstSeen, (QStringList {"abc|0", "def|1", " abc |2"}));
    for (QComboBox* pCombo : {pFind, pReplaceFind}) {
        QCOMPARE(pCombo->count(), 2);
        QCOMPARE(pCombo->itemText(0), QString("abc"));
        QCOMPARE(pCombo->itemText(1), QString("def"));
        QCOMPARE(pCombo->currentText(), QString("abc"));
    }
    // Case counts; the replacement keeps no history.
    dlg.showReplaceTab();
    pReplaceFind->setCurrentText("ABC");
    child<QComboBox>(&dlg, "comboBox_replace_with")->setCurrentText("x");
    child<QPushButton>(&dlg, "pushButton_replace_all")->click();
    QCOMPARE(pFind->count(), 3);
    QCOMPARE(pFind->itemText(0), QString("ABC"));
    QCOMPARE(child<QComboBox>(&dlg, "comboBox_replace_with")->count(), 0);
}

void TestDialogs::optionsSavedAndMirrored_data()
{
    QTest::addColumn<QString>("strBox");
    QTest::addColumn<QString>("strTwin"); // empty: none
    QTest::addColumn<QString>("strKey");
    QTest::newRow("whole word") << "checkBox_match_whole_word" << "checkBox_match_whole_word_2"
                                << "m_bFindMatchWholeWord";
    QTest::newRow("case") << "checkBox_match_case" << "checkBox_match_case_2" << "m_bFindMatchCase";
    QTest::newRow("case, replace tab") << "checkBox_match_case_2" << "checkBox_match_case"
                                       << "m_bFindMatchCase";
    QTest::newRow("expression") << "checkBox_use_regular_exp_2" << "checkBox_use_regular_exp"
                                << "m_bFindUseRegularExpression";
    QTest::newRow("up") << "checkBox_search_up" << "" << "m_bFindSearchUp";
    QTest::newRow("wrap") << "checkBox_wrap_search" << "" << "m_bFindWrapSearch";
    QTest::newRow("auto close") << "checkBox_auto_close_after" << "" << "m_bFindCloseAfterFindNext";
}

void TestDialogs::optionsSavedAndMirrored()
{
    QFETCH(QString, strBox);
    QFETCH(QString, strTwin);
    QFETCH(QString, strKey);
    CDlgFind dlg;
    auto* pBox = child<QCheckBox>(&dlg, qPrintable(strBox));
    const bool bDefault = strKey == "m_bFindWrapSearch"; // the one option on by default
    QCOMPARE(pBox->isChecked(), bDefault);
    for (bool bState : {!bDefault, bDefault}) {
        pBox->click();
        QCOMPARE(pBox->isChecked(), bState);
        QCOMPARE(storedOption(qPrintable(strKey)), bState);
        if (!strTwin.isEmpty())
            QCOMPARE(child<QCheckBox>(&dlg, qPrintable(strTwin))->isChecked(), bState);
    }
}

void TestDialogs::transparency()
{
    CDlgFind dlg;
    child<QSlider>(&dlg, "slider_transparent")->setValue(20);
    QCOMPARE(child<QSlider>(&dlg, "slider_transparent_2")->value(), 20);
    QCOMPARE(QSettings(m_pEnv->settingsFile(), QSettings::IniFormat).value("m_nFindTransparent").toInt(), 20);
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(dlg.windowOpacity(), 1.0);
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_COMPARE(dlg.windowOpacity(), 0.2);
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QTRY_COMPARE(dlg.windowOpacity(), 1.0);
}

void TestDialogs::tabsShareTheFindText()
{
    CDlgFind dlg;
    dlg.show();
    child<QComboBox>(&dlg, "comboBox_find")->setCurrentText("needle");
    dlg.showReplaceTab();
    QCOMPARE(dlg.windowTitle(), QString("Replace"));
    QCOMPARE(dlg.getReplaceFindText(), QString("needle"));
    QVERIFY(child<QPushButton>(&dlg, "pushButton_find_next")->isHidden());
    QVERIFY(!child<QPushButton>(&dlg, "pushButton_replace_all")->isHidden());
    child<QComboBox>(&dlg, "comboBox_replace_find")->setCurrentText("pin");
    dlg.hide();
    dlg.show(); // shown again, it opens on the Find tab
    QCOMPARE(dlg.windowTitle(), QString("Find"));
    QCOMPARE(dlg.getFindText(), QString("pin"));
    QVERIFY(child<QPushButton>(&dlg, "pushButton_replace")->isHidden());
}

void TestDialogs::goToLine_data()
{
    QTest::addColumn<QString>("strTyped");
    QTest::addColumn<int>("nLine");
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("number") << "12" << 12;
    QTest::newRow("negative") << "-3" << -3;
    QTest::newRow("letters refused") << "4x" << 4;
}

void TestDialogs::goToLine()
{
    QFETCH(QString, strTyped);
    CDlgGo dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.selectLineText();
    auto* pEdit = child<QLineEdit>(&dlg, "lineEdit");
    QTest::keyClicks(pEdit, strTyped);
    QSignalSpy spy(&dlg, &CDlgGo::goToLine);
    child<QPushButton>(&dlg, "btnGo")->click();
    QCOMPARE(spy.count(), 1);
    QTEST(spy.at(0).at(0).toInt(), "nLine");
    QVERIFY(dlg.isHidden());
    // Shown again with the number selected, typing replaces it.
    dlg.show();
    dlg.selectLineText();
    QCOMPARE(pEdit->selectedText(), pEdit->text());
    QTest::keyClicks(pEdit, "7");
    QCOMPARE(pEdit->text(), QString("7"));
    child<QPushButton>(&dlg, "btnClose")->click();
    QVERIFY(dlg.isHidden());
    QCOMPARE(spy.count(), 1);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
