// Windows GUI entry: splits the wide command line by the shell's rules and
// hands it to the editor's entry as an 8-bit argument vector. The paths to
// open are taken from Qt's wide-character argument list, so no character is
// lost in the 8-bit conversion.
#include "app/Startup.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#include <shellapi.h>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int nArgs = 0;
    LPWSTR* ppArgs = CommandLineToArgvW(GetCommandLineW(), &nArgs);
    if (!ppArgs)
        return -1;
    std::vector<std::vector<char>> vecStrings;
    std::vector<char*> vecArgv;
    for (int i = 0; i < nArgs; ++i) {
        const int nBytes = WideCharToMultiByte(CP_ACP, 0, ppArgs[i], -1, nullptr, 0, nullptr, nullptr);
        std::vector<char> vecArg(static_cast<size_t>(nBytes > 0 ? nBytes : 1), '\0');
        if (nBytes > 0)
            WideCharToMultiByte(CP_ACP, 0, ppArgs[i], -1, vecArg.data(), nBytes, nullptr, nullptr);
        vecStrings.push_back(std::move(vecArg));
    }
    LocalFree(ppArgs);
    for (auto& vecArg : vecStrings)
        vecArgv.push_back(vecArg.data());
    vecArgv.push_back(nullptr);
    return scrbMain(nArgs, vecArgv.data());
}
#endif
