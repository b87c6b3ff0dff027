#ifndef CSETTINGS_H
#define CSETTINGS_H

#include <QByteArray>
#include <QColor>
#include <QSettings>
#include <QStringList>

// The one persistent store of preferences and window state. Member names are
// the keys in the INI file; other parts read and change the members directly
// and call save() afterwards.
class CSettings : public QSettings
{
    Q_OBJECT
public:
    CSettings(const QString& strOrganization, const QString& strApplication,
              QObject* parent = nullptr);
    ~CSettings() override;

    QByteArray m_arrFrameState;
    QString m_strLastPathFileName;
    QStringList m_lstFavorFolders;
    QColor m_clrTextColor;
    QColor m_clrBackColor;
    int m_nTextFontSize = 12;
    bool m_bLineWrap = false;
    QStringList m_lstRecentFiles;
    bool m_bIsHtmlText = false;
    bool m_bFindMatchWholeWord = false;
    bool m_bFindMatchCase = false;
    bool m_bFindSearchUp = false;
    bool m_bFindWrapSearch = true;
    bool m_bFindCloseAfterFindNext = false;
    bool m_bFindUseRegularExpression = false;
    int m_nFindTransparent = 90;
    // Lines longer than this open split and read-only (0: never).
    int m_nLongLineLimit = 10000;
    bool m_bRestoreSession = true;
    bool m_bKeepUnsavedOnExit = false;

public slots:
    void read();
    void write();
    void save();

    QByteArray getFrameState() const { return m_arrFrameState; }
    void setFrameState(const QByteArray& arr) { m_arrFrameState = arr; }
    QString getLastPathFileName() const { return m_strLastPathFileName; }
    void setLastPathFileName(const QString& str) { m_strLastPathFileName = str; }
    QStringList getFavorFolders() const { return m_lstFavorFolders; }
    void setFavorFolders(const QStringList& lst) { m_lstFavorFolders = lst; }
    QColor getTextColor() const { return m_clrTextColor; }
    void setTextColor(const QColor& clr) { m_clrTextColor = clr; }
    QColor getBackColor() const { return m_clrBackColor; }
    void setBackColor(const QColor& clr) { m_clrBackColor = clr; }
    int getTextFontSize() const { return m_nTextFontSize; }
    void setTextFontSize(int nSize);
    QStringList getRecentFileList() const { return m_lstRecentFiles; }
    void setRecentFileList(const QStringList& lst) { m_lstRecentFiles = lst; }
    bool getIsHtmlText() const { return m_bIsHtmlText; }
    void setIsHtmlText(bool b) { m_bIsHtmlText = b; }
    bool getLineWrap() const { return m_bLineWrap; }
    void setLineWrap(bool b) { m_bLineWrap = b; }
    QString getLoc() const { return m_strLoc; }
    void setLoc(const QString& str) { m_strLoc = str; }

signals:
    // Emitted on every set, also when the size does not change, so that every
    // editor re-applies it.
    void textFontSizeChanged(int nSize);

private:
    QString m_strLoc; // interface locale; never stored
};

#endif
