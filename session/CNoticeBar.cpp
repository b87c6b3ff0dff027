#include "session/CNoticeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CNoticeBar::CNoticeBar(QWidget* parent)
    : QFrame(parent)
{
    setObjectName("noticeBar");
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet("#noticeBar{background-color:#fff4c2;border:1px solid #e0c860;}");
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(8, 3, 8, 3);
    m_pLabel = new QLabel(this);
    m_pLabel->setWordWrap(true);
    pLayout->addWidget(m_pLabel, 1);
    m_pButtons = new QHBoxLayout;
    pLayout->addLayout(m_pButtons);
    hide();
}

void CNoticeBar::setNotice(QObject* pDocument, int nKind, const QString& strText,
                           const QStringList& lstButtons)
{
    if (pDocument && !m_mapNotices.contains(pDocument))
        connect(pDocument, &QObject::destroyed, this, &CNoticeBar::onDocumentDestroyed);
    m_mapNotices.insert(pDocument, Notice{nKind, strText, lstButtons});
    m_pShown = nullptr; // rebuild even when the same document is shown
    refresh();
}

void CNoticeBar::clearNotice(QObject* pDocument)
{
    if (m_mapNotices.remove(pDocument) == 0)
        return;
    if (pDocument)
        disconnect(pDocument, &QObject::destroyed, this, &CNoticeBar::onDocumentDestroyed);
    m_pShown = nullptr;
    refresh();
}

void CNoticeBar::onDocumentDestroyed(QObject* pDocument)
{
    m_mapNotices.remove(pDocument);
    if (m_pCurrent == pDocument)
        m_pCurrent = nullptr;
    m_pShown = nullptr;
    refresh();
}

void CNoticeBar::setCurrentDocument(QObject* pDocument)
{
    m_pCurrent = pDocument;
    refresh();
}

void CNoticeBar::refresh()
{
    QObject* pShow = m_mapNotices.contains(m_pCurrent) ? m_pCurrent : nullptr;
    if (!m_mapNotices.contains(pShow)) {
        m_pShown = nullptr;
        hide();
        return;
    }
    if (pShow == m_pShown && isVisible())
        return;
    m_pShown = pShow;
    const Notice notice = m_mapNotices.value(pShow);
    m_pLabel->setText(notice.strText);
    // Later: the old buttons may be the one whose click brought us here.
    while (QLayoutItem* pItem = m_pButtons->takeAt(0)) {
        pItem->widget()->hide();
        pItem->widget()->deleteLater();
        delete pItem;
    }
    for (int i = 0; i < notice.lstButtons.size(); ++i) {
        auto* pButton = new QPushButton(notice.lstButtons.at(i), this);
        m_pButtons->addWidget(pButton);
        connect(pButton, &QPushButton::clicked, this, [this, pShow, i, nKind = notice.nKind] {
            clearNotice(pShow);
            emit buttonClicked(pShow, nKind, i);
        });
    }
    show();
}
