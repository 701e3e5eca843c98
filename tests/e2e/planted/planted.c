/* A DLL planted beside a program under a system library's name, as a download folder may hold
   one: when loaded it says so in C:\planted-loaded.txt. Its exports only have to exist. */
#include <windows.h>

static int Nothing(void) {
    return 0;
}
int PlantedA(void) { return Nothing(); }
int PlantedB(void) { return Nothing(); }
int PlantedC(void) { return Nothing(); }

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID unused) {
    (void)unused;
    if (reason == DLL_PROCESS_ATTACH) {
        char name[MAX_PATH];
        DWORD n = GetModuleFileNameA(self, name, MAX_PATH), written = 0;
        HANDLE f = CreateFileA("C:\\planted-loaded.txt", FILE_APPEND_DATA, FILE_SHARE_READ, NULL,
                               OPEN_ALWAYS, 0, NULL);
        WriteFile(f, name, n, &written, NULL);
        WriteFile(f, "\r\n", 2, &written, NULL);
        CloseHandle(f);
    }
    return TRUE;
}
