#include "shell/ProgramDirectory.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

#include "catalogue/Categories.h"
#include "link/PortFile.h"

namespace quarvin {

namespace fs = std::filesystem;

namespace {

// Records, per copied file, the content the user got ("copied") and the installed
// content last looked at ("seen"), so that a user's edit and a newer installed
// file can be told apart at the next start.
constexpr const char* CopiesFileName = ".installed-copies";

std::string withSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

bool isSeededFile(const fs::path& name) {
    const std::string ext = name.extension().string();
    return ext == ".lst" || ext == ".LST" || ext == ".LIB" || ext == ".lib";
}

// FNV-1a over the file's bytes; empty when it cannot be read.
std::string contentHash(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::uint64_t h = 0xcbf29ce484222325ull;
    char buf[8192];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        for (std::streamsize i = 0; i < in.gcount(); ++i) {
            h ^= static_cast<unsigned char>(buf[i]);
            h *= 0x100000001b3ull;
        }
    }
    if (in.bad()) return {};
    std::ostringstream out;
    out << std::hex << h;
    return out.str();
}

struct CopyRecord {
    std::string copied, seen;
};

std::map<std::string, CopyRecord> readCopies(const fs::path& file) {
    std::map<std::string, CopyRecord> records;
    std::ifstream in(file);
    std::string name, copied, seen;
    while (in >> name >> copied >> seen) records[name] = {copied == "-" ? "" : copied, seen};
    return records;
}

bool writeCopies(const fs::path& file, const std::map<std::string, CopyRecord>& records) {
    const fs::path temp = file.string() + ".new";
    {
        std::ofstream out(temp, std::ios::trunc);
        for (const auto& [name, r] : records)
            out << name << ' ' << (r.copied.empty() ? "-" : r.copied) << ' ' << r.seen << '\n';
        if (!out.flush()) return false;
    }
    std::error_code ec;
    fs::rename(temp, file, ec);
    return !ec;
}

// Copies through a temporary name, so that a failed copy never leaves half a list.
bool copyWhole(const fs::path& from, const fs::path& to) {
    const fs::path temp = to.string() + ".new";
    std::error_code ec;
    fs::copy_file(from, temp, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(temp, to, ec);
    if (ec) fs::remove(temp, ec);
    return !ec;
}

// Brings the installed lists and libraries into the user's directory.
void supplyInstalledFiles(const fs::path& installed, const fs::path& user, ProgramDirChoice& choice) {
    const fs::path copiesFile = user / CopiesFileName;
    auto records = readCopies(copiesFile);
    bool changed = false;
    std::vector<std::string> copied, updated;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(installed, ec)) {
        if (!entry.is_regular_file(ec) || !isSeededFile(entry.path().filename())) continue;
        const std::string name = entry.path().filename().string();
        const fs::path mine = user / name;
        const std::string installedHash = contentHash(entry.path());
        if (installedHash.empty()) continue;
        CopyRecord& record = records[name];
        const bool haveCopy = fs::exists(mine, ec);
        const std::string myHash = haveCopy ? contentHash(mine) : std::string{};
        if (haveCopy && myHash == installedHash) {
            if (record.copied != installedHash || record.seen != installedHash) changed = true;
            record = {installedHash, installedHash};
            continue;
        }
        const bool edited = haveCopy && myHash != record.copied;
        if (edited) {
            // The user's list stays; say once per installed version what they miss.
            if (record.seen != installedHash) {
                choice.warnings.push_back("Kept your edited " + name + "; the installed one differs: " +
                                entry.path().string());
                record.seen = installedHash;
                changed = true;
            }
            continue;
        }
        if (!copyWhole(entry.path(), mine)) {
            choice.warnings.push_back("Cannot copy " + entry.path().string() + " to " + user.string());
            continue;
        }
        (haveCopy ? updated : copied).push_back(name);
        record = {installedHash, installedHash};
        changed = true;
    }
    // One line for all the files copied, one for all refreshed.
    for (auto [verb, names] : {std::pair{"Copied ", &copied}, std::pair{"Updated ", &updated}}) {
        if (names->empty()) continue;
        std::sort(names->begin(), names->end());
        std::string line = verb;
        for (const std::string& n : *names) line += (n == names->front() ? "" : ", ") + n;
        choice.done.push_back(line + " from " + installed.string());
    }
    if (changed && !writeCopies(copiesFile, records)) choice.warnings.push_back("Cannot write " + copiesFile.string());
}

ProgramDirChoice workingDirectory(const ProgramDirRequest& r, std::string warning = {}) {
    ProgramDirChoice choice{withSlash(r.workingDir), ProgramDirSource::WorkingDirectory, {}, {}};
    if (!warning.empty()) choice.warnings.push_back(std::move(warning));
    return choice;
}

} // namespace

bool HoldsDeviceList(const std::string& dir) {
    std::error_code ec;
    for (char board : {'a', 'b', 'c'})
        if (fs::is_regular_file(fs::path(dir) / DeviceListFileName(board), ec)) return true;
    return false;
}

ProgramDirChoice ChooseProgramDir(const ProgramDirRequest& r) {
    if (r.explicitDir) return {withSlash(*r.explicitDir), ProgramDirSource::Explicit, {}, {}};
    if (HoldsDeviceList(r.workingDir)) return workingDirectory(r);

    // A relative $XDG_DATA_HOME is to be ignored, as the base directory rules say.
    fs::path user;
    if (!r.xdgDataHome.empty() && r.xdgDataHome.front() == '/') user = fs::path(r.xdgDataHome) / "quarvin";
    else if (!r.home.empty()) user = fs::path(r.home) / ".local/share/quarvin";
    else return workingDirectory(r, "No home directory: using the working directory");

    std::error_code ec;
    const bool installed = !r.installedDataDir.empty() && fs::is_directory(r.installedDataDir, ec);
    // Run from a build tree (nothing installed) and never set up: the working
    // directory, as before there were installed lists.
    if (!installed && !HoldsDeviceList(user.string())) return workingDirectory(r);

    const bool existed = fs::is_directory(user, ec);
    if (!existed && !fs::create_directories(user, ec))
        return workingDirectory(r, "Cannot create " + user.string() + ": " + ec.message());
    ProgramDirChoice choice{withSlash(user.string()), ProgramDirSource::UserDataDirectory, {}, {}};
    if (installed) supplyInstalledFiles(r.installedDataDir, user, choice);
    if (!existed && !r.serialAdapterPresent && !r.firstStartPort.empty() && !readPortFile(choice.dir))
        writePortFile(choice.dir, r.firstStartPort);
    return choice;
}

ProgramDirRequest CurrentProgramDirRequest(std::optional<std::string> explicitDir) {
    ProgramDirRequest r;
    std::error_code ec;
    r.workingDir = fs::current_path(ec).string();
    r.explicitDir = std::move(explicitDir);
    if (const char* x = std::getenv("XDG_DATA_HOME")) r.xdgDataHome = x;
    if (const char* h = std::getenv("HOME")) r.home = h;
    // <prefix>/bin/<program> -> <prefix>/share/quarvin, whatever the prefix.
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) r.installedDataDir = (exe.parent_path().parent_path() / "share/quarvin").string();
    for (const char* pattern : {"ttyUSB", "ttyACM"}) {
        for (const fs::directory_entry& e : fs::directory_iterator("/dev", ec))
            if (e.path().filename().string().rfind(pattern, 0) == 0) r.serialAdapterPresent = true;
    }
    return r;
}

std::string DescribeProgramDir(const ProgramDirChoice& choice) {
    const char* why = "";
    switch (choice.source) {
    case ProgramDirSource::Explicit: why = "named with --dir"; break;
    case ProgramDirSource::WorkingDirectory: why = "working directory"; break;
    case ProgramDirSource::UserDataDirectory: why = "user data directory"; break;
    }
    return "Program directory: " + choice.dir + " (" + why + ")";
}

} // namespace quarvin
