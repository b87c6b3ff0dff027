// The HTML page editor: title and modified flag, keys and focus, links under
// the mouse, rich-text operations at a selection, find and replace, and what
// a page saves (its scripts kept from running, document type and encoding).
#include "app/CSettings.h"
#include "app/Globals.h"
#include "common/TestEnv.h"
#include "common/WebWait.h"
#include "editor/CHighlightEdit.h"
#include "web/CEditWebView.h"
#include "web/PageScript.h"

#include <QLineEdit>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWebElement>
#include <QWebFrame>
#include <QWebSettings>
#include <QtTest>

class TestEditWebView : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void displayTitle_data();
    void displayTitle();
    void modifiedSurvivesLoadSetOnPurpose();
    void keysAndFocus();
    void overUrl();
    void formatAtSelection_data();
    void formatAtSelection();
    void scriptsNeverRun();
    void savedMarkup_data();
    void savedMarkup();
    void localFilesAndImages();
    void largePageArrivesWhole();
    void find_data();
    void find();
    void replace_data();
    void replace();
    void sourceFollowsPage();

private:
    QString body() const { return m_pView->page()->mainFrame()->toPlainText(); }
    QString writeFile(const QString& strName, const QByteArray& arr);
    bool loadFile(CEditWebView* pView, const QString& strPath)
    {
        return loadAndWait(pView, [&]() { pView->loadFile(strPath); });
    }

    std::unique_ptr<TestEnv> m_pEnv;
    std::unique_ptr<QTemporaryDir> m_pDir;
    CEditWebView* m_pView = nullptr;
};

void TestEditWebView::init()
{
    m_pEnv = std::make_unique<TestEnv>();
    m_pDir = std::make_unique<QTemporaryDir>();
    m_pView = new CEditWebView;
    m_pView->resize(600, 400);
    m_pView->show();
}

void TestEditWebView::cleanup()
{
    delete m_pView;
    m_pEnv.reset();
}

QString TestEditWebView::writeFile(const QString& strName, const QByteArray& arr)
{
    QFile file(m_pDir->filePath(strName));
    return file.open(QIODevice::WriteOnly) && file.write(arr) == arr.size() ? file.fileName() : QString();
}

void TestEditWebView::displayTitle_data()
{
    QTest::addColumn<QString>("strHtml");
    QTest::addColumn<QString>("strPath");
    QTest::addColumn<bool>("bModified");
    QTest::addColumn<QString>("strTitle");
    QTest::newRow("new page") << "<p>x</p>" << "" << false << "Untitled";
    QTest::newRow("new page modified") << "<p>x</p>" << "" << true << "Untitled*";
    QTest::newRow("file name") << "<p>x</p>" << "/tmp/a/page.html" << false << "page.html";
    QTest::newRow("title beats path") << "<title>Home</title>" << "/tmp/a/page.html" << true << "Home*";
}

void TestEditWebView::displayTitle()
{
    QFETCH(QString, strHtml);
    QFETCH(QString, strPath);
    QFETCH(bool, bModified);
    QFETCH(QString, strTitle);
    QVERIFY(setHtmlAndWait(m_pView, strHtml));
    m_pView->setPathFileName(strPath);
    m_pView->setModified(bModified);
    QCOMPARE(m_pView->displayTitle(), strTitle);
    QCOMPARE(m_pView->sourceEditor()->isModified(), bModified);
}

void TestEditWebView::modifiedSurvivesLoadSetOnPurpose()
{
    // The swap back from the source loads new markup and then sets the
    // source's modified state; the end of that load must not undo it.
    QVERIFY(loadAndWait(m_pView, [this]() {
        m_pView->setHtml("<p>one</p><img src='missing.png'>", QUrl::fromLocalFile(m_pDir->filePath("x.html")));
        m_pView->setModified(true);
    }));
    QVERIFY(m_pView->isModified());
    QVERIFY(setHtmlAndWait(m_pView, "<p>two</p>"));
    QVERIFY(m_pView->isModified());
}

void TestEditWebView::keysAndFocus()
{
    // As in a tab: the view among other widgets of a window.
    QWidget window;
    auto* pLayout = new QVBoxLayout(&window);
    auto* pView = new CEditWebView;
    pLayout->addWidget(pView);
    pLayout->addWidget(new QLineEdit);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(setHtmlAndWait(pView, "<p>Hello world</p>"));
    QWebPage* pPage = pView->page();
    QTest::keyPress(pView, Qt::Key_Control);
    QVERIFY(!pPage->isContentEditable());
    QTest::keyRelease(pView, Qt::Key_Shift);
    QVERIFY(!pPage->isContentEditable());
    QTest::keyRelease(pView, Qt::Key_Control);
    QVERIFY(pPage->isContentEditable());

    // Hiding the focused page (a tab switch) types nothing into it, and
    // Control released elsewhere never leaves it read-only.
    const QString strBefore = pView->toHtml();
    window.activateWindow();
    pView->setFocus();
    QVERIFY(pPage->findText("world"));
    QTRY_VERIFY(pView->hasFocus());
    QTest::keyPress(pView, Qt::Key_Control);
    pView->hide();
    QCOMPARE(pView->toHtml(), strBefore);
    QVERIFY(pPage->isContentEditable());
    // A Tab typed into the page goes into the page.
    pView->show();
    pView->setFocus();
    QTRY_VERIFY(pView->hasFocus());
    QTest::keyClick(pView, Qt::Key_Tab);
    QVERIFY(pView->toHtml() != strBefore);

    // A read-only page stays read-only.
    pView->setEditable(false);
    QTest::keyPress(pView, Qt::Key_Control);
    QTest::keyRelease(pView, Qt::Key_Control);
    QVERIFY(!pPage->isContentEditable());
}

void TestEditWebView::overUrl()
{
    QVERIFY(setHtmlAndWait(m_pView,
                           "<body style='margin:0'><a href='sub/next.html' style='display:block;height:50px'>"
                           "link</a><p style='height:50px;margin:0'>plain</p></body>",
                           QUrl::fromLocalFile("/srv/site/index.html")));
    QSignalSpy spy(m_pView, &CEditWebView::overUrl);
    for (const int nY : {75, 25}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(10, nY), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_pView, &move);
    }
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.first().first().toString(), QString("file:///srv/site/sub/next.html"));
}

void TestEditWebView::formatAtSelection_data()
{
    QTest::addColumn<QString>("strOperation");
    QTest::addColumn<QString>("strValue");
    QTest::addColumn<QString>("strMarkup");
    QTest::newRow("bold") << "bold" << "" << "<b>world</b>";
    QTest::newRow("italic") << "italic" << "" << "<i>world</i>";
    QTest::newRow("underline") << "underline" << "" << "<u>world</u>";
    QTest::newRow("font") << "font" << "DejaVu Sans Mono" << "font-family: 'DejaVu Sans Mono'";
    QTest::newRow("text colour") << "fore" << "#ff0000" << "color: rgb(255, 0, 0)";
    QTest::newRow("background") << "back" << "#00ff00" << "background-color: rgb(0, 255, 0)";
    // Sizes in points; written in whole pixels.
    QTest::newRow("size 18") << "size" << "18" << "<span style=\"font-size: 24px;\">world";
    QTest::newRow("size 11") << "size" << "11" << "<span style=\"font-size: 15px;\">world";
}

void TestEditWebView::formatAtSelection()
{
    QFETCH(QString, strOperation);
    QFETCH(QString, strValue);
    QFETCH(QString, strMarkup);
    QVERIFY(setHtmlAndWait(m_pView, "<p>Hello world again</p>"));
    QVERIFY(m_pView->page()->findText("world"));
    const CEditWebView::Format before = m_pView->selectionFormat();
    const QMap<QString, QWebPage::WebAction> mapStyles = {
        {"bold", QWebPage::ToggleBold}, {"italic", QWebPage::ToggleItalic}, {"underline", QWebPage::ToggleUnderline}};
    if (mapStyles.contains(strOperation))
        m_pView->triggerPageAction(mapStyles.value(strOperation));
    else if (strOperation == "font")
        m_pView->setFontName(strValue);
    else if (strOperation == "fore")
        m_pView->setForeColor(strValue);
    else if (strOperation == "back")
        m_pView->setBackColor(strValue);
    else
        m_pView->setFontSize(strValue);
    QVERIFY2(m_pView->toHtml().contains(strMarkup), qPrintable(m_pView->toHtml()));
    QCOMPARE(m_pView->selectedText(), QString("world"));

    QCOMPARE(m_pView->isBold(), strOperation == "bold");
    QCOMPARE(m_pView->isItalic(), strOperation == "italic");
    QCOMPARE(m_pView->isUnderline(), strOperation == "underline");
    QCOMPARE(m_pView->fontName(), strOperation == "font" ? strValue : before.strFontName);
    QCOMPARE(m_pView->fontSize(), strOperation == "size" ? strValue : QString("12"));
    QCOMPARE(m_pView->foreColor(), strOperation == "fore" ? QString("rgb(255, 0, 0)") : before.strForeColor);
    QCOMPARE(m_pView->backColor(),
             strOperation == "back" ? QString("rgb(0, 255, 0)") : QString("rgb(255, 255, 255)"));

    // One step of the page's undo takes it back; the page's scripts stay off.
    m_pView->triggerPageAction(QWebPage::Undo);
    QVERIFY(!m_pView->toHtml().contains(strMarkup));
    QVERIFY(!m_pView->settings()->testAttribute(QWebSettings::JavascriptEnabled));
}

void TestEditWebView::scriptsNeverRun()
{
    const QString strPath = writeFile(
        "scripted.html",
        "<!DOCTYPE html>\n<html><head><script>document.addEventListener('DOMContentLoaded',"
        " function() { document.body.innerHTML = 'rewritten'; });"
        "document.write('<p>written</p>');</script></head>"
        "<body onload=\"document.body.setAttribute('data-onload', '1')\""
        " oninput=\"document.body.setAttribute('data-oninput', '1')\"><p>Hello world</p></body></html>");
    QVERIFY(loadFile(m_pView, strPath));
    // Our own operations run no handler of the page either.
    QVERIFY(m_pView->page()->findText("world"));
    m_pView->setForeColor("#ff0000");
    m_pView->insertText("earth");
    QCOMPARE(body(), QString("Hello earth"));
    const QString strSaved = m_pView->toHtml();
    QVERIFY2(!strSaved.contains(QRegularExpression("data-on\\w+=\"1\"")), qPrintable(strSaved));
    QVERIFY(strSaved.contains("document.body.innerHTML = 'rewritten'"));
}

void TestEditWebView::savedMarkup_data()
{
    QTest::addColumn<QByteArray>("arrFile");
    QTest::addColumn<QStringList>("lstExpected");
    QTest::addColumn<QString>("strAbsent");
    QTest::newRow("doctype kept") << QByteArray("<!DOCTYPE html>\n<html><body><p>x</p></body></html>")
                                  << QStringList{"<!DOCTYPE html>\n<html>"} << "";
    QTest::newRow("legacy doctype")
        << QByteArray("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
                      "\"http://www.w3.org/TR/html4/strict.dtd\"><html><body>x</body></html>")
        << QStringList{"<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
                       "\"http://www.w3.org/TR/html4/strict.dtd\">\n<html>"}
        << "";
    QTest::newRow("meta charset") << QByteArray("<html><head><meta charset=\"iso-8859-1\"></head><body>caf\xe9</body></html>")
                                  << QStringList{"<meta charset=\"UTF-8\">", "caf\u00e9"} << "iso-8859-1";
    QTest::newRow("http-equiv")
        << QByteArray("<html><head><meta name=\"a\" content=\"x\"><meta http-equiv=\"Content-Type\" "
                      "content=\"text/html; charset=windows-1252\"></head><body>\x80</body></html>")
        << QStringList{"<meta name=\"a\" content=\"x\">", "content=\"text/html; charset=UTF-8\"", "\u20ac"}
        << "windows-1252";
    QTest::newRow("UTF-8 already") << QByteArray("<html><head><meta charset=\"utf-8\"></head></html>")
                                   << QStringList{"<meta charset=\"utf-8\">"} << "";
    QTest::newRow("no declaration") << QByteArray("<p>\xe4\xb8\xad\xe6\x96\x87 \xc3\xa9</p>")
                                    << QStringList{"\u4e2d\u6587 \u00e9"} << "";
    QTest::newRow("xml declaration")
        << QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<!DOCTYPE html><html><body>x</body></html>")
        << QStringList{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n<html>"} << "<!--?xml";
}

void TestEditWebView::savedMarkup()
{
    QFETCH(QByteArray, arrFile);
    QFETCH(QStringList, lstExpected);
    QFETCH(QString, strAbsent);
    QVERIFY(loadFile(m_pView, writeFile("page.html", arrFile)));
    const QString strSaved = m_pView->toHtml();
    for (const QString& str : lstExpected)
        QVERIFY2(strSaved.contains(str), qPrintable(strSaved));
    QVERIFY2(strAbsent.isEmpty() || !strSaved.contains(strAbsent), qPrintable(strSaved));
    // Written as UTF-8, the page reopens with the same text.
    CEditWebView reopened;
    QVERIFY(loadFile(&reopened, writeFile("saved.html", strSaved.toUtf8())));
    QCOMPARE(reopened.page()->mainFrame()->toPlainText(), body());
}

void TestEditWebView::localFilesAndImages()
{
    QImage img(20, 10, QImage::Format_RGB32);
    img.fill(Qt::red);
    QVERIFY(img.save(m_pDir->filePath("pic.png")));
    writeFile("style.css", "p { color: rgb(1, 2, 3); }");
    writeFile("secret.txt", "SECRET");
    const QString strPage = "<html><head><link rel='stylesheet' href='style.css'></head>"
                            "<body><p>text</p><img src='pic.png'><iframe src='secret.txt'></iframe></body></html>";
    const QString strRead = R"JS(
        var r = [document.images[0].naturalWidth, getComputedStyle(document.querySelector('p')).color];
        try { var x = new XMLHttpRequest(); x.open('GET', 'secret.txt', false); x.send();
              r.push(x.responseText); } catch (e) { r.push('refused'); }
        try { r.push(document.querySelector('iframe').contentDocument.body.textContent); }
        catch (e) { r.push('refused'); }
        return r.join('|');)JS";
    // From disk, and as markup shown under the file's address: the page's
    // own images and styles show, other files stay unread even by a script
    // with the page's rights.
    QVERIFY(loadFile(m_pView, writeFile("page.html", strPage.toUtf8())));
    QCOMPARE(runPageScript(m_pView->page(), strRead).toString(), QString("20|rgb(1, 2, 3)|refused|refused"));
    const QUrl base = QUrl::fromLocalFile(m_pDir->filePath("other.html"));
    QVERIFY(loadAndWait(m_pView, [&]() { m_pView->loadHtml(strPage, base); }));
    QCOMPARE(m_pView->url(), base);
    QCOMPARE(runPageScript(m_pView->page(), strRead).toString(), QString("20|rgb(1, 2, 3)|refused|refused"));
}

void TestEditWebView::largePageArrivesWhole()
{
    QByteArray arrPage = "<!DOCTYPE html><html><head><title>Big</title></head><body>\n";
    int nParagraphs = 0;
    while (arrPage.size() < 700 * 1024)
        arrPage += "<p>paragraph " + QByteArray::number(++nParagraphs) + " \xc3\xa9t\xc3\xa9</p>\n";
    const QString strPath = writeFile("big.html", arrPage + "</body></html>");
    // A load stopped half way (another file chosen) ends cleanly.
    QVERIFY(m_pView->loadFile(strPath));
    QTest::qWait(100);
    m_pView->stop();
    QTRY_VERIFY(!m_pView->isLoading());
    QVERIFY(loadFile(m_pView, strPath));
    QCOMPARE(m_pView->title(), QString("Big"));
    QCOMPARE(m_pView->page()->mainFrame()->findAllElements("p").count(), nParagraphs);
    QVERIFY(m_pView->toHtml().contains(QString("<p>paragraph %1 \u00e9t\u00e9</p>").arg(nParagraphs)));
}

void TestEditWebView::find_data()
{
    QTest::addColumn<QString>("strFind");
    QTest::addColumn<bool>("bCase");
    QTest::addColumn<bool>("bWord");
    QTest::addColumn<bool>("bUp");
    QTest::addColumn<bool>("bPrevious");
    QTest::addColumn<QString>("strMarked"); // the text with the match replaced by X
    QTest::newRow("any case") << "HELLO" << false << false << false << false << "X world, hello";
    QTest::newRow("match case") << "HELLO" << true << false << false << false << "";
    QTest::newRow("inside a word") << "ell" << false << false << false << false << "hXo world, hello";
    QTest::newRow("whole word") << "ell" << false << true << false << false << "";
    QTest::newRow("word start") << "hel" << false << true << false << false << "Xlo world, hello";
    QTest::newRow("up") << "hello" << false << false << true << false << "hello world, X";
    QTest::newRow("previous") << "hello" << false << false << false << true << "hello world, X";
    QTest::newRow("previous of up") << "hello" << false << false << true << true << "X world, hello";
    QTest::newRow("previous, none") << "zzz" << false << false << true << true << "";
    QTest::newRow("empty") << "" << false << false << false << false << "";
}

void TestEditWebView::find()
{
    QFETCH(QString, strFind);
    QFETCH(bool, bCase);
    QFETCH(bool, bWord);
    QFETCH(bool, bUp);
    QFETCH(bool, bPrevious);
    QFETCH(QString, strMarked);
    QVERIFY(setHtmlAndWait(m_pView, "<p>hello world, hello</p>"));
    g_pSettings->m_bFindMatchCase = bCase;
    g_pSettings->m_bFindMatchWholeWord = bWord;
    g_pSettings->m_bFindSearchUp = bUp;
    g_pSettings->m_bFindWrapSearch = false;
    const bool bFound = bPrevious ? m_pView->findPrevious(strFind, true) : m_pView->findText(strFind, true);
    QCOMPARE(bFound, !strMarked.isEmpty());
    QCOMPARE(g_pSettings->m_bFindSearchUp, bUp);
    if (bFound) {
        m_pView->insertText("X");
        QCOMPARE(body(), strMarked);
    }
}

void TestEditWebView::replace_data()
{
    QTest::addColumn<QString>("strHtml");
    QTest::addColumn<QString>("strFind");
    QTest::addColumn<QString>("strReplacement");
    QTest::addColumn<bool>("bUp");
    QTest::addColumn<bool>("bCase");
    QTest::addColumn<QString>("strText");
    QTest::addColumn<int>("nCount");
    QTest::newRow("down") << "<p>cat dog cat</p><p>cat</p>" << "cat" << "cow" << false << false
                          << "cow dog cow\n\ncow" << 3;
    QTest::newRow("search up") << "<p>cat dog cat</p><p>cat</p>" << "cat" << "cow" << true << false
                               << "cow dog cow\n\ncow" << 3;
    QTest::newRow("grows") << "<p>aaa</p>" << "a" << "aa" << false << false << "aaaaaa" << 3;
    QTest::newRow("removes") << "<p>a-b-c</p>" << "-" << "" << true << false << "abc" << 2;
    QTest::newRow("absent") << "<p>abc</p>" << "x" << "y" << false << false << "abc" << 0;
    QTest::newRow("match case") << "<p>Cat cat</p>" << "cat" << "dog" << false << true << "Cat dog" << 1;
    QTest::newRow("replacement is text") << "<p>a b</p>" << "b" << "<i>x</i>'\"\\\u2028" << false << false
                                         << "a <i>x</i>'\"\\\u2028" << 1;
    QTest::newRow("across styles") << "<p><b>cat</b> and <i>cat</i></p>" << "cat" << "dog" << true << false
                                   << "dog and dog" << 2;
}

void TestEditWebView::replace()
{
    QFETCH(QString, strHtml);
    QFETCH(QString, strFind);
    QFETCH(QString, strReplacement);
    QFETCH(bool, bUp);
    QFETCH(bool, bCase);
    QFETCH(QString, strText);
    QFETCH(int, nCount);
    QVERIFY(setHtmlAndWait(m_pView, strHtml));
    g_pSettings->m_bFindSearchUp = bUp;
    g_pSettings->m_bFindMatchCase = bCase;
    int nReplaced = -1;
    QVERIFY(m_pView->replaceAll(strFind, strReplacement, &nReplaced));
    QCOMPARE(body(), strText);
    QCOMPARE(nReplaced, nCount);

    // One at a time: the match shown selected is replaced first.
    QVERIFY(setHtmlAndWait(m_pView, strHtml));
    if (m_pView->findText(strFind, true)) {
        const QString strBefore = body();
        QVERIFY(m_pView->replaceNext(strFind, "#"));
        QCOMPARE(body().count('#'), 1);
        const Qt::CaseSensitivity cs = bCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
        QCOMPARE(body().indexOf('#'), bUp ? strBefore.lastIndexOf(strFind, -1, cs) : strBefore.indexOf(strFind, 0, cs));
    }
    // A page shown read-only is never changed.
    m_pView->setEditable(false);
    const QString strReadOnly = body();
    QVERIFY(!m_pView->replaceNext(strFind, "1"));
    QVERIFY(m_pView->replaceAll(strFind, "1", &nReplaced));
    QCOMPARE(nReplaced, 0);
    QCOMPARE(body(), strReadOnly);
}

void TestEditWebView::sourceFollowsPage()
{
    QVERIFY(setHtmlAndWait(m_pView, "<p>Hello world</p>"));
    m_pView->setModified(true);
    CHighlightEdit* pSource = m_pView->sourceEditor();
    QCOMPARE(pSource->editWebView(), m_pView);
    m_pView->showSource(true);
    QVERIFY(pSource->isVisibleTo(m_pView));
    QVERIFY(pSource->toPlainText().contains("<p>Hello world</p>"));
    QCOMPARE(pSource->codecName(), QString("UTF-8"));
    QVERIFY(pSource->isModified());
    // An edit of the page shows in its source at once.
    QVERIFY(m_pView->page()->findText("world"));
    m_pView->insertText("\u4e16\u754c");
    QVERIFY(pSource->toPlainText().contains("<p>Hello \u4e16\u754c</p>"));
    m_pView->showSource(false);
    QVERIFY(!pSource->isVisibleTo(m_pView));
}

QTEST_MAIN(TestEditWebView)
#include "tst_editwebview.moc"
