#include "web/CImageWidget.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class TestImageWidget : public QObject
{
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
    void drawsCentredOnWhite();
    void formatFromSuffix();
    void svgData();
};

void TestImageWidget::placement_data()
{
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("small image centred") << QSize(400, 400) << QSize(100, 50) << QRect(150, 175, 100, 50);
    QTest::newRow("wide image fitted") << QSize(400, 400) << QSize(800, 400) << QRect(0, 100, 400, 200);
    QTest::newRow("tall image fitted") << QSize(400, 300) << QSize(300, 600) << QRect(125, 0, 150, 300);
    QTest::newRow("both too large") << QSize(200, 100) << QSize(1000, 1000) << QRect(50, 0, 100, 100);
    QTest::newRow("never enlarged") << QSize(1000, 1000) << QSize(10, 20) << QRect(495, 490, 10, 20);
}

void TestImageWidget::placement()
{
    QFETCH(QSize, widget);
    QFETCH(QSize, image);
    QFETCH(QRect, rect);
    QCOMPARE(CImageWidget::imageRect(widget, image), rect);
}

void TestImageWidget::drawsCentredOnWhite()
{
    QImage img(100, 50, QImage::Format_RGB32);
    img.fill(QColor(200, 0, 0));
    QTemporaryDir dir;
    const QString strPath = dir.filePath("red.png");
    QVERIFY(img.save(strPath));
    CImageWidget widget;
    widget.resize(400, 400);
    widget.setFile(strPath);
    QCOMPARE(widget.fileName(), QString("red.png"));
    const QImage shot = widget.grab().toImage();
    QCOMPARE(shot.pixelColor(200, 200), QColor(200, 0, 0));
    QCOMPARE(shot.pixelColor(151, 176), QColor(200, 0, 0));
    QCOMPARE(shot.pixelColor(148, 200), QColor(Qt::white));
    QCOMPARE(shot.pixelColor(5, 5), QColor(Qt::white));

    widget.clearImage();
    QVERIFY(widget.image().isNull());
    QCOMPARE(widget.grab().toImage().pixelColor(200, 200), QColor(Qt::white));
}

void TestImageWidget::formatFromSuffix()
{
    QTemporaryDir dir;
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::blue);
    QVERIFY(img.save(dir.filePath("photo.jpg"), "JPG"));
    QVERIFY(img.save(dir.filePath("actually-png.jpg"), "PNG"));
    CImageWidget widget;
    widget.setFile(dir.filePath("photo.jpg"));
    QCOMPARE(widget.image().size(), QSize(8, 8));
    widget.setFile(dir.filePath("actually-png.jpg"));
    QVERIFY(widget.image().isNull()); // decoded as JPG, which it is not
    widget.reload();
    QVERIFY(widget.image().isNull());
}

void TestImageWidget::svgData()
{
    CImageWidget widget;
    widget.setImageData("<svg xmlns='http://www.w3.org/2000/svg' width='20' height='10'>"
                        "<rect width='20' height='10' fill='#00ff00'/></svg>");
    QCOMPARE(widget.image().size(), QSize(20, 10));
    QVERIFY(widget.filePath().isEmpty());
    widget.setImageData("<svg this is not");
    QVERIFY(widget.image().isNull());
}

QTEST_MAIN(TestImageWidget)
#include "tst_imagewidget.moc"
