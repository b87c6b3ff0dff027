#ifndef CFILEDROPFILTER_H
#define CFILEDROPFILTER_H

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

// Takes drags of local files anywhere in a window, before its widgets see
// them: an editor or a page would otherwise insert the files' addresses as
// text. Drags of text are left to the widgets.
class CFileDropFilter : public QObject
{
    Q_OBJECT
public:
    explicit CFileDropFilter(QWidget* pWindow);

    // The local files a drag carries, in order, up to the first address that
    // is not a local file.
    static QStringList localFilesOf(const QMimeData* pMime);

signals:
    void filesDropped(const QStringList& lstFiles);

protected:
    bool eventFilter(QObject* pWatched, QEvent* event) override;

private:
    bool isInWindow(QObject* pObject) const;

    QWidget* m_pWindow;
};

#endif
