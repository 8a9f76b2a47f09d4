// Holds a file open without sharing for a while, as a scanner or a backup
// program does: tolvi_file_holder PATH MILLISECONDS
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    const HANDLE hFile =
        ::CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 1;
    ::Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
    ::CloseHandle(hFile);
    return 0;
}
