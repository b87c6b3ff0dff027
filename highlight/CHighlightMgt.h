#ifndef CHIGHLIGHTMGT_H
#define CHIGHLIGHTMGT_H

#include <QMap>
#include <QObject>
#include <QVariant>

// The catalogue of language definitions: indexes the "highlighter" folder
// once and answers which definition belongs to a file or has a given name,
// loading it afresh from disk for each answer.
class CHighlightMgt : public QObject
{
    Q_OBJECT
public:
    explicit CHighlightMgt(QObject* parent = nullptr);
    // Indexes another folder (the program uses the one beside it).
    CHighlightMgt(const QString& strFolder, QObject* parent);

    QVariantMap getHighlightByFileName(const QString& strFileName) const;
    QVariantMap getHighlightByName(const QString& strName) const;
    // Index records (keys "path", "extension", "name", "file_base_name") by
    // definition file base name, in menu order.
    const QMap<QString, QVariant>& index() const { return m_mapHighlight; }

    // Reads one definition file into a definition map (empty on any failure).
    static QVariantMap loadHighlight(const QString& strPath);

private:
    void buildIndex(const QString& strFolder);

    QMap<QString, QVariant> m_mapHighlight;
};

#endif
