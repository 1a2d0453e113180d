// Looks at a running Quennix from another process, as the black-box tests need:
//   quennix_probe responsive SECONDS LIMIT_MS   the window answers WM_NULL within LIMIT_MS at every probe
//   quennix_probe threads                       the number of threads of the program's process
//   quennix_probe notice                        "visible" or "hidden": the program's balloon notice
//   quennix_probe holdclipboard SECONDS         keeps the clipboard open that long, as a busy program would
//   quennix_probe texts                         "left top text" of every child window, in window
//                                               coordinates, one per line (the text in GBK)
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND findProgram() {
    for (int i = 0; i < 100; ++i) {
        if (HWND window = FindWindowA("QuennixMainWindow", nullptr)) return window;
        Sleep(100);
    }
    return nullptr;
}

int probeResponsive(HWND window, int seconds, int limitMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    int probes = 0, slow = 0;
    ULONGLONG worst = 0;
    while (GetTickCount64() < end) {
        DWORD_PTR result = 0;
        const ULONGLONG start = GetTickCount64();
        const LRESULT answered =
            SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, limitMs, &result);
        const ULONGLONG took = GetTickCount64() - start;
        if (!IsWindow(window)) break;
        ++probes;
        if (took > worst) worst = took;
        if (!answered || took > static_cast<ULONGLONG>(limitMs)) ++slow;
        Sleep(100);
    }
    std::printf("%d probes, worst %llu ms, %d over %d ms\n", probes, worst, slow, limitMs);
    return probes > 0 && slow == 0 ? 0 : 1;
}

int countThreads(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int threads = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == processId) ++threads;
    CloseHandle(snapshot);
    std::printf("%d\n", threads);
    return 0;
}

BOOL CALLBACK printText(HWND child, LPARAM mainWindow) {
    char text[512] = "";
    // WM_GETTEXT answers for every kind of control, our own classes included.
    SendMessageTimeoutA(child, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000, nullptr);
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(HWND_DESKTOP, reinterpret_cast<HWND>(mainWindow), reinterpret_cast<POINT*>(&place), 2);
    std::printf("%ld %ld %s\n", place.left, place.top, text);
    return TRUE;
}

}  // namespace

// The balloon notice is a tooltip window of the program's process.
int printNotice(HWND window) {
    DWORD program = 0;
    GetWindowThreadProcessId(window, &program);
    bool visible = false;
    for (HWND tip = nullptr; (tip = FindWindowExA(nullptr, tip, "tooltips_class32", nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(tip, &owner);
        if (owner == program && IsWindowVisible(tip)) visible = true;
    }
    std::printf("%s\n", visible ? "visible" : "hidden");
    return 0;
}

int holdClipboard(int seconds) {
    // Opened with a window of its own: Wine lets two windowless opens share it.
    HWND holder = CreateWindowA("STATIC", "clipboard holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (!OpenClipboard(holder)) return 1;
    std::printf("holding\n");
    std::fflush(stdout);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    CloseClipboard();
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "holdclipboard") == 0) return holdClipboard(std::atoi(argv[2]));
    if (argc < 2) {
        std::fprintf(stderr, "usage: quennix_probe responsive SECONDS LIMIT_MS | threads | notice | texts | holdclipboard SECONDS\n");
        return 2;
    }
    HWND window = findProgram();
    if (!window) {
        std::fprintf(stderr, "quennix_probe: no Quennix window\n");
        return 3;
    }
    if (std::strcmp(argv[1], "responsive") == 0 && argc == 4)
        return probeResponsive(window, std::atoi(argv[2]), std::atoi(argv[3]));
    if (std::strcmp(argv[1], "threads") == 0) return countThreads(window);
    if (std::strcmp(argv[1], "notice") == 0) return printNotice(window);
    if (std::strcmp(argv[1], "texts") == 0) {
        EnumChildWindows(window, printText, reinterpret_cast<LPARAM>(window));
        return 0;
    }
    std::fprintf(stderr, "quennix_probe: unknown command %s\n", argv[1]);
    return 2;
}
