#include "app/CSettings.h"

CSettings::CSettings(const QString& strOrganization, const QString& strApplication,
                     QObject* parent)
    : QSettings(QSettings::IniFormat, QSettings::UserScope, strOrganization, strApplication,
                parent)
{
    read();
}

CSettings::~CSettings()
{
    write();
}

void CSettings::read()
{
    m_arrFrameState = value("m_arrFrameState", QByteArray()).toByteArray();
    m_strLastPathFileName = value("m_strLastPathFileName", QString()).toString();
    m_lstFavorFolders = value("m_lstFavorFolders", QStringList()).toStringList();
    m_clrTextColor.setNamedColor(value("m_clrTextColor", "red").toString());
    m_clrBackColor.setNamedColor(value("m_clrBackColor", "transparent").toString());
    m_nTextFontSize = value("m_nTextFontSize", 12).toInt();
    m_bLineWrap = value("m_bLineWrap", false).toBool();
    m_lstRecentFiles = value("m_lstRecentFiles", QStringList()).toStringList();
    m_bIsHtmlText = value("m_bIsHtmlText", false).toBool();
    m_bFindMatchWholeWord = value("m_bFindMatchWholeWord", false).toBool();
    m_bFindMatchCase = value("m_bFindMatchCase", false).toBool();
    m_bFindSearchUp = value("m_bFindSearchUp", false).toBool();
    m_bFindWrapSearch = value("m_bFindWrapSearch", true).toBool();
    m_bFindCloseAfterFindNext = value("m_bFindCloseAfterFindNext", false).toBool();
    m_bFindUseRegularExpression = value("m_bFindUseRegularExpression", false).toBool();
    m_nFindTransparent = value("m_nFindTransparent", 90).toInt();
    m_nLongLineLimit = value("m_nLongLineLimit", 10000).toInt();
    m_bRestoreSession = value("m_bRestoreSession", true).toBool();
    m_bKeepUnsavedOnExit = value("m_bKeepUnsavedOnExit", false).toBool();
}

void CSettings::write()
{
    setValue("m_arrFrameState", m_arrFrameState);
    setValue("m_strLastPathFileName", m_strLastPathFileName);
    setValue("m_lstFavorFolders", m_lstFavorFolders);
    setValue("m_clrTextColor", m_clrTextColor.name());
    setValue("m_clrBackColor", m_clrBackColor.name());
    setValue("m_nTextFontSize", m_nTextFontSize);
    setValue("m_bLineWrap", m_bLineWrap);
    setValue("m_lstRecentFiles", m_lstRecentFiles);
    setValue("m_bIsHtmlText", m_bIsHtmlText);
    setValue("m_bFindMatchWholeWord", m_bFindMatchWholeWord);
    setValue("m_bFindMatchCase", m_bFindMatchCase);
    setValue("m_bFindSearchUp", m_bFindSearchUp);
    setValue("m_bFindWrapSearch", m_bFindWrapSearch);
    setValue("m_bFindCloseAfterFindNext", m_bFindCloseAfterFindNext);
    setValue("m_bFindUseRegularExpression", m_bFindUseRegularExpression);
    setValue("m_nFindTransparent", m_nFindTransparent);
    setValue("m_nLongLineLimit", m_nLongLineLimit);
    setValue("m_bRestoreSession", m_bRestoreSession);
    setValue("m_bKeepUnsavedOnExit", m_bKeepUnsavedOnExit);
}

void CSettings::save()
{
    write();
    sync(); // an explicit save should survive a crash that follows it
}

void CSettings::setTextFontSize(int nSize)
{
    m_nTextFontSize = nSize;
    emit textFontSizeChanged(nSize);
}
