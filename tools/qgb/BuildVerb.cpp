#include "BuildVerb.h"

#include "options/Options.h"
#include "model/Settings.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>

#include <dirent.h>
#include <fcntl.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qgb {

namespace fs = std::filesystem;
namespace qb = quorvin::builder;
using quorvin::host::Message;

namespace {

constexpr const char *kToolsMenu = "Tools";
constexpr const char *kBuilderOption = "Quorvin GUI Builder";
constexpr const char *kGoBuild = "Go Build";
constexpr const char *kClassicSuccess = "New GUI stub files have been written.\n";
constexpr const char *kQtSuccess = "New Qt stub files have been written.";

} // namespace

namespace {

// One entry of a directory as the walk below meets it: the folder it is in
// (open) and its name there, for a stat that needs no path walk.
struct Entry {
    int folder;
    const char *name;
    unsigned char type; // DT_REG, DT_LNK, ... as the listing gave it
};

// The file's stamp when it is a regular file (a link to one counts).
bool StampOf(const Entry &entry, FileStamp &stamp) {
    struct stat st {};
    if (::fstatat(entry.folder, entry.name, &st, 0) != 0 || !S_ISREG(st.st_mode))
        return false;
    stamp.size = static_cast<std::uintmax_t>(st.st_size);
    stamp.seconds = static_cast<long long>(st.st_mtim.tv_sec);
    stamp.nanoseconds = static_cast<long>(st.st_mtim.tv_nsec);
    return true;
}

// Visits every entry below the open folder but its sub-folders, which it
// enters (links to folders are not followed, folders it may not read are
// left out), with the path relative to the top as "a/b/name". Plain
// directory reads: a path object per file cost more than the whole build
// listing needs.
template <class Visit> void WalkFolder(int folder, std::string &relative, Visit &visit) {
    DIR *listing = ::fdopendir(folder);
    if (!listing) {
        ::close(folder);
        return;
    }
    while (const dirent *e = ::readdir(listing)) {
        const char *name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        const size_t keep = relative.size();
        relative += name;
        unsigned char type = e->d_type;
        struct stat st {};
        if (type == DT_UNKNOWN && ::fstatat(::dirfd(listing), name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            type = static_cast<unsigned char>(IFTODT(st.st_mode));
        if (type == DT_DIR) {
            const int sub =
                ::openat(::dirfd(listing), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (sub >= 0) {
                relative += '/';
                WalkFolder(sub, relative, visit);
            }
        } else {
            visit(relative, Entry{::dirfd(listing), name, type});
        }
        relative.resize(keep);
    }
    ::closedir(listing);
}

template <class Visit> void ForEachFile(const fs::path &directory, Visit visit) {
    const int top = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (top < 0)
        return;
    std::string relative;
    WalkFolder(top, relative, visit);
}

} // namespace

DirectorySnapshot SnapshotDirectory(const fs::path &directory) {
    DirectorySnapshot snapshot;
    ForEachFile(directory, [&](const std::string &path, const Entry &entry) {
        FileStamp stamp;
        if (StampOf(entry, stamp))
            snapshot.emplace(path, stamp);
    });
    return snapshot;
}

std::vector<std::string> WrittenFiles(const DirectorySnapshot &before, const fs::path &directory) {
    std::vector<std::string> written;
    ForEachFile(directory, [&](const std::string &path, const Entry &entry) {
        auto old = before.find(path);
        FileStamp stamp;
        if (old != before.end()) {
            if (StampOf(entry, stamp) && !(old->second == stamp))
                written.push_back(path);
            return;
        }
        // A file that was not there is new, whatever its stamp: the type
        // the listing gave is enough unless it is a link.
        if (entry.type == DT_REG || StampOf(entry, stamp))
            written.push_back(path);
    });
    std::sort(written.begin(), written.end());
    return written;
}

std::optional<int32_t> ParseLanguage(const std::string &word) {
    std::string lower = word;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "c")
        return qb::LanguageC;
    if (lower == "cpp" || lower == "c++")
        return qb::LanguageCPP;
    if (lower == "fortran")
        return qb::LanguageFORTRAN;
    if (lower == "qt")
        return qb::LanguageQt;
    return std::nullopt;
}

bool WriteLanguageToConfig(int32_t language, const std::string &layoutPath) {
    // The add-on's own reader and writer, run in-process on the loaded layout.
    qb::BuilderSettings = qb::BuilderSettingsT{};
    qb::ReadConfigFile();
    qb::BuilderSettings.Language = language;
    const fs::path config = fs::path(layoutPath).parent_path() / "dlb.cfg";
    std::FILE *file = qb::OpenConfigFile("w");
    if (!file) {
        PrintError("cannot write " + config.string() + " to set the language");
        return false;
    }
    qb::WriteConfigLines(file);
    const bool written = std::ferror(file) == 0;
    if (std::fclose(file) != 0 || !written) {
        PrintError("cannot write " + config.string() + " to set the language");
        return false;
    }
    return true;
}

bool IsBuildSuccessReport(const Message &message) {
    if (message.call != Message::Call::MessageBox || message.boxType != MessageBox_Information)
        return false;
    return message.text.rfind(kClassicSuccess, 0) == 0 || message.text == kQtSuccess;
}

namespace {

// A build is one short process that reads, makes and frees some hundred
// megabytes in many small pieces and ends. By default the C library gives
// each large block pages of its own and hands freed memory back to the
// system, so that nearly every page is new to the process and costs a fault
// when first touched. For the build, freed memory stays in the heap for the
// next allocation, and the heap is reserved in one piece whose pages the
// kernel may back with huge pages: about a thousand faults instead of
// twelve to twenty thousand for 1,000 dialogs. Nothing changes but where
// memory comes from (with glibc only).
//
// The piece has room for the whole build: a build's peak is 1.5 to 2 times
// the layout file's size, so the heap is reserved at twice that, at least
// 256 MiB and at most 1 GiB (only the pages touched are ever backed). With
// a fixed 256 MiB, 10,000 dialogs outgrew it and took 27,000 faults.
void KeepHeapForTheRun(const std::string &layoutPath) {
#if defined(__GLIBC__)
    constexpr size_t kMegabyte = size_t{1} << 20;
    struct stat layout {};
    const size_t layoutBytes =
        ::stat(layoutPath.c_str(), &layout) == 0 ? static_cast<size_t>(layout.st_size) : 0;
    const size_t pad = std::clamp(2 * layoutBytes, 256 * kMegabyte, 1024 * kMegabyte);
    // Large blocks come from the heap (32 MiB is the most glibc takes) and
    // the heap's top is never given back; it grows by the pad at a time.
    if (!mallopt(M_MMAP_THRESHOLD, static_cast<int>(32 * kMegabyte)) ||
        !mallopt(M_TRIM_THRESHOLD, INT32_MAX) || !mallopt(M_TOP_PAD, static_cast<int>(pad)))
        return;
    auto *before = static_cast<char *>(sbrk(0));
    // Makes the heap grow by the pad now (volatile: the pair is not left out).
    void *volatile block = std::malloc(kMegabyte);
    std::free(block);
    auto *after = static_cast<char *>(sbrk(0));
    constexpr uintptr_t kHuge = 2 * kMegabyte;
    const uintptr_t start = (reinterpret_cast<uintptr_t>(before) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t end = reinterpret_cast<uintptr_t>(after) & ~(kHuge - 1);
    if (before != reinterpret_cast<char *>(-1) && end > start)
        (void)::madvise(reinterpret_cast<void *>(start), end - start, MADV_HUGEPAGE);
#else
    (void)layoutPath;
#endif
}

} // namespace

int RunBuild(const GlobalOptions &options, const std::string &layoutPath,
             std::optional<int32_t> language) {
    KeepHeapForTheRun(layoutPath);
    Session session(options);
    if (!session.loadLayout(layoutPath))
        return kExitFailure;
    fs::path directory = fs::path(layoutPath).parent_path();
    if (directory.empty())
        directory = ".";
    // The language goes into "dlb.cfg" first; the listing shows only what
    // the build itself wrote.
    if (language && !WriteLanguageToConfig(*language, layoutPath))
        return kExitFailure;
    // The classic files land beside the layout; the Qt dialog and main window
    // files in "ui" beside the layout's directory.
    const std::vector<fs::path> roots = {directory, (directory / ".." / "ui").lexically_normal()};
    std::vector<DirectorySnapshot> before;
    for (const fs::path &root : roots)
        before.push_back(SnapshotDirectory(root));
    if (!session.loadAddOn())
        return kExitFailure;

    auto &h = Session::host();
    std::string error;
    if (!h.chooseMenuOption(kToolsMenu, kBuilderOption, &error)) {
        PrintError("cannot choose " + std::string(kToolsMenu) + " > " + kBuilderOption + ": " +
                   error);
        session.reportNewFaults();
        return kExitFailure;
    }
    if (!h.press(kGoBuild, &error)) {
        PrintError("cannot press \"" + std::string(kGoBuild) + "\": " + error);
        session.reportNewFaults();
        return kExitFailure;
    }
    const bool succeeded =
        std::any_of(h.messages().begin(), h.messages().end(), IsBuildSuccessReport);
    session.quit();
    const bool faults = session.reportNewFaults();

    for (size_t i = 0; i < roots.size(); ++i)
        for (const std::string &file : WrittenFiles(before[i], roots[i]))
            std::cout << (roots[i] / file).string() << "\n";
    std::cout.flush();
    return succeeded && !faults ? kExitSuccess : kExitFailure;
}

} // namespace qgb
