#ifndef TESTENV_H
#define TESTENV_H

#include <QString>
#include <QTemporaryDir>
#include <memory>

class CLangMgt;
class CSettings;

// A throw-away settings folder and the process-wide objects that the
// program's widgets expect, for one test program.
class TestEnv
{
public:
    TestEnv();
    ~TestEnv();

    // Replaces the settings store with a fresh one reading the same folder.
    void reloadSettings();
    QString settingsFile() const;
    QString tempPath() const { return m_tempDir.path(); }

private:
    QTemporaryDir m_tempDir;
    std::unique_ptr<CSettings> m_pSettings;
    std::unique_ptr<CLangMgt> m_pLangMgt;
};

#endif
