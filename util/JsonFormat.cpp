#include "util/JsonFormat.h"

#include <vector>

namespace {

// QJsonDocument refuses deeper documents too.
constexpr size_t MaxDepth = 1024;

bool isSpace(ushort u)
{
    return u == ' ' || u == '\t' || u == '\n' || u == '\r';
}

bool isDigit(const QChar* p, const QChar* pEnd)
{
    return p < pEnd && p->unicode() >= '0' && p->unicode() <= '9';
}

bool isHex(QChar ch)
{
    const ushort u = ch.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}

// Each scanner gets p on the first character of its token and returns the
// end of the token, or nullptr when there is none.

const QChar* scanString(const QChar* p, const QChar* pEnd)
{
    for (++p; p < pEnd; ++p) {
        const ushort u = p->unicode();
        if (u == '"')
            return p + 1;
        if (u != '\\')
            continue;
        if (++p == pEnd)
            return nullptr;
        // Any other escaped character is read as itself, as Qt does.
        if (p->unicode() == 'u') {
            if (pEnd - p <= 4)
                return nullptr;
            for (int i = 1; i <= 4; ++i) {
                if (!isHex(p[i]))
                    return nullptr;
            }
            p += 4;
        }
    }
    return nullptr;
}

// As QJsonDocument reads numbers: a leading zero stands alone, and the
// integer or the fraction part may be empty but not both.
const QChar* scanNumber(const QChar* p, const QChar* pEnd)
{
    bool bDigits = false;
    if (p->unicode() == '-')
        ++p;
    if (p < pEnd && p->unicode() == '0') {
        ++p;
        bDigits = true;
    } else {
        for (; isDigit(p, pEnd); ++p)
            bDigits = true;
    }
    if (p < pEnd && p->unicode() == '.') {
        for (++p; isDigit(p, pEnd); ++p)
            bDigits = true;
    }
    if (!bDigits)
        return nullptr;
    if (p < pEnd && (p->unicode() == 'e' || p->unicode() == 'E')) {
        ++p;
        if (p < pEnd && (p->unicode() == '+' || p->unicode() == '-'))
            ++p;
        if (!isDigit(p, pEnd))
            return nullptr;
        while (isDigit(p, pEnd))
            ++p;
    }
    return p;
}

const QChar* scanLiteral(const QChar* p, const QChar* pEnd)
{
    for (const char* sz : {"true", "false", "null"}) {
        const QLatin1String str(sz);
        if (pEnd - p >= str.size() && QStringView(p, str.size()) == str)
            return p + str.size();
    }
    return nullptr;
}

const QChar* scanScalar(const QChar* p, const QChar* pEnd)
{
    const ushort u = p->unicode();
    if (u == '"')
        return scanString(p, pEnd);
    if (u == '-' || u == '.' || (u >= '0' && u <= '9'))
        return scanNumber(p, pEnd);
    return scanLiteral(p, pEnd);
}

} // namespace

bool formatJson(const QString& strIn, QString& strOut)
{
    enum State { Value, ValueOrClose, Key, KeyOrClose, Colon, CommaOrClose, Done };
    const QChar* p = strIn.constData();
    const QChar* const pEnd = p + strIn.size();
    QString strText;
    strText.reserve(strIn.size() * 2 + 2);
    QString strSpaces;
    std::vector<ushort> vecOpen; // the open brackets
    auto newLine = [&](size_t nDepth) {
        if (strSpaces.size() < int(nDepth * 4))
            strSpaces.fill(' ', int(nDepth * 4) + 64);
        strText += '\n';
        strText.append(strSpaces.constData(), int(nDepth * 4));
    };

    if (p < pEnd && p->unicode() == 0xfeff)
        strText += *p++;
    State state = Value;
    for (;;) {
        while (p < pEnd && isSpace(p->unicode()))
            ++p;
        if (p == pEnd)
            break;
        const ushort u = p->unicode();
        const ushort uClose = vecOpen.empty() ? 0 : (vecOpen.back() == '{' ? '}' : ']');
        switch (state) {
        case Done:
            return false;
        case Colon:
            if (u != ':')
                return false;
            strText += QLatin1String(": ");
            ++p;
            state = Value;
            continue;
        case KeyOrClose:
        case ValueOrClose:
            if (u != uClose) {
                newLine(vecOpen.size());
                state = state == KeyOrClose ? Key : Value;
                continue;
            }
            strText += *p++; // an empty container stays on one line
            vecOpen.pop_back();
            state = vecOpen.empty() ? Done : CommaOrClose;
            continue;
        case CommaOrClose:
            if (u == ',') {
                strText += *p++;
                newLine(vecOpen.size());
                state = vecOpen.back() == '{' ? Key : Value;
            } else if (u == uClose) {
                newLine(vecOpen.size() - 1);
                strText += *p++;
                vecOpen.pop_back();
                state = vecOpen.empty() ? Done : CommaOrClose;
            } else {
                return false;
            }
            continue;
        case Key:
        case Value:
            break;
        }
        if (state == Value && (u == '{' || u == '[')) {
            if (vecOpen.size() >= MaxDepth)
                return false;
            vecOpen.push_back(u);
            strText += *p++;
            state = u == '{' ? KeyOrClose : ValueOrClose;
            continue;
        }
        const QChar* pTokenEnd = state == Key ? (u == '"' ? scanString(p, pEnd) : nullptr)
                                              : scanScalar(p, pEnd);
        if (!pTokenEnd)
            return false;
        strText.append(p, int(pTokenEnd - p));
        p = pTokenEnd;
        state = state == Key ? Colon : (vecOpen.empty() ? Done : CommaOrClose);
    }
    if (state != Done)
        return false;
    strText += '\n';
    strOut = strText;
    return true;
}
