// Stands in for the editor: records which file was started and its command
// line in scrb-run-<n>.txt beside itself (UTF-16, "module\ncommand line").
#include <windows.h>

#include <string>

int main()
{
    wchar_t szModule[1024] = {};
    GetModuleFileNameW(nullptr, szModule, 1024);
    const std::wstring strModule(szModule);
    const std::wstring strFolder = strModule.substr(0, strModule.find_last_of(L'\\') + 1);
    const std::wstring strRecord = strModule + L"\n" + GetCommandLineW();
    const DWORD cbRecord = static_cast<DWORD>(strRecord.size() * sizeof(wchar_t));

    // Written under a temporary name and renamed, so a reader never sees half a record.
    for (int n = 1; n < 1000; ++n) {
        const std::wstring strBase = strFolder + L"scrb-run-" + std::to_wstring(n);
        if (GetFileAttributesW((strBase + L".txt").c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;
        const std::wstring strTemp = strBase + L".tmp";
        HANDLE h = CreateFileW(strTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        DWORD cbWritten = 0;
        const BOOL bWritten = WriteFile(h, strRecord.data(), cbRecord, &cbWritten, nullptr);
        CloseHandle(h);
        if (bWritten && cbWritten == cbRecord && MoveFileW(strTemp.c_str(), (strBase + L".txt").c_str()))
            return 0;
        DeleteFileW(strTemp.c_str());
    }
    return 1;
}
