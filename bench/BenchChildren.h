#ifndef BENCHCHILDREN_H
#define BENCHCHILDREN_H

#include <QString>
#include <QStringList>

// Each measurement runs in a process of its own; these are their bodies.
// They print "name: value" lines and return the exit code.
int childOpenOurs(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childOpenBackground(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childSave(int argc, char** argv, const QString& strPath);
int childOpenBare(int argc, char** argv, const QString& strPath);
int childOpenRaw(const QString& strPath);
int childDetect(int nBytes);
int childHighlightPass(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childLexOnly(const QString& strPath, const QString& strDefDir);
int childQtHighlighter(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childTypingStall(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childKdeHighlighter(const QString& strPath);
int childTypeColour(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childLongLineSweep(int argc, char** argv, const QString& strDefDir);
int childLongLineOpen(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childRecoveryStall(int argc, char** argv, const QString& strPath);
// Start to the first paint of the window; with a session folder, restoring it.
int childStartup(int argc, char** argv, const QString& strSessionFolder);
// A session listing these files, for childStartup.
bool writeSession(const QString& strFolder, const QStringList& lstFiles);
int childFolderOurs(int argc, char** argv, const QString& strDir, int nEntries);
int childFolderQfsm(int argc, char** argv, const QString& strDir, int nEntries);
int childReplaceAll(int argc, char** argv);
int childFindNext(int argc, char** argv);
int childFormatJson(int argc, char** argv, const QString& strDefDir);
int childPage(int argc, char** argv, const QString& strPath);
int childPageWindow(int argc, char** argv, const QString& strPath);

#endif
