#include "largefile/CFileSaver.h"

#include "editor/DecodedText.h"
#include "util/SaveFile.h"

#include <QIODevice>

CFileSaver::CFileSaver(const QString& strPath, const QString& strText, int nReturnFormat,
                       const CStandIns& standIns, uint nVersion, QObject* parent)
    : QThread(parent)
    , m_strPath(strPath)
    , m_strText(strText)
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
    m_bOk = saveFileAtomically(
        m_strPath,
        [this](QIODevice& device) {
            return encodeForSave(m_strText, m_nReturnFormat, m_standIns, [&device](const char* p, int n) {
                return device.write(p, n) == n;
            });
        },
        &m_strError);
    m_bDone.store(true, std::memory_order_release);
}
