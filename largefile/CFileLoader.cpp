#include "largefile/CFileLoader.h"

#include "largefile/LongLines.h"
#include "util/RunBeside.h"
#include "util/TextShaping.h"

#include <QFile>

namespace {
// Where reading ends and decoding ends on the way to a whole document.
constexpr qint64 ReadPercent = 40;
constexpr int DecodedPercent = 70;
} // namespace

CFileLoader::CFileLoader(const QString& strPath, const QString& strCodec, int nLongLineLimit,
                         QObject* parent)
    : QThread(parent)
    , m_strPath(strPath)
    , m_strCodec(strCodec)
    , m_nLongLineLimit(nLongLineLimit)
{
}

CFileLoader::~CFileLoader()
{
    cancel();
    wait();
    m_bDone.load(std::memory_order_acquire);
}

DecodedText CFileLoader::takeText()
{
    if (!m_bDone.load(std::memory_order_acquire))
        return DecodedText();
    return std::move(m_decoded);
}

CDocumentContent CFileLoader::takeContent()
{
    if (!m_bDone.load(std::memory_order_acquire))
        return CDocumentContent();
    return std::move(m_content);
}

DecodedText CFileLoader::takePreview()
{
    if (!m_bPreviewDone.load(std::memory_order_acquire))
        return DecodedText();
    return std::move(m_preview);
}

void CFileLoader::run()
{
    struct Done
    {
        CFileLoader* pLoader;
        ~Done()
        {
            emit pLoader->loaded();
            pLoader->m_bDone.store(true, std::memory_order_release);
        }
    } done {this};
    QFile file(m_strPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    // Read in pieces so that a cancel is seen early.
    constexpr qint64 PieceBytes = 4 * 1024 * 1024;
    QByteArray arrBytes;
    const qint64 nSize = file.size();
    if (nSize > 0 && nSize < std::numeric_limits<int>::max()) {
        // Straight into place, without a copy of every piece.
        arrBytes.resize(int(nSize));
        qint64 nDone = 0;
        while (!m_bCancel && nDone < nSize) {
            const qint64 nRead = file.read(arrBytes.data() + nDone, qMin(PieceBytes, nSize - nDone));
            if (nRead <= 0)
                break;
            nDone += nRead;
            emit progress(int(nDone * ReadPercent / nSize));
        }
        arrBytes.resize(int(nDone));
    }
    // What a file that grew meanwhile (a log being written) holds beyond.
    while (!m_bCancel) {
        const QByteArray arrPiece = file.read(PieceBytes);
        if (arrPiece.isEmpty())
            break;
        arrBytes += arrPiece;
    }
    if (m_bCancel || file.error() != QFileDevice::NoError)
        return;
    file.close();
    if (arrBytes.size() > PreviewBytes) {
        // Cut after a line break: a multi-byte character is never cut there.
        const int nCut = arrBytes.lastIndexOf('\n', PreviewBytes) + 1;
        if (nCut > 0) {
            DecodedText preview = decodeText(arrBytes.left(nCut), m_strCodec);
            LongLines::splitIfLong(preview, m_nLongLineLimit);
            QString& strShown = preview.strShown.isNull() ? preview.strText : preview.strShown;
            // It ends before its last line break, as every slice of a fill.
            int nEnd = qMax(0, strShown.lastIndexOf(QLatin1Char('\n')));
            if (nEnd > 0 && strShown.at(nEnd - 1) == QLatin1Char('\r'))
                --nEnd;
            strShown.truncate(nEnd);
            m_preview = std::move(preview);
            m_bPreviewDone.store(true, std::memory_order_release);
            emit previewReady();
        }
    }
    DecodedText decoded = decodeText(arrBytes, m_strCodec);
    arrBytes.clear();
    if (m_bCancel)
        return;
    // Splitting adds line breaks only: whether the text needs shaping is
    // found on the other core meanwhile.
    const QString strDecoded = decoded.strText;
    std::future<bool> futureShaping = runBeside([&strDecoded] {
        return textNeedsShaping(strDecoded.constData(), strDecoded.size());
    });
    LongLines::splitIfLong(decoded, m_nLongLineLimit);
    m_bNeedsShaping = futureShaping.get();
    emit progress(DecodedPercent);
    const QString& strShown = decoded.strShown.isNull() ? decoded.strText : decoded.strShown;
    if (m_formats.nChar >= 0 && !m_bCancel)
        m_content = CDocumentContent::build(strShown, m_formats);
    m_decoded = std::move(decoded);
    m_bOk = !m_bCancel;
}
