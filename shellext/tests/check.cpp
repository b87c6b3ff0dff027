#include "check.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace check {
namespace {

struct Case
{
    const char *pszGroup;
    const char *pszName;
    CaseFn fn;
};

std::vector<Case> &cases()
{
    static std::vector<Case> s_vecCases;
    return s_vecCases;
}

int g_nPassed = 0;
int g_nFailed = 0;
int g_nFailedInCase = 0;
std::vector<std::string> g_vecContext;

} // namespace

int registerCase(const char *pszGroup, const char *pszName, CaseFn fn)
{
    cases().push_back({ pszGroup, pszName, fn });
    return static_cast<int>(cases().size());
}

Context::Context(const std::string &strWhat)
{
    g_vecContext.push_back(strWhat);
}

Context::~Context()
{
    g_vecContext.pop_back();
}

void recordPass()
{
    ++g_nPassed;
}

void recordFailure(const char *pszFile, int nLine, const std::string &strWhat)
{
    ++g_nFailed;
    ++g_nFailedInCase;
    std::printf("%s:%d: FAILED %s\n", pszFile, nLine, strWhat.c_str());
    for (const std::string &strContext : g_vecContext)
        std::printf("      while:    %s\n", strContext.c_str());
    std::fflush(stdout);
}

std::string toUtf8(const std::wstring &str)
{
    if (str.empty())
        return std::string();
    const int nBytes = WideCharToMultiByte(CP_UTF8, 0, str.data(), static_cast<int>(str.size()), nullptr, 0, nullptr,
                                           nullptr);
    std::string strOut(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, str.data(), static_cast<int>(str.size()), &strOut[0], nBytes, nullptr, nullptr);
    return strOut;
}

// Runs the cases of one group ("all" runs every case); a group that matches
// no case is a failure, so a misspelt name cannot pass silently.
int runGroup(const char *pszGroup)
{
    int nRun = 0;
    int nCasesFailed = 0;
    for (const Case &c : cases()) {
        if (std::strcmp(pszGroup, "all") != 0 && std::strcmp(pszGroup, c.pszGroup) != 0)
            continue;
        ++nRun;
        g_nFailedInCase = 0;
        g_vecContext.clear();
        std::printf("[ RUN  ] %s.%s\n", c.pszGroup, c.pszName);
        std::fflush(stdout);
        try {
            c.fn();
        } catch (const Abort &) {
            // already reported
        } catch (const std::exception &e) {
            recordFailure(__FILE__, __LINE__, std::string("unexpected exception: ") + e.what());
        }
        if (g_nFailedInCase)
            ++nCasesFailed;
        std::printf("[ %s ] %s.%s\n", g_nFailedInCase ? "FAIL" : " OK ", c.pszGroup, c.pszName);
        std::fflush(stdout);
    }
    if (nRun == 0) {
        std::printf("no test case in group \"%s\"\n", pszGroup);
        return 2;
    }
    std::printf("%s: %d cases, %d checks passed, %d failed\n", pszGroup, nRun, g_nPassed, g_nFailed);
    return (g_nFailed || nCasesFailed) ? 1 : 0;
}

} // namespace check
