#include "largefile/CLoadProgress.h"

#include "largefile/CEditorLoader.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QToolButton>

CLoadProgress::CLoadProgress(QWidget* parent)
    : QWidget(parent)
    , m_pBar(new QProgressBar(this))
    , m_pCancel(new QToolButton(this))
{
    m_pBar->setRange(0, 100);
    m_pBar->setMaximumWidth(160);
    m_pBar->setFormat(tr("Loading %p%"));
    m_pCancel->setText(tr("Cancel"));
    m_pCancel->setToolTip(tr("Stop loading and close the tab"));
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addWidget(m_pBar);
    pLayout->addWidget(m_pCancel);
    connect(m_pCancel, &QToolButton::clicked, this, &CLoadProgress::onCancel);
    hide();
}

void CLoadProgress::follow(CEditorLoader* pLoader)
{
    if (m_pLoader == pLoader)
        return;
    if (m_pLoader)
        disconnect(m_pLoader, nullptr, this, nullptr);
    m_pLoader = pLoader;
    setVisible(pLoader != nullptr);
    if (!pLoader)
        return;
    m_pBar->setValue(pLoader->percent());
    connect(pLoader, &CEditorLoader::progress, this, &CLoadProgress::onProgress);
    connect(pLoader, &CEditorLoader::finished, this, [this] { follow(nullptr); });
    connect(pLoader, &CEditorLoader::cancelled, this, [this] { follow(nullptr); });
    connect(pLoader, &CEditorLoader::failed, this, [this] { follow(nullptr); });
}

void CLoadProgress::onProgress(int nPercent)
{
    m_pBar->setValue(nPercent);
}

void CLoadProgress::onCancel()
{
    if (m_pLoader)
        m_pLoader->cancel();
}
