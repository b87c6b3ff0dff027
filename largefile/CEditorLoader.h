#ifndef CEDITORLOADER_H
#define CEDITORLOADER_H

#include <QObject>
#include <QPointer>
#include <QString>

class CDocumentFiller;
class CFileLoader;
class CHighlightEdit;

// Opens a file into a new editor without freezing the window: the file is
// read and decoded in a thread, then the document is filled in slices. The
// editor is read-only until the text is complete. A child of the editor.
class CEditorLoader : public QObject
{
    Q_OBJECT
public:
    explicit CEditorLoader(CHighlightEdit* pEditor);
    ~CEditorLoader() override;

    // The loader of an editor still loading, or null.
    static CEditorLoader* of(const QObject* pEditor);

    void start(const QString& strPath);
    CHighlightEdit* editor() const { return m_pEditor; }
    QString path() const { return m_strPath; }
    int percent() const { return m_nPercent; }

public slots:
    // Stops loading; the owner closes the tab on cancelled().
    void cancel();

signals:
    void progress(int nPercent);
    void finished();
    void failed();
    void cancelled();

private slots:
    void onPreview();
    void onDecoded();
    void onFilled();
    void onProgress(int nPercent);
    void onReadProgress(int nPercent);

private:
    CHighlightEdit* m_pEditor;
    QString m_strPath;
    CFileLoader* m_pFileLoader = nullptr;
    CDocumentFiller* m_pFiller = nullptr;
    int m_nPercent = 0;
    QString m_strPreviewCodec;
    QString m_strPreviewShown; // null: no preview shown
};

#endif
