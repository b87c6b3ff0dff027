// The preview dock's content: which viewer shows a file, the dock title,
// the text limit cut at a character boundary, the context menu, and pages
// from disk kept from reading local files or reaching the network.
#include "common/TestEnv.h"
#include "common/WebWait.h"
#include "editor/CHighlightEdit.h"
#include "highlight/CHighlightMgt.h"
#include "util/CPlatformStarter.h"
#include "web/CEditWebView.h"
#include "web/CImageWidget.h"
#include "web/CPreviewWidget.h"
#include "web/PreviewBytes.h"

#include <QDBusMessage>
#include <QDockWidget>
#include <QScrollBar>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QWebFrame>
#include <QtTest>
#include <sys/stat.h>

namespace {

class RecordingStarter : public CPlatformStarter
{
public:
    bool callSessionBus(const QDBusMessage& msg, std::function<void(bool)>) override
    {
        m_lstUris += msg.arguments().value(0).toStringList();
        return true;
    }
    QStringList m_lstUris;
};

} // namespace

class TestPreviewWidget : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void viewerByKind_data();
    void viewerByKind();
    void folderOrMissingChangesNothing();
    void textLimit_data();
    void textLimit();
    void characterBoundary_data();
    void characterBoundary();
    void sameTextKeepsView();
    void htmlTextReadOnly();
    void contextMenuFollowsPath();
    void pageScriptsReadNothingLocal();
    void pageScriptsReachNoNetwork();

private:
    QString writeFile(const QString& strName, const QByteArray& arr);

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
    QDockWidget* m_pDock = nullptr;
    CPreviewWidget* m_pPreview = nullptr;
    CHighlightMgt* m_pMgt = nullptr;
};

void TestPreviewWidget::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pDock = new QDockWidget("Preview");
    m_pPreview = new CPreviewWidget(m_pDock);
    m_pDock->setWidget(m_pPreview);
    m_pMgt = new CHighlightMgt(QFINDTESTDATA("../../highlighter"), m_pDock);
    m_pPreview->setHighlightMgt(m_pMgt);
    m_pDock->resize(500, 400);
    m_pDock->show();
}

void TestPreviewWidget::cleanup()
{
    delete m_pDock;
    m_pEnv.reset();
}

QString TestPreviewWidget::writeFile(const QString& strName, const QByteArray& arr)
{
    const QString strPath = m_pDir->filePath(strName);
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(arr) != arr.size())
        return QString();
    return strPath;
}

void TestPreviewWidget::viewerByKind_data()
{
    QTest::addColumn<QString>("strName");
    QTest::addColumn<QByteArray>("arrContent");
    QTest::addColumn<QString>("strClass");
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QByteArray arrPng;
    QBuffer buffer(&arrPng);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    QTest::newRow("page, suffix in capitals") << "page.HTML" << QByteArray("<p>page</p>") << "QWebView";
    QTest::newRow("htm") << "old.htm" << QByteArray("<p>page</p>") << "QWebView";
    QTest::newRow("image") << "pic.PNG" << arrPng << "CImageWidget";
    QTest::newRow("svg image") << "logo.svg"
                               << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' width='4' "
                                             "height='4'><rect width='4' height='4'/></svg>")
                               << "CImageWidget";
    QTest::newRow("text") << "main.cpp" << QByteArray("int main() {}\n") << "CHighlightEdit";
}

void TestPreviewWidget::viewerByKind()
{
    QFETCH(QString, strName);
    QFETCH(QByteArray, arrContent);
    QFETCH(QString, strClass);
    const QString strPath = writeFile(strName, arrContent);
    m_pPreview->previewFile(strPath);
    QWidget* pView = m_pPreview->currentView();
    QVERIFY(pView);
    QCOMPARE(QString(pView->metaObject()->className()), strClass);
    QCOMPARE(m_pDock->windowTitle(), "Preview(" + strName + ")");
    QCOMPARE(m_pPreview->pathFileName(), strPath);
    if (auto* pWeb = qobject_cast<QWebView*>(pView))
        QTRY_COMPARE(pWeb->page()->mainFrame()->toPlainText(), QString("page"));
    else if (auto* pImage = qobject_cast<CImageWidget*>(pView))
        QVERIFY(!pImage->image().isNull());
    else if (auto* pText = qobject_cast<CHighlightEdit*>(pView)) {
        QVERIFY(pText->isReadOnly());
        QCOMPARE(pText->toPlainText(), QString("int main() {}\n"));
        QCOMPARE(pText->getLanguage(), QString("C++"));
    }
}

void TestPreviewWidget::folderOrMissingChangesNothing()
{
    const QString strPath = writeFile("notes.txt", "notes");
    m_pPreview->previewFile(strPath);
    QWidget* pView = m_pPreview->currentView();
    // A pipe named as a page would block a reader for good.
    QVERIFY(::mkfifo(QFile::encodeName(m_pDir->filePath("pipe.html")).constData(), 0600) == 0);
    for (const QString& strOther : {m_pDir->path(), m_pDir->filePath("missing.txt"), m_pDir->filePath("pipe.html")}) {
        m_pPreview->previewFile(strOther);
        m_pPreview->setPreviewFile(strOther, true);
        QCOMPARE(m_pPreview->currentView(), pView);
        QCOMPARE(m_pDock->windowTitle(), QString("Preview(notes.txt)"));
    }
    // Text of a document without a file has no name in the title.
    m_pPreview->setPreviewFile(QString(), false);
    m_pPreview->previewHtmlText("<p>x</p>", QUrl());
    QCOMPARE(m_pDock->windowTitle(), QString("Preview"));
}

void TestPreviewWidget::textLimit_data()
{
    QTest::addColumn<QByteArray>("arrFile");
    QTest::addColumn<QString>("strCodec");
    QTest::addColumn<int>("nShownBytes");
    const int nLimit = CPreviewWidget::TextLimit;
    QByteArray arrAscii(600000, 'a');
    QTest::newRow("ASCII") << arrAscii << "" << nLimit;
    // A three-byte character at bytes 499999..500001.
    QByteArray arrUtf8 = QByteArray(nLimit - 1, 'a') + "\xe4\xb8\xad" + QByteArray(99998, 'b');
    QTest::newRow("UTF-8 straddling the cut") << arrUtf8 << "UTF-8" << nLimit - 1;
    QByteArray arrUtf8Fits = QByteArray(nLimit - 3, 'a') + "\xe4\xb8\xad" + QByteArray(99997, 'b');
    QTest::newRow("UTF-8 ending at the cut") << arrUtf8Fits << "UTF-8" << nLimit;
    // UTF-16 with a surrogate pair (U+1F600) across the cut.
    const QString strText =
        QString(249998, QChar('x')) + QString::fromUcs4(U"\U0001F600") + QString(50000, 'y');
    QByteArray arrUtf16("\xff\xfe", 2);
    for (const QChar ch : strText)
        arrUtf16 += char(ch.unicode() & 0xff) + QByteArray(1, char(ch.unicode() >> 8));
    QTest::newRow("UTF-16 surrogate across the cut") << arrUtf16 << "UTF-16" << nLimit - 2;
}

void TestPreviewWidget::textLimit()
{
    QFETCH(QByteArray, arrFile);
    QFETCH(QString, strCodec);
    QFETCH(int, nShownBytes);
    const QString strPath = writeFile("big.txt", arrFile);
    m_pPreview->previewFile(strPath);
    auto* pText = qobject_cast<CHighlightEdit*>(m_pPreview->currentView());
    QVERIFY(pText);
    if (!strCodec.isEmpty())
        QVERIFY2(pText->codecName().startsWith(strCodec), qPrintable(pText->codecName()));
    QTextCodec* pCodec = QTextCodec::codecForName(pText->codecName().toLatin1());
    QVERIFY(pCodec);
    QString strExpected = pCodec->toUnicode(arrFile.left(nShownBytes));
    QCOMPARE(pText->toPlainText().size(), strExpected.size());
    QVERIFY(pText->toPlainText() == strExpected);
}

void TestPreviewWidget::characterBoundary_data()
{
    QTest::addColumn<QByteArray>("arrCut");
    QTest::addColumn<int>("nBoundary");
    QTest::newRow("ASCII") << QByteArray("abc") << 3;
    QTest::newRow("whole 2-byte") << QByteArray("a\xc3\xa9") << 3;
    QTest::newRow("half 2-byte") << QByteArray("a\xc3") << 1;
    QTest::newRow("1 of 4") << QByteArray("ab\xf0") << 2;
    QTest::newRow("3 of 4") << QByteArray("ab\xf0\x9f\x98") << 2;
    QTest::newRow("whole 4-byte") << QByteArray("ab\xf0\x9f\x98\x80") << 6;
    QTest::newRow("Latin-1 left alone") << QByteArray("caf\xe9 cr\xe8me br\xfbl\xe9") << 16;
    QTest::newRow("UTF-16LE odd") << QByteArray("\xff\xfe" "a\0b", 5) << 4;
    QTest::newRow("UTF-16BE high surrogate") << QByteArray("\xfe\xff\0a\xd8\x3d", 6) << 4;
    QTest::newRow("UTF-32LE") << QByteArray("\xff\xfe\0\0a\0\0\0b\0", 10) << 8;
}

void TestPreviewWidget::characterBoundary()
{
    QFETCH(QByteArray, arrCut);
    QFETCH(int, nBoundary);
    QCOMPARE(::characterBoundary(arrCut), nBoundary);
}

void TestPreviewWidget::sameTextKeepsView()
{
    QString strText;
    for (int i = 0; i < 500; ++i)
        strText += QString("line %1\n").arg(i);
    const QString strPath = writeFile("a.txt", "on disk");
    m_pPreview->setPreviewFile(strPath, false);
    m_pPreview->previewText(strText);
    auto* pText = qobject_cast<CHighlightEdit*>(m_pPreview->currentView());
    QVERIFY(pText);
    pText->verticalScrollBar()->setValue(200);
    m_pPreview->previewText(strText);
    QCOMPARE(m_pPreview->currentView(), pText);
    QCOMPARE(pText->verticalScrollBar()->value(), 200);
    // Other text, or the same text of another file, is shown anew.
    for (const QString& strOther : {strText + "more", QString()}) {
        m_pPreview->previewText(strOther);
        pText = qobject_cast<CHighlightEdit*>(m_pPreview->currentView());
        QVERIFY(pText && pText->toPlainText() == strOther);
    }
    // The file's own preview is not taken for an empty text of it.
    m_pPreview->previewFile(strPath);
    m_pPreview->previewText(QString());
    pText = qobject_cast<CHighlightEdit*>(m_pPreview->currentView());
    QVERIFY(pText && pText->toPlainText().isEmpty());
    const QPointer<CHighlightEdit> pOld(pText);
    const QString strOtherPath = writeFile("b.txt", "");
    m_pPreview->setPreviewFile(strOtherPath, false);
    m_pPreview->previewText(QString());
    pText = qobject_cast<CHighlightEdit*>(m_pPreview->currentView());
    QVERIFY(!pOld && pText && pText->filePath() == strOtherPath);
}

void TestPreviewWidget::htmlTextReadOnly()
{
    writeFile("pic.png", QByteArray());
    auto* pPage = m_pPreview->findChild<CEditWebView*>();
    QVERIFY(!pPage);
    m_pPreview->setPreviewFile(writeFile("doc.html", "<p>disk</p>"), false);
    m_pPreview->previewHtmlText("<title>T</title><p>from the editor</p>",
                                QUrl::fromLocalFile(m_pDir->filePath("doc.html")));
    pPage = qobject_cast<CEditWebView*>(m_pPreview->currentView());
    QVERIFY(pPage);
    QVERIFY(!pPage->page()->isContentEditable());
    QTRY_COMPARE(pPage->page()->mainFrame()->toPlainText(), QString("from the editor"));
    QCOMPARE(m_pDock->windowTitle(), QString("Preview(doc.html)"));
    // Another kind hides it.
    m_pPreview->previewSvgText("<svg/>");
    QVERIFY(pPage->isHidden());
    QCOMPARE(QString(m_pPreview->currentView()->metaObject()->className()), QString("CImageWidget"));
}

void TestPreviewWidget::contextMenuFollowsPath()
{
    RecordingStarter starter;
    setPlatformStarter(&starter);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5));
    QCoreApplication::sendEvent(m_pPreview, &event);
    QVERIFY(!m_pPreview->exploreAction()->isEnabled());
    const QString strPath = writeFile("a.txt", "a");
    m_pPreview->previewFile(strPath);
    QCoreApplication::sendEvent(m_pPreview, &event);
    QVERIFY(m_pPreview->exploreAction()->isEnabled());
    m_pPreview->exploreAction()->trigger();
    setPlatformStarter(nullptr);
    QCOMPARE(starter.m_lstUris, QStringList{QUrl::fromLocalFile(strPath).toString(QUrl::FullyEncoded)});
}

void TestPreviewWidget::pageScriptsReadNothingLocal()
{
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    QVERIFY(img.save(m_pDir->filePath("pic.png")));
    writeFile("style.css", "p { color: rgb(1, 2, 3); }");
    writeFile("secret.txt", "SECRET");
    QDir(m_pDir->path()).mkdir("sub");
    writeFile("sub/other.html", "<p>SECRET</p>");
    const QString strPath = writeFile("page.html", R"(<html><head>
        <link rel="stylesheet" href="style.css"></head><body><p>text</p><img src="pic.png">
        <iframe src="sub/other.html"></iframe><script>
        window.onload = function() {
            var r = [];
            ['secret.txt', 'file://)" + m_pDir->filePath("secret.txt").toUtf8() + R"('].forEach(function(u) {
                try { var x = new XMLHttpRequest(); x.open('GET', u, false); x.send();
                      r.push(x.responseText); } catch (e) { r.push('refused'); }
            });
            try { r.push(frames[0].document.body.textContent); } catch (e) { r.push('refused'); }
            r.push(document.images[0].naturalWidth);
            r.push(getComputedStyle(document.querySelector('p')).color);
            document.title = r.join('|');
        };</script></body></html>)");
    m_pPreview->previewFile(strPath);
    auto* pWeb = qobject_cast<QWebView*>(m_pPreview->currentView());
    QVERIFY(pWeb);
    QTRY_VERIFY(!pWeb->title().isEmpty());
    QCOMPARE(pWeb->title(), QString("refused|refused|refused|20|rgb(1, 2, 3)"));
}

void TestPreviewWidget::pageScriptsReachNoNetwork()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    int nConnections = 0;
    connect(&server, &QTcpServer::newConnection, &server, [&]() {
        while (QTcpSocket* pSocket = server.nextPendingConnection()) {
            ++nConnections;
            pSocket->deleteLater();
        }
    });
    QByteArray arrPage = R"JS(<html><body>
        <img src="http://HOST/img.png"><form id="f" method="post" action="http://HOST/f">
        <input name="q" value="data"></form><script>
        var r = [];
        function attempt(name, fn) {
            try { fn(); r.push(name + ':tried'); } catch (e) { r.push(name + ':refused'); }
        }
        attempt('xhr', function() {
            var x = new XMLHttpRequest(); x.open('POST', 'http://HOST/x'); x.send('data'); });
        attempt('image', function() { new Image().src = 'http://HOST/i?data'; });
        attempt('socket', function() { new WebSocket('ws://HOST/s'); });
        attempt('frame socket', function() {
            var f = document.createElement('iframe'); document.body.appendChild(f);
            new f.contentWindow.WebSocket('ws://HOST/s'); });
        attempt('worker', function() {
            new Worker(URL.createObjectURL(new Blob(["new WebSocket('ws://HOST/w')"]))); });
        attempt('source', function() { new EventSource('http://HOST/e'); });
        attempt('beacon', function() { navigator.sendBeacon('http://HOST/b', 'data'); });
        attempt('form', function() { document.getElementById('f').submit(); });
        document.title = r.join(' ');
        </script></body></html>)JS";
    arrPage.replace("HOST", "127.0.0.1:" + QByteArray::number(server.serverPort()));
    const QString strPath = writeFile("page.html", arrPage);
    m_pPreview->previewFile(strPath);
    auto* pWeb = qobject_cast<QWebView*>(m_pPreview->currentView());
    QVERIFY(pWeb);
    QTRY_VERIFY(!pWeb->title().isEmpty());
    QVERIFY2(pWeb->title().contains("socket:refused") && pWeb->title().contains("frame socket:refused")
                 && pWeb->title().contains("worker:refused"),
             qPrintable(pWeb->title()));
    // Requests are refused before any connection; give them time to try.
    QTest::qWait(1000);
    QCOMPARE(nConnections, 0);
}

QTEST_MAIN(TestPreviewWidget)
#include "tst_previewwidget.moc"
