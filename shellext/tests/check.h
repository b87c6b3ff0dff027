#pragma once
// A small check framework for the Wine-run tests: cases are grouped by name,
// a failed check prints file:line and the expression, and the program exits
// non-zero when any check failed.

#include <windows.h>

#include <sstream>
#include <string>
#include <type_traits>

namespace check {

using CaseFn = void (*)();

int registerCase(const char *pszGroup, const char *pszName, CaseFn fn);
void recordPass();
void recordFailure(const char *pszFile, int nLine, const std::string &strWhat);

// Names what a loop is at, for failure messages; nests.
class Context
{
public:
    explicit Context(const std::string &strWhat);
    ~Context();
    Context(const Context &) = delete;
    Context &operator=(const Context &) = delete;
};

// Thrown by REQUIRE to end the current case.
struct Abort {};

std::string toUtf8(const std::wstring &str);

inline std::string show(const std::wstring &str) { return "L\"" + toUtf8(str) + "\""; }
inline std::string show(const wchar_t *psz) { return psz ? show(std::wstring(psz)) : "(null)"; }
inline std::string show(const std::string &str) { return "\"" + str + "\""; }
inline std::string show(const char *psz) { return psz ? show(std::string(psz)) : "(null)"; }
inline std::string show(bool b) { return b ? "true" : "false"; }
inline std::string show(std::nullptr_t) { return "nullptr"; }

template <typename T>
std::string show(const T &value)
{
    std::ostringstream out;
    if constexpr (std::is_pointer_v<T>) {
        out << static_cast<const void *>(value);
    } else if constexpr (std::is_integral_v<T> || std::is_enum_v<T>) {
        const long long n = static_cast<long long>(value);
        out << n << " (0x" << std::hex << (static_cast<unsigned long long>(n) & 0xFFFFFFFFull) << ")";
    } else {
        out << value;
    }
    return out.str();
}

template <typename A, typename B>
bool equal(const A &a, const B &b)
{
    if constexpr (std::is_integral_v<A> && std::is_integral_v<B>)
        return static_cast<long long>(a) == static_cast<long long>(b);
    else
        return a == b;
}

} // namespace check

#define TEST_CASE(group, name)                                                                                        \
    static void name();                                                                                               \
    static const int name##_registered = check::registerCase(group, #name, name);                                     \
    static void name()

#define CHECK(expr)                                                                                                   \
    do {                                                                                                              \
        if (expr)                                                                                                     \
            check::recordPass();                                                                                      \
        else                                                                                                          \
            check::recordFailure(__FILE__, __LINE__, "CHECK(" #expr ")");                                             \
    } while (0)

#define CHECK_EQ(actual, expected)                                                                                    \
    do {                                                                                                              \
        const auto &check_a_ = (actual);                                                                              \
        const auto &check_e_ = (expected);                                                                            \
        if (check::equal(check_a_, check_e_))                                                                         \
            check::recordPass();                                                                                      \
        else                                                                                                          \
            check::recordFailure(__FILE__, __LINE__,                                                                  \
                                 "CHECK_EQ(" #actual ", " #expected ")\n      actual:   " + check::show(check_a_)     \
                                     + "\n      expected: " + check::show(check_e_));                                 \
    } while (0)

#define REQUIRE(expr)                                                                                                 \
    do {                                                                                                              \
        if (expr) {                                                                                                   \
            check::recordPass();                                                                                      \
        } else {                                                                                                      \
            check::recordFailure(__FILE__, __LINE__, "REQUIRE(" #expr ")");                                           \
            throw check::Abort();                                                                                     \
        }                                                                                                             \
    } while (0)
