#include "mainwindow/CTabWidget.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTabBar>
#include <QtTest>

class TestTabWidget : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void middleReleaseReportsTabUnderMouse();
    void middleReleaseBesideLastTabReportsMinusOne();
    void leftReleaseReportsNothing();
    void noContextMenuWithoutEntries();
    void contextMenuReportsChosenText();
    void doubleClickBesideTabsReportsMinusOne();
    void doubleClickOnTabReportsItsIndex();
    void doubleClickInsideDocumentReportsNothing();

private:
    // Sends a click to whichever widget lies under the point, as a real
    // mouse would, so that ignored events bubble up as they do in use.
    void click(bool bDouble, Qt::MouseButton button, QPoint ptInTabs);
    QPoint besideLastTab() const;

    CTabWidget* m_pTabs = nullptr;
};

void TestTabWidget::init()
{
    m_pTabs = new CTabWidget;
    m_pTabs->setDocumentMode(true);
    m_pTabs->addTab(new QWidget, "first");
    m_pTabs->addTab(new QWidget, "second");
    m_pTabs->resize(600, 300);
    m_pTabs->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pTabs));
}

void TestTabWidget::cleanup()
{
    delete m_pTabs;
}

void TestTabWidget::click(bool bDouble, Qt::MouseButton button, QPoint ptInTabs)
{
    QWidget* pTarget = m_pTabs->childAt(ptInTabs);
    if (!pTarget)
        pTarget = m_pTabs;
    const QPoint ptTarget = pTarget->mapFrom(m_pTabs, ptInTabs);
    if (bDouble) {
        QTest::mouseDClick(pTarget, button, Qt::NoModifier, ptTarget);
    } else {
        QTest::mousePress(pTarget, button, Qt::NoModifier, ptTarget);
        QTest::mouseRelease(pTarget, button, Qt::NoModifier, ptTarget);
    }
}

QPoint TestTabWidget::besideLastTab() const
{
    QTabBar* pBar = m_pTabs->tabBar();
    const QRect rcLast = pBar->tabRect(pBar->count() - 1);
    return pBar->mapTo(m_pTabs, QPoint(rcLast.right() + 40, rcLast.center().y()));
}

void TestTabWidget::middleReleaseReportsTabUnderMouse()
{
    QSignalSpy spy(m_pTabs, &CTabWidget::emitMidButtonRelease);
    QTabBar* pBar = m_pTabs->tabBar();
    click(false, Qt::MiddleButton, pBar->mapTo(m_pTabs, pBar->tabRect(1).center()));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 1);
    click(false, Qt::MiddleButton, pBar->mapTo(m_pTabs, pBar->tabRect(0).center()));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), 0);
}

void TestTabWidget::middleReleaseBesideLastTabReportsMinusOne()
{
    QSignalSpy spy(m_pTabs, &CTabWidget::emitMidButtonRelease);
    click(false, Qt::MiddleButton, besideLastTab());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), -1);
}

void TestTabWidget::leftReleaseReportsNothing()
{
    QSignalSpy spy(m_pTabs, &CTabWidget::emitMidButtonRelease);
    click(false, Qt::LeftButton, besideLastTab());
    QCOMPARE(spy.count(), 0);
}

void TestTabWidget::noContextMenuWithoutEntries()
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, besideLastTab());
    QApplication::sendEvent(m_pTabs, &event);
    QCOMPARE(QApplication::activePopupWidget(), nullptr);
}

void TestTabWidget::contextMenuReportsChosenText()
{
    m_pTabs->setContextActions({"Open position of file", "Other"});
    QSignalSpy spy(m_pTabs, &CTabWidget::clickAction);
    QContextMenuEvent event(QContextMenuEvent::Mouse, besideLastTab());
    QApplication::sendEvent(m_pTabs, &event);
    auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(pMenu);
    QCOMPARE(pMenu->actions().size(), 2);
    pMenu->actions().at(1)->trigger();
    pMenu->close();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toString(), QString("Other"));
}

void TestTabWidget::doubleClickBesideTabsReportsMinusOne()
{
    QSignalSpy spy(m_pTabs, &QTabWidget::tabBarDoubleClicked);
    click(true, Qt::LeftButton, besideLastTab());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), -1);
}

void TestTabWidget::doubleClickOnTabReportsItsIndex()
{
    QSignalSpy spy(m_pTabs, &QTabWidget::tabBarDoubleClicked);
    QTabBar* pBar = m_pTabs->tabBar();
    click(true, Qt::LeftButton, pBar->mapTo(m_pTabs, pBar->tabRect(1).center()));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 1);
}

void TestTabWidget::doubleClickInsideDocumentReportsNothing()
{
    QSignalSpy spy(m_pTabs, &QTabWidget::tabBarDoubleClicked);
    QWidget* pPage = m_pTabs->currentWidget();
    click(true, Qt::LeftButton, pPage->mapTo(m_pTabs, pPage->rect().center()));
    QCOMPARE(spy.count(), 0);
}

QTEST_MAIN(TestTabWidget)
#include "tst_tabwidget.moc"
