#ifndef STARTUP_H
#define STARTUP_H

#include <QStringList>

class QProcessEnvironment;
class QTranslator;

// Key of the single-instance channel: one running editor per user and
// display (per user on Windows).
QString singleInstanceKey();
QString singleInstanceKey(const QProcessEnvironment& env);

// Loads the interface, Qt and Qt base translations of a lower-cased locale
// name such as "ja_jp" from the resources; installs those that exist and
// returns their file names.
QStringList installTranslators(QTranslator* pLang, QTranslator* pQt, QTranslator* pQtBase,
                               const QString& strLocale);

// Registers the compiled-in resources (icons, translations, language table).
void initScrbResources();

// The editor's entry: returns 0 when the paths were handed to a running
// instance, otherwise the event loop's result.
int scrbMain(int argc, char* argv[]);

#endif
