#ifndef CLANGMGT_H
#define CLANGMGT_H

#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>

// A small table of interface texts per locale that supplements the .qm
// translators; loaded from ":/share/lang.txt" on the first event-loop turn.
class CLangMgt : public QObject
{
    Q_OBJECT
public:
    explicit CLangMgt(QObject* parent = nullptr);

    QString getCurLang() const { return m_strCurLang; }
    void setCurLang(const QString& str) { m_strCurLang = str; }
    QString translate(const QString& strSource) const;

public slots:
    void init();

private:
    QString m_strCurLang;
    QMap<QString, QVariant> m_mapLang;
};

#endif
