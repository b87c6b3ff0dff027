// Plays Explorer against ScrbExtShell.dll. Usage: ScrbExtShellTests <group|all>
#include <windows.h>
#include <objbase.h>

#include <cstdio>

namespace check {
int runGroup(const char *pszGroup);
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::printf("usage: ScrbExtShellTests <factory|init|menu|invoke|cmdstring|registry|all>\n");
        return 2;
    }
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        std::printf("CoInitializeEx failed\n");
        return 2;
    }
    const int nResult = check::runGroup(argv[1]);
    CoUninitialize();
    return nResult;
}
