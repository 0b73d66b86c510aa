#include "OutputFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace quarvin::cli {

std::string OutputFileProblem(const std::string& output, const std::string& input, bool force) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!input.empty() && !force && fs::equivalent(output, input, ec) && !ec)
        return output + " is also the input file: writing it would replace what was loaded (--force allows it)";
    const fs::file_status status = fs::status(output, ec);
    const auto cannot = [&output](const std::string& why) { return "cannot write " + output + ": " + why; };
    if (fs::exists(status)) {
        if (fs::is_directory(status)) return cannot("it is a directory");
        if (::access(output.c_str(), W_OK) != 0) return cannot(std::strerror(errno));
        return {};
    }
    fs::path folder = fs::path(output).parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, ec)) return cannot("the folder " + folder.string() + " does not exist");
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return cannot(std::strerror(errno));
    return {};
}

} // namespace quarvin::cli
