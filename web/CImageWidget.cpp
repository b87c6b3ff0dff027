#include "web/CImageWidget.h"

#include <QFileInfo>
#include <QPainter>
#include <cmath>

CImageWidget::CImageWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet("background-color:white;");
}

CImageWidget::~CImageWidget() = default;

void CImageWidget::setFile(const QString& strPath)
{
    m_strPathFileName = strPath;
    const QByteArray arrFormat = QFileInfo(strPath).suffix().toUpper().toLatin1();
    m_image = QImage(strPath, arrFormat.isEmpty() ? nullptr : arrFormat.constData());
    update();
}

void CImageWidget::reload()
{
    setFile(m_strPathFileName);
}

QString CImageWidget::fileName() const
{
    return QFileInfo(m_strPathFileName).fileName();
}

void CImageWidget::clearImage()
{
    m_strPathFileName.clear();
    m_image = QImage();
    update();
}

void CImageWidget::setImageData(const QString& strText)
{
    clearImage();
    m_image = QImage::fromData(strText.toUtf8(), "SVG");
    update();
}

QRect CImageWidget::imageRect(const QSize& szWidget, const QSize& szImage)
{
    const int nW = szWidget.width();
    const int nH = szWidget.height();
    const int w = szImage.width();
    const int h = szImage.height();
    if (w <= 0 || h <= 0)
        return QRect();
    const double dRatio = static_cast<double>(h) / w;
    int dw = w;
    int dh = h;
    if (w > nW)
        dw = nW;
    if (h > nH)
        dh = nH;
    if (dh < dRatio * dw)
        dw = static_cast<int>(std::lround(dh / dRatio));
    if (dw < dh / dRatio)
        dh = static_cast<int>(std::lround(dw * dRatio));
    return QRect((nW - dw) / 2, (nH - dh) / 2, dw, dh);
}

void CImageWidget::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(imageRect(size(), m_image.size()), m_image);
}
