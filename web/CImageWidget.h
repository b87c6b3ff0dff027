#ifndef CIMAGEWIDGET_H
#define CIMAGEWIDGET_H

#include <QImage>
#include <QWidget>

// Shows one image centred on white, scaled down to fit, never enlarged.
class CImageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CImageWidget(QWidget* parent = nullptr);
    ~CImageWidget() override;

    void setFile(const QString& strPath);
    void reload();
    QString fileName() const;
    QString filePath() const { return m_strPathFileName; }
    void clearImage();
    void setImageData(const QString& strText);
    const QImage& image() const { return m_image; }
    // Where paintEvent draws the image in a widget of the given size.
    static QRect imageRect(const QSize& szWidget, const QSize& szImage);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_strPathFileName;
    QImage m_image;
};

#endif
