#ifndef BENCHCHILDREN_H
#define BENCHCHILDREN_H

#include <QString>

// Each measurement runs in a process of its own; these are their bodies.
// They print "name: value" lines and return the exit code.
int childOpenOurs(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childOpenBare(int argc, char** argv, const QString& strPath);
int childOpenRaw(const QString& strPath);
int childDetect(int nBytes);
int childHighlightPass(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childLexOnly(const QString& strPath, const QString& strDefDir);
int childQtHighlighter(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childTypingStall(int argc, char** argv, const QString& strPath, const QString& strDefDir);
int childKdeHighlighter(const QString& strPath);

#endif
