// Paths that are not documents, through every way a path reaches the window
// (command line, Open dialog, drop): each gives a clear message or a sensible
// view, never a hang, a crash or a file read into memory without bound.
#include "common/ModalDriver.h"
#include "common/TestEnv.h"
#include "editor/CHighlightEdit.h"
#include "mainwindow/CTabWidget.h"
#include "mainwindow/MainWindow.h"

#include <QAction>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>
#include <qpa/qplatformdrag.h>
#include <qpa/qwindowsysteminterface.h>
#include <sys/stat.h>
#include <unistd.h>

class TestBadInput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void openBadPath_data();
    void openBadPath();

private:
    QString path(const QString& strKind) const;
    std::unique_ptr<TestEnv> m_pEnv;
    QTemporaryDir m_dir;
    MainWindow* m_pWindow = nullptr;
};

void TestBadInput::initTestCase()
{
    const QDir dir(m_dir.path());
    QVERIFY(dir.mkdir("folder"));
    QVERIFY(::mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600) == 0);
    QFile unreadable(dir.filePath("unreadable.txt"));
    QVERIFY(unreadable.open(QIODevice::WriteOnly));
    unreadable.write("secret");
    unreadable.close();
    QVERIFY(unreadable.setPermissions(QFileDevice::WriteOwner));
    QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("broken-link.txt")));
    QFile huge(dir.filePath("huge.log"));
    QVERIFY(huge.open(QIODevice::WriteOnly));
    QVERIFY(huge.resize(3LL * 1024 * 1024 * 1024)); // sparse: takes no disk
    huge.close();
    QFile binary(dir.filePath("program.bin"));
    QVERIFY(binary.open(QIODevice::WriteOnly));
    QByteArray arrBinary;
    for (int i = 0; i < 70000; ++i)
        arrBinary.append(char((i * 7919) % 256));
    binary.write(arrBinary);
    binary.close();
    QFile empty(dir.filePath("empty.txt"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
}

void TestBadInput::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pWindow = new MainWindow;
    m_pWindow->resize(800, 600);
    m_pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pWindow));
}

void TestBadInput::cleanup()
{
    delete m_pWindow;
    m_pEnv.reset();
}

QString TestBadInput::path(const QString& strKind) const
{
    if (strKind == "device")
        return "/dev/zero";
    if (strKind == "vanished")
        return m_dir.filePath("listed-then-gone.txt");
    return m_dir.filePath(QMap<QString, QString>{{"folder", "folder"}, {"fifo", "fifo"},
                                                 {"unreadable", "unreadable.txt"},
                                                 {"broken link", "broken-link.txt"},
                                                 {"3 GB", "huge.log"}, {"binary", "program.bin"},
                                                 {"empty", "empty.txt"}}
                              .value(strKind));
}

void TestBadInput::openBadPath_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("opens");   // a tab shows it
    QTest::addColumn<bool>("message"); // a box tells why not
    const struct {
        const char* szKind;
        bool bOpens;
        bool bMessage;
    } arrKinds[] = {{"folder", false, false}, {"device", false, true},     {"fifo", false, true},
                    {"unreadable", false, true}, {"broken link", false, true}, {"vanished", false, true},
                    {"3 GB", false, true},      {"binary", true, false},   {"empty", true, false}};
    for (const auto& kind : arrKinds) {
        for (const char* szWay : {"command line", "open dialog", "drop"}) {
            // An Open dialog lists files; choosing a folder there enters it.
            if (QByteArray(szWay) == "open dialog" && QByteArray(kind.szKind) == "folder")
                continue;
            // Only the command line names what no longer exists: silently skipped.
            const bool bMessage = kind.bMessage
                                  && !(QByteArray(szWay) == "command line"
                                       && QByteArray(kind.szKind) == "vanished");
            QTest::newRow(qPrintable(QString("%1 by %2").arg(kind.szKind, szWay)))
                << kind.szKind << szWay << kind.bOpens << bMessage;
        }
    }
}

void TestBadInput::openBadPath()
{
    QFETCH(QString, kind);
    QFETCH(QString, way);
    QFETCH(bool, opens);
    QFETCH(bool, message);
    if (kind == "unreadable" && ::geteuid() == 0)
        QSKIP("root reads every file");
    const QString strPath = path(kind);
    auto* pTabs = m_pWindow->findChild<CTabWidget*>();
    ModalDriver driver;
    if (way == "open dialog" && (kind == "vanished" || kind == "broken link")) {
        // The dialog takes only what exists: the file goes right after.
        const QString strGone = kind == "vanished" ? strPath : m_dir.filePath("nowhere");
        QFile file(strGone);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        driver.onNextModal([strPath, strGone](QWidget* pWidget) {
            auto* pDialog = qobject_cast<QFileDialog*>(pWidget);
            pDialog->selectFile(strPath);
            // The dialog's listing runs in a thread of its own: the typed name counts.
            pDialog->findChild<QLineEdit*>("fileNameEdit")->setText(strPath);
            static_cast<QDialog*>(pDialog)->accept();
            QFile::remove(strGone);
        });
    } else if (way == "open dialog") {
        driver.chooseFile(strPath);
    }
    driver.answer(QMessageBox::Ok);
    if (way == "command line") {
        m_pWindow->parseArguments({strPath});
    } else if (way == "open dialog") {
        m_pWindow->findChild<QAction*>("actionOpen")->trigger();
    } else {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(strPath)});
        const QPoint pt(400, 300);
        QWindowSystemInterface::handleDrag(m_pWindow->windowHandle(), &mime, pt, Qt::CopyAction,
                                           Qt::LeftButton, Qt::NoModifier);
        QWindowSystemInterface::handleDrop(m_pWindow->windowHandle(), &mime, pt, Qt::CopyAction,
                                           Qt::LeftButton, Qt::NoModifier);
    }
    QCOMPARE(pTabs->count(), opens ? 1 : 0);
    const int nBoxes = driver.seen().size() - (way == "open dialog" ? 1 : 0);
    QCOMPARE(nBoxes, message ? 1 : 0);
    if (message)
        QCOMPARE(driver.seen().last().strTitle, QString("Fail to open file"));
    if (opens && kind == "binary")
        QVERIFY(!qobject_cast<CHighlightEdit*>(pTabs->widget(0))->toPlainText().isEmpty());
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
