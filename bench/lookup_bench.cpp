// What the user waits for in the real lookup window, measured from outside: KIVO.dll is loaded
// through its exports by the stand-in host and the window opened through AddinProc, as the IDE
// does. Per catalogue set (folders beside this program: none, shipped, x1, x10):
//   open to the end of WM_INITDIALOG, open to the tree's first WM_PAINT,
//   selecting an entry, selecting a heading, looking up the entry the search reaches last.
// Medians over rounds that interleave the sets, then the ratios; then the working set around
// 100 openings of the shipped set. Figures only, never a pass or fail.
//   lookup_bench [rounds] [openings]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/text_copy.h"
#include "resources/resource_ids.h"
#include "standin/host_window.h"

namespace {

constexpr int SetCount = 4;
const char* const SetNames[SetCount] = {"none", "shipped", "x1", "x10"};
const char* const SetTitles[SetCount] = {"no catalogue modules", "shipped catalogues",
                                         "synthetic, shipped size", "synthetic, 10 x shipped"};

enum Figure { OpenToInit, OpenToPaint, SelectEntry, SelectHeading, LookupLast, FigureCount };
const char* const FigureNames[FigureCount] = {"open to end of WM_INITDIALOG",
                                              "open to the tree's first paint", "select an entry",
                                              "select a heading", "look up the last entry"};

double Frequency() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(f.QuadPart);
}

double NowMs() {
    static const double frequency = Frequency();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * double(t.QuadPart) / frequency;
}

SIZE_T WorkingSetKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize / 1024;
}

// One opening: filled in by the window procedures below while the modal window runs.
struct Opening {
    double called;
    double figures[FigureCount];
    bool painted;
    bool found; // the lookup selected the entry it was asked for
    HWND dialog;
    HWND tree;
    WNDPROC dialogProc;
    WNDPROC treeProc;
    HHOOK hook;
};
Opening Now;

constexpr UINT MeasureMessage = WM_APP + 77;

HTREEITEM LastChild(HWND tree, HTREEITEM parent) {
    HTREEITEM last = nullptr;
    for (HTREEITEM item = TreeView_GetChild(tree, parent); item != nullptr;
         item = TreeView_GetNextSibling(tree, item))
        last = item;
    return last;
}

double TimedSelect(HWND tree, HTREEITEM item) {
    const double start = NowMs();
    TreeView_SelectItem(tree, item);
    return NowMs() - start;
}

// Runs after the first paint, inside the window's own message loop, then closes the window.
void MeasureSelections() {
    HWND tree = Now.tree;
    HTREEITEM firstHeading = TreeView_GetRoot(tree);
    HTREEITEM entry = nullptr;
    HTREEITEM lastHeading = nullptr;
    for (HTREEITEM heading = firstHeading; heading != nullptr;
         heading = TreeView_GetNextSibling(tree, heading)) {
        if (entry == nullptr)
            entry = TreeView_GetChild(tree, heading);
        if (TreeView_GetChild(tree, heading) != nullptr)
            lastHeading = heading;
    }
    if (entry != nullptr) {
        Now.figures[SelectEntry] = TimedSelect(tree, entry);
        Now.figures[SelectHeading] = TimedSelect(tree, firstHeading);
        // The search walks the headings in display order: the last child of the last filled
        // heading is what it reaches last.
        HTREEITEM last = LastChild(tree, lastHeading);
        char label[32] = {};
        TVITEMA query{};
        query.mask = TVIF_TEXT;
        query.hItem = last;
        query.pszText = label;
        query.cchTextMax = sizeof label;
        TreeView_GetItem(tree, &query);
        SetDlgItemTextA(Now.dialog, IDC_CODE_ENTRY, label);
        const double start = NowMs();
        SendMessageA(Now.dialog, WM_COMMAND, MAKEWPARAM(IDC_LOOKUP, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(Now.dialog, IDC_LOOKUP)));
        Now.figures[LookupLast] = NowMs() - start;
        Now.found = TreeView_GetSelection(tree) == last;
    }
    PostMessageA(Now.dialog, WM_CLOSE, 0, 0);
}

LRESULT CALLBACK TreeProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    const LRESULT result = CallWindowProcA(Now.treeProc, window, message, first, second);
    if (message == WM_PAINT && !Now.painted) {
        Now.figures[OpenToPaint] = NowMs() - Now.called;
        Now.painted = true;
        PostMessageA(window, MeasureMessage, 0, 0);
    } else if (message == MeasureMessage) {
        MeasureSelections();
    }
    return result;
}

LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    const LRESULT result = CallWindowProcA(Now.dialogProc, window, message, first, second);
    if (message == WM_INITDIALOG) {
        Now.figures[OpenToInit] = NowMs() - Now.called;
        Now.tree = GetDlgItem(window, IDC_ERROR_TREE);
        Now.treeProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(Now.tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TreeProc)));
    }
    return result;
}

// Finds the lookup window as it is created and subclasses it. The hook is removed at once:
// under Wine every hook call costs a round trip to the server, on every message of the thread.
LRESULT CALLBACK CreationHook(int code, WPARAM first, LPARAM second) {
    if (code == HCBT_CREATEWND && Now.dialog == nullptr) {
        HWND window = reinterpret_cast<HWND>(first);
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, "#32770") == 0) {
            Now.dialog = window;
            UnhookWindowsHookEx(Now.hook);
            Now.hook = nullptr;
            Now.dialogProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DialogProc)));
            return 0;
        }
    }
    return CallNextHookEx(nullptr, code, first, second);
}

bool OpenOnce(StandinHost& host, Opening& out) {
    Now = Opening{};
    for (double& f : Now.figures)
        f = -1;
    Now.hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    Now.called = NowMs();
    ChooseAddinItem(host);
    if (Now.hook != nullptr)
        UnhookWindowsHookEx(Now.hook);
    out = Now;
    return Now.painted;
}

double Median(std::vector<double> values) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Folder(char* path, size_t size, const char* set) {
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    KeepFolder(self, sizeof self);
    std::snprintf(path, size, "%s%s\\KIVO.dll", self, set);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const int openings = argc > 2 ? std::max(1, std::atoi(argv[2])) : 100;
    StandinHost host{};
    if (!CreateStandinHost(host, GetModuleHandleA(nullptr), true)) {
        std::printf("the stand-in host could not be made\n");
        return 1;
    }
    std::vector<double> samples[SetCount][FigureCount];
    UINT entries[SetCount] = {};
    for (int round = 0; round < rounds; ++round)
        for (int set = 0; set < SetCount; ++set) {
            char path[MAX_PATH + 32];
            Folder(path, sizeof path, SetNames[set]);
            if (!LoadAddin(host, path)) {
                std::printf("%s: KIVO.dll could not be loaded\n", path);
                return 1;
            }
            Opening run{};
            if (!OpenOnce(host, run)) {
                std::printf("%s: the lookup window did not open\n", SetNames[set]);
                return 1;
            }
            if (round > 0) // the first round only warms the caches
                for (int f = 0; f < FigureCount; ++f)
                    if (run.figures[f] >= 0)
                        samples[set][f].push_back(run.figures[f]);
            if (set != 0 && !run.found)
                std::printf("%s: the lookup did not select the last entry\n", SetNames[set]);
            ReleaseAddin(host);
        }
    // Entry counts, from one more opening per set that reads the tree before it closes.
    std::printf("lookup window, medians of %d openings per set (ms):\n",
                rounds - 1 > 0 ? rounds - 1 : 1);
    double median[SetCount][FigureCount];
    for (int set = 0; set < SetCount; ++set) {
        std::printf("  %-26s", SetTitles[set]);
        for (int f = 0; f < FigureCount; ++f) {
            median[set][f] = Median(samples[set][f]);
            if (median[set][f] >= 0)
                std::printf("  %s %.1f", FigureNames[f], median[set][f]);
        }
        std::printf("\n");
        (void)entries;
    }
    const auto ratio = [&](int a, int b, int f) {
        return median[b][f] > 0 ? median[a][f] / median[b][f] : 0.0;
    };
    std::printf("ratios:\n");
    std::printf("  shipped / none: %.2f to end of WM_INITDIALOG, %.2f to first paint\n",
                ratio(1, 0, OpenToInit), ratio(1, 0, OpenToPaint));
    std::printf("  10x / 1x:       %.2f to end of WM_INITDIALOG, %.2f to first paint\n",
                ratio(3, 2, OpenToInit), ratio(3, 2, OpenToPaint));
    std::printf("  lookup of the last entry / selecting an entry (shipped): %.2f\n",
                median[1][SelectEntry] > 0 ? median[1][LookupLast] / median[1][SelectEntry] : 0.0);

    char path[MAX_PATH + 32];
    Folder(path, sizeof path, "shipped");
    if (!LoadAddin(host, path))
        return 1;
    const SIZE_T before = WorkingSetKiB();
    for (int i = 0; i < openings; ++i) {
        Opening run{};
        OpenOnce(host, run);
    }
    const SIZE_T after = WorkingSetKiB();
    std::printf("working set: %lu KiB before the first opening, %lu KiB after %d openings\n",
                static_cast<unsigned long>(before), static_cast<unsigned long>(after), openings);
    ReleaseAddin(host);
    DestroyStandinHost(host);
    return 0;
}
