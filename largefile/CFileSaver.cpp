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
    const QString strText = m_snapshot.rawText();
    if (strText.isNull()) {
        m_bRefused = true;
        m_strError = tr("The text could not be taken from the editor.");
        m_bDone.store(true, std::memory_order_release);
        return;
    }
    m_bOk = saveFileAtomically(
        m_strPath,
        [&](QIODevice& device) {
            return encodeForSave(strText, m_nReturnFormat, m_standIns, [&device](const char* p, int n) {
                return device.write(p, n) == n;
            });
        },
        &m_strError);
    m_bDone.store(true, std::memory_order_release);
}
