// placement_bench [DIR] [ROUNDS]: installs a generated package of 2,000 files (1,900 of 1 to
// 64 KB, 100 of 1 MB, in a few subfolders) with replaySourceList and removes it again with
// replayFileLines, and times both against a plain CopyFileA / DeleteFileA loop over the same
// tree. The plain loop copies onto the empty tree with CopyFileA both ways: refusing to overwrite
// (the baseline: under Wine the fastest way onto new files) and allowing it (shown beside it).
// Each round runs the kinds in turn. The figures are the medians and the best of the rounds: on
// a shared machine the best shows the work itself, the median what a run usually meets.
#include "app/SetupSettings.h"
#include "install/FilePlacement.h"
#include "support/Scoped.h"
#include "uninstall/LogReplay.h"
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

SetupSettings setupSettings;

namespace {

struct Folder {
    const char* name;       // relative to the package; "" is the package itself
    const char* extension;
    int smallFiles;
    int bigFiles;
};

// 1,900 small and 100 big files. The package's own folder holds subfolders, so its pattern
// names an extension that the subfolders do not have.
const Folder kFolders[] = {
    {"", "dat", 400, 0},    {"data", "dat", 600, 0}, {"data\\filters", "dat", 400, 0},
    {"help", "htm", 500, 0}, {"media", "bin", 0, 100},
};
constexpr DWORD kBigFileSize = 1024 * 1024;

std::string joined(const std::string& dir, const char* name)
{
    return *name ? dir + "\\" + name : dir;
}

void writeGeneratedFile(const std::string& path, DWORD size, unsigned state)
{
    std::vector<char> data(size);
    for (DWORD i = 0; i < size; i++)
        data[i] = static_cast<char>((state * 31 + i * 7) & 0xFF);
    ScopedFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.Get(), data.data(), size, &written, nullptr);
}

// The package and its source list; the total number of bytes.
unsigned long long generatePackage(const std::string& pkg)
{
    std::string list;
    unsigned long long total = 0;
    unsigned state = 12345;
    CreateDirectoryA(pkg.c_str(), nullptr);
    for (const Folder& folder : kFolders) {
        std::string dir = joined(pkg, folder.name);
        CreateDirectoryA(dir.c_str(), nullptr);
        if (*folder.name)
            list += std::string("Make Dir: ") + folder.name + "\r\n";
        for (int i = 0; i < folder.smallFiles + folder.bigFiles; i++) {
            state = state * 1103515245u + 12345u;
            DWORD size = i < folder.smallFiles ? 1024 + (state >> 8) % (63 * 1024) : kBigFileSize;
            char name[32];
            snprintf(name, sizeof name, "\\f%04d.%s", i, folder.extension);
            writeGeneratedFile(dir + name, size, state);
            total += size;
        }
        list += std::string("File Copy: ") + (*folder.name ? std::string(folder.name) + "\\" : "") + "*." +
                folder.extension + "\r\n";
    }
    ScopedFileHandle file(
        CreateFileA((pkg + "\\LmtUnInst.log").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    WriteFile(file.Get(), list.data(), static_cast<DWORD>(list.size()), &written, nullptr);
    return total;
}

double nowMs()
{
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The plain loops: every file of each folder, found the same way the engine finds them.
template <typename Action>
void forEachFile(const std::string& dir, const char* extension, Action action)
{
    WIN32_FIND_DATAA found;
    ScopedFind find(FindFirstFileA((dir + "\\*." + extension).c_str(), &found));
    if (!find)
        return;
    do
        action(found.cFileName);
    while (FindNextFileA(find.Get(), &found));
}

// Files below the directory, all levels.
int countFiles(const std::string& dir)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    ScopedFind find(FindFirstFileA((dir + "\\*").c_str(), &found));
    if (!find)
        return 0;
    do {
        std::string name = found.cFileName;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            count++;
        else if (name != "." && name != "..")
            count += countFiles(dir + "\\" + name);
    } while (FindNextFileA(find.Get(), &found));
    return count;
}

void plainCopy(const std::string& pkg, const std::string& inst, BOOL failIfExists)
{
    CreateDirectoryA(inst.c_str(), nullptr);
    for (const Folder& folder : kFolders) {
        std::string from = joined(pkg, folder.name), to = joined(inst, folder.name);
        CreateDirectoryA(to.c_str(), nullptr);
        forEachFile(from, folder.extension, [&](const char* name) {
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), failIfExists);
        });
    }
}

void plainDelete(const std::string& inst)
{
    for (const Folder& folder : kFolders) {
        std::string dir = joined(inst, folder.name);
        forEachFile(dir, folder.extension, [&](const char* name) { DeleteFileA((dir + "\\" + name).c_str()); });
    }
    for (int i = static_cast<int>(sizeof kFolders / sizeof kFolders[0]) - 1; i >= 0; i--)
        RemoveDirectoryA(joined(inst, kFolders[i].name).c_str());
}

void enginePlace(const std::string& pkg, const std::string& inst)
{
    setupSettings.sourceDir = pkg;
    setupSettings.installDir = inst;
    CreateDirectoryA(inst.c_str(), nullptr);
    replaySourceList(pkg + "\\LmtUnInst.log");
}

void engineRemove(const std::string& pkg, const std::string& inst)
{
    replayFileLines(pkg + "\\LmtUnInst.log", inst);
    RemoveDirectoryA(inst.c_str());
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double best(const std::vector<double>& values)
{
    return *std::min_element(values.begin(), values.end());
}

struct Samples {
    std::vector<double> place;
    std::vector<double> remove;
};

void printRow(const char* what, const char* statistic, double engine, double plain, double overwrite)
{
    printf("%-10s %-7s %12.1f %12.1f %7.3fx %16.1f\n", what, statistic, engine, plain, engine / plain, overwrite);
}

template <typename Work>
double timed(Work work)
{
    double start = nowMs();
    work();
    return nowMs() - start;
}

struct Figures {
    Samples engine, plain, overwrite;
    bool complete = true; // every pass placed all files and removed them all again
};

// One kind's pass: place, check, remove, check. A pass that left files out means nothing.
template <typename Place, typename Remove>
void timePass(Figures& figures, Samples& samples, const std::string& inst, Place place, Remove remove)
{
    samples.place.push_back(timed(place));
    figures.complete = figures.complete && countFiles(inst) == 2000;
    samples.remove.push_back(timed(remove));
    figures.complete = figures.complete && countFiles(inst) == 0;
}

// Each round runs the three kinds, rotating which goes first, so none always meets a warmer
// cache or the write-back of the pass before it.
Figures runRounds(const std::string& pkg, const std::string& inst, int rounds)
{
    Figures f;
    for (int round = 0; round < rounds; round++) {
        for (int turn = 0; turn < 3; turn++) {
            switch ((round + turn) % 3) {
            case 0:
                timePass(f, f.engine, inst, [&] { enginePlace(pkg, inst); }, [&] { engineRemove(pkg, inst); });
                break;
            case 1:
                timePass(f, f.plain, inst, [&] { plainCopy(pkg, inst, TRUE); }, [&] { plainDelete(inst); });
                break;
            default:
                timePass(f, f.overwrite, inst, [&] { plainCopy(pkg, inst, FALSE); }, [&] { plainDelete(inst); });
                break;
            }
        }
    }
    return f;
}

void printFigures(const Figures& f, unsigned long long bytes, int rounds)
{
    printf("package: 2000 files (1900 of 1-64 KB, 100 of 1 MB), %.1f MB; %d rounds\n",
           static_cast<double>(bytes) / (1024.0 * 1024.0), rounds);
    printf("%-10s %-7s %12s %12s %8s %16s\n", "", "", "engine (ms)", "plain (ms)", "ratio", "overwrite (ms)");
    printRow("placement", "median", median(f.engine.place), median(f.plain.place), median(f.overwrite.place));
    printRow("", "best", best(f.engine.place), best(f.plain.place), best(f.overwrite.place));
    printRow("removal", "median", median(f.engine.remove), median(f.plain.remove), median(f.overwrite.remove));
    printRow("", "best", best(f.engine.remove), best(f.plain.remove), best(f.overwrite.remove));
    if (getenv("LMT_BENCH_SAMPLES")) {
        for (int i = 0; i < rounds; i++)
            printf("round %d: place %.0f/%.0f/%.0f remove %.0f/%.0f/%.0f\n", i, f.engine.place[i], f.plain.place[i],
                   f.overwrite.place[i], f.engine.remove[i], f.plain.remove[i], f.overwrite.remove[i]);
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::string root = argc > 1 ? argv[1] : "C:\\lmt-bench";
    int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 9;
    const std::string pkg = root + "\\pkg", inst = root + "\\inst";
    CreateDirectoryA(root.c_str(), nullptr);
    unsigned long long bytes = generatePackage(pkg);
    Figures figures = runRounds(pkg, inst, rounds);
    if (!figures.complete) {
        printf("a pass did not place or remove every file: no figures\n");
        return 1;
    }
    printFigures(figures, bytes, rounds);
    return 0;
}
