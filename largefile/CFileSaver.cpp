#include "largefile/CFileSaver.h"

#include "editor/DecodedText.h"
#include "util/SaveFile.h"

#include <QIODevice>

CFileSaver::CFileSaver(const QString& strPath, const CLineSnapshot& snapshot, int nReturnFormat,
                       const CStandIns& standIns, uint nVersion, QObject* parent)
    : QThread(parent)
    , m_strPath(strPath)
    , m_snapshot(snapshot)
    , m_nReturnFormat(nReturnFormat)
    , m_standIns(standIns)
    , m_nVersion(nVersion)
{
}

CFileSaver::~CFileSaver()
{
    wait();
    m_bDone.load(std::memory_order_acquire);
}

void CFileSaver::run()
{
    // Lines are encoded a piece at a time: a large text is never joined in
    // memory.
    constexpr int PieceChars = 64 * 1024;
    CLineTable lines;
    const bool bWhole = m_snapshot.isWhole();
    if (!bWhole && !m_snapshot.lines(lines)) {
        m_bRefused = true;
        m_strError = tr("The text could not be taken from the editor.");
        m_bDone.store(true, std::memory_order_release);
        return;
    }
    m_bOk = saveFileAtomically(
        m_strPath,
        [&](QIODevice& device) {
            const auto fnWrite = [&device](const char* p, int n) { return device.write(p, n) == n; };
            if (bWhole)
                return encodeForSave(m_snapshot.rawText(), m_nReturnFormat, m_standIns, fnWrite);
            return lines.forEachPiece(PieceChars, [&](const QString& strPiece) {
                return encodeForSave(strPiece, m_nReturnFormat, m_standIns, fnWrite);
            });
        },
        &m_strError);
    m_bDone.store(true, std::memory_order_release);
}
