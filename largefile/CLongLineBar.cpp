#include "largefile/CLongLineBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

CLongLineBar::CLongLineBar(QWidget* parent)
    : QFrame(parent)
    , m_pLabel(new QLabel(this))
    , m_pFormat(new QPushButton(tr("Format"), this))
    , m_pOpen(new QPushButton(tr("Open for editing anyway"), this))
{
    setObjectName("longLineBar");
    setStyleSheet("#longLineBar{background:#FFF4C8; border-bottom:1px solid #E0C860}");
    setAutoFillBackground(true);
    m_pLabel->setWordWrap(true);
    m_pLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(8, 4, 8, 4);
    pLayout->addWidget(m_pLabel, 1);
    pLayout->addWidget(m_pFormat);
    pLayout->addWidget(m_pOpen);
    connect(m_pFormat, &QPushButton::clicked, this, &CLongLineBar::formatClicked);
    connect(m_pOpen, &QPushButton::clicked, this, &CLongLineBar::openClicked);
}

void CLongLineBar::setLimit(int nLimit)
{
    m_nLimit = nLimit;
    m_pLabel->setText(tr("This file has lines longer than %1 characters. They are shown split, "
                         "read-only; saving keeps the file's own lines.")
                          .arg(nLimit));
}

void CLongLineBar::setFormatOffered(bool bOffered)
{
    m_pFormat->setVisible(bOffered);
}

void CLongLineBar::showError(const QString& strError)
{
    setLimit(m_nLimit);
    m_pLabel->setText(m_pLabel->text() + "\n" + strError);
}
