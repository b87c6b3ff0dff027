#ifndef WEBPAGEPOLICY_H
#define WEBPAGEPOLICY_H

class QByteArray;
class QWebPage;

// How the editor's web pages are set up. A page opened from disk cannot read
// other local files through scripts (requests to file: URLs, other local
// documents in frames), while its own images and style sheets still show.

// The page editor: scripts of the page never run. What is saved is the live
// document, which a script could otherwise change behind the user's back.
void setupEditorPage(QWebPage* pPage);

// The preview of a file: scripts run, but nothing they gather can leave the
// machine. Only local requests are served, and the ways out that bypass the
// network layer (sockets, workers, media, plug-ins) are taken away.
void setupScriptedPage(QWebPage* pPage);

// Tells the page which encoding to assume for a document that declares none:
// the one the bytes of the file read in (a byte-order mark or a declaration
// in the document still wins, as in a browser).
void setFallbackEncoding(QWebPage* pPage, const QByteArray& arrBytes);

#endif
