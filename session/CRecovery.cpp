#include "session/CRecovery.h"

#include "editor/CHighlightEdit.h"
#include "session/CDocumentSnapshot.h"
#include "session/CRecoveryWriter.h"
#include "session/Utf16Text.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QTimer>

namespace {
// Recovery files are texts of documents; a description is small.
constexpr qint64 MaxMetaBytes = 64 * 1024;
} // namespace

CRecovery::CRecovery(const QString& strFolder, QObject* parent)
    : QObject(parent), m_strFolder(strFolder)
{
    findOrphans();
    m_strOwnFolder = QDir(strFolder).filePath(
        QString("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch()));
    if (!QDir().mkpath(m_strOwnFolder))
        return;
    m_pLock = std::make_unique<QLockFile>(QDir(m_strOwnFolder).filePath(LockName));
    m_pLock->setStaleLockTime(0); // held as long as this run lives, however long
    if (!m_pLock->tryLock(0)) {
        m_pLock.reset();
        return;
    }
    m_pWriter = new CRecoveryWriter(this);
}

CRecovery::~CRecovery()
{
    const QList<QObject*> lstEditors = m_mapTracked.keys();
    for (QObject* pEditor : lstEditors)
        forget(pEditor);
    delete m_pWriter; // finishes its queue first
    if (m_pLock) {
        m_pLock->unlock();
        QDir(m_strOwnFolder).removeRecursively();
    }
}

bool CRecovery::isActive() const
{
    return m_pWriter != nullptr;
}

void CRecovery::findOrphans()
{
    const QDir dir(m_strFolder);
    const QStringList lstRuns = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Time | QDir::Reversed);
    for (const QString& strRun : lstRuns) {
        const QString strRunFolder = dir.filePath(strRun);
        auto pLock = std::make_unique<QLockFile>(QDir(strRunFolder).filePath(LockName));
        pLock->setStaleLockTime(0); // only a dead owner makes a lock stale
        if (!pLock->tryLock(0))
            continue; // that run is still going
        const QDir run(strRunFolder);
        for (const QString& strMeta : run.entryList({"*.json"}, QDir::Files, QDir::Name)) {
            QFile meta(run.filePath(strMeta));
            QFile text(CRecoveryWriter::textPath(run.filePath(QFileInfo(strMeta).completeBaseName())));
            const QJsonObject obj = meta.open(QIODevice::ReadOnly) && meta.size() <= MaxMetaBytes
                                        ? QJsonDocument::fromJson(meta.readAll()).object()
                                        : QJsonObject();
            CRecoveredDocument doc;
            doc.strPath = obj.value("path").toString();
            doc.strCodec = obj.value("codec").toString();
            doc.nReturnFormat = obj.value("returnFormat").toInt(-1);
            if (obj.isEmpty() || !text.open(QIODevice::ReadOnly) || !utf16Text(text.readAll(), doc.strText)) {
                ++m_nDamaged;
                continue;
            }
            m_lstOrphans.append(doc);
        }
        m_vecOrphanLocks.push_back(std::move(pLock));
        m_lstOrphanFolders.append(strRunFolder);
    }
}

void CRecovery::releaseOrphans()
{
    for (auto& pLock : m_vecOrphanLocks)
        pLock->unlock();
    m_vecOrphanLocks.clear();
    for (const QString& strRunFolder : qAsConst(m_lstOrphanFolders))
        QDir(strRunFolder).removeRecursively();
    m_lstOrphanFolders.clear();
    m_lstOrphans.clear();
    m_nDamaged = 0;
}

void CRecovery::track(CHighlightEdit* pEditor)
{
    if (!isActive() || m_mapTracked.contains(pEditor))
        return;
    Tracked tracked;
    tracked.strBase = QDir(m_strOwnFolder).filePath(QString::number(m_nNextId++));
    tracked.pTimer = new QTimer(this);
    tracked.pTimer->setSingleShot(true);
    tracked.pTimer->setInterval(DelayMs);
    connect(tracked.pTimer, &QTimer::timeout, this, [this, pEditor] { onDue(pEditor); });
    tracked.pSnapshot = new CDocumentSnapshot(pEditor->document(), this);
    connect(tracked.pSnapshot, &CDocumentSnapshot::finished, this,
            [this, pEditor](const QString& strText) { onSnapshot(pEditor, strText); });
    // Edited again while copying: the next pause takes a new copy.
    connect(tracked.pSnapshot, &CDocumentSnapshot::abandoned, tracked.pTimer,
            qOverload<>(&QTimer::start));
    m_mapTracked.insert(pEditor, tracked);
    connect(pEditor->document(), &QTextDocument::contentsChanged, this, [this, pEditor] { onEdited(pEditor); });
    connect(pEditor, &QPlainTextEdit::modificationChanged, this,
            [this, pEditor](bool bModified) { onModificationChanged(pEditor, bModified); });
    connect(pEditor, &QObject::destroyed, this, &CRecovery::forget);
    if (pEditor->isModified())
        tracked.pTimer->start();
}

void CRecovery::onEdited(CHighlightEdit* pEditor)
{
    const Tracked tracked = m_mapTracked.value(pEditor);
    if (tracked.pTimer && pEditor->isModified())
        tracked.pTimer->start();
}

void CRecovery::onModificationChanged(CHighlightEdit* pEditor, bool bModified)
{
    const Tracked tracked = m_mapTracked.value(pEditor);
    if (!tracked.pTimer || bModified)
        return;
    // Saved or reverted: nothing left to recover.
    tracked.pTimer->stop();
    tracked.pSnapshot->cancel();
    m_pWriter->remove(tracked.strBase);
}

void CRecovery::onDue(CHighlightEdit* pEditor)
{
    const Tracked tracked = m_mapTracked.value(pEditor);
    if (tracked.pSnapshot && pEditor->isModified() && !tracked.pSnapshot->isRunning())
        tracked.pSnapshot->start();
}

void CRecovery::onSnapshot(CHighlightEdit* pEditor, const QString& strText)
{
    const Tracked tracked = m_mapTracked.value(pEditor);
    if (!tracked.pTimer || !pEditor->isModified())
        return;
    const QJsonObject meta{{"path", pEditor->filePath()},
                           {"codec", pEditor->codecName()},
                           {"returnFormat", pEditor->returnFormat()}};
    m_pWriter->write(tracked.strBase, strText, QJsonDocument(meta).toJson(QJsonDocument::Compact),
                     pEditor->standIns());
}

void CRecovery::forget(QObject* pEditor)
{
    const Tracked tracked = m_mapTracked.take(pEditor);
    if (!tracked.pTimer)
        return;
    delete tracked.pTimer;
    delete tracked.pSnapshot;
    m_pWriter->remove(tracked.strBase);
}

void CRecovery::flush()
{
    if (m_pWriter)
        m_pWriter->flush();
}
