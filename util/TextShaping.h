#ifndef TEXTSHAPING_H
#define TEXTSHAPING_H

class QChar;

// Whether any of the characters may need a shaper to show right: joining
// scripts (Arabic), combining marks, Indic and South-East Asian scripts,
// joiners, variation selectors, characters beyond the BMP (emoji). Latin,
// Greek, Cyrillic, CJK, kana, Hangul syllables and the common symbols show
// as they are, one glyph each, and are laid out far faster so.
bool textNeedsShaping(const QChar* p, int nLength);

#endif
