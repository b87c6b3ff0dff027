#include "editor/CTextSnapshot.h"

#include <QTextDocument>

namespace {
// A large document's copy is worth keeping between searches, not for long.
constexpr int KeepMs = 60 * 1000;
} // namespace

CTextSnapshot::CTextSnapshot(QTextDocument* pDoc, QObject* parent)
    : QObject(parent)
    , m_pDoc(pDoc)
{
    m_timerRelease.setSingleShot(true);
    m_timerRelease.setInterval(KeepMs);
    connect(&m_timerRelease, &QTimer::timeout, this, &CTextSnapshot::release);
    connect(pDoc, &QTextDocument::contentsChanged, this, &CTextSnapshot::release);
}

QString CTextSnapshot::text()
{
    if (!m_bValid) {
        m_strText = m_pDoc->toRawText();
        m_bValid = true;
    }
    m_timerRelease.start();
    return m_strText;
}

void CTextSnapshot::release()
{
    m_strText = QString();
    m_bValid = false;
    m_timerRelease.stop();
}
