#ifndef CFILELOADER_H
#define CFILELOADER_H

#include "editor/DecodedText.h"
#include "largefile/CDocumentContent.h"

#include <QThread>
#include <atomic>

// Reads and decodes one file in a thread of its own: codec detection, line
// endings and the split form of long lines, everything that needs no
// widget. Its first lines come first (previewReady), decoded with the codec
// detected for them, so that they show while the rest is decoded; then
// loaded() tells the owner to take the whole text.
class CFileLoader : public QThread
{
    Q_OBJECT
public:
    CFileLoader(const QString& strPath, const QString& strCodec, int nLongLineLimit,
                QObject* parent = nullptr);
    // Cancels and waits for the thread (a decode in progress ends first).
    ~CFileLoader() override;

    void cancel() { m_bCancel = true; }
    // After loaded(): whether the file was read, and the text.
    bool succeeded() const { return m_bDone.load(std::memory_order_acquire) && m_bOk; }
    DecodedText takeText();
    // After previewReady(): the first lines (their shown form ends at a line
    // break). The whole text, when decoded with the same codec, starts with
    // the same shown characters.
    DecodedText takePreview();
    // Before start(): the thread also builds the document content of the
    // text to show, in a document with these formats.
    void buildContent(const CDocumentContent::Formats& formats) { m_formats = formats; }
    // After loaded(): that content (null when not built).
    CDocumentContent takeContent();
    // After loaded(): whether the text to show needs a shaper to show right.
    bool needsShaping() const { return m_bDone.load(std::memory_order_acquire) && m_bNeedsShaping; }

    static constexpr int PreviewBytes = 64 * 1024;

signals:
    void previewReady();
    // How far reading, decoding and building have come, now and then.
    void progress(int nPercent);
    // The last thing the thread does (also on failure or cancel).
    void loaded();

protected:
    void run() override;

private:
    const QString m_strPath;
    const QString m_strCodec;
    const int m_nLongLineLimit;
    std::atomic<bool> m_bCancel {false};
    // Written by the thread, read by the owner once it has finished.
    DecodedText m_decoded;
    DecodedText m_preview;
    CDocumentContent::Formats m_formats;
    CDocumentContent m_content;
    bool m_bNeedsShaping = true;
    bool m_bOk = false;
    // Set as the thread's work ends: what it did is seen by whoever reads it
    // after wait(), in a way the thread sanitizer can follow too.
    std::atomic<bool> m_bDone {false};
    std::atomic<bool> m_bPreviewDone {false};
};

#endif
