#pragma once
// Which folder is the program directory, the home of the device lists, the logic
// IC libraries, the port file, the configuration and the log:
//  - the folder a user names explicitly (quarvin-cli --dir);
//  - else the working directory at start-up, when it holds a device list;
//  - else the user's data directory ($XDG_DATA_HOME/quarvin, by default
//    ~/.local/share/quarvin), created on first use and kept supplied with the
//    installed device lists and libraries (<executable>/../share/quarvin).
// A user's own edits to a list there are never overwritten; a newer installed
// list replaces only a copy the user has not changed.
#include <optional>
#include <string>
#include <vector>

namespace quarvin {

enum class ProgramDirSource { Explicit, WorkingDirectory, UserDataDirectory };

struct ProgramDirRequest {
    std::string workingDir;                 // at start-up
    std::optional<std::string> explicitDir; // named by the user
    std::string xdgDataHome;                // $XDG_DATA_HOME, may be empty
    std::string home;                       // $HOME, may be empty
    std::string installedDataDir;           // the installed share/quarvin; may not exist
    bool serialAdapterPresent = false;      // a USB serial adapter is attached
    // Written into the port file of a newly created user data directory when no
    // USB serial adapter is attached, so a first start finds the virtual box.
    std::string firstStartPort;
};

struct ProgramDirChoice {
    std::string dir; // ends with "/"
    ProgramDirSource source = ProgramDirSource::WorkingDirectory;
    // What setting up the directory did, one sentence each: copies made or refreshed.
    std::vector<std::string> done;
    // What the user should know: an edited list kept although the installed one
    // changed, a copy that failed, a directory that could not be made.
    std::vector<std::string> warnings;
};

// The file names that mark a folder as a program directory.
bool HoldsDeviceList(const std::string& dir);

// Chooses the program directory and, for the user's data directory, creates it
// and brings the installed lists into it. Never throws: what fails is a warning, and
// the choice falls back to the working directory.
ProgramDirChoice ChooseProgramDir(const ProgramDirRequest& request);

// The request as this process sees it: its working directory, $XDG_DATA_HOME,
// $HOME, share/quarvin beside its executable's bin/, and /dev/ttyUSB*/ttyACM*.
ProgramDirRequest CurrentProgramDirRequest(std::optional<std::string> explicitDir = std::nullopt);

// One line for diagnostics: "Program directory: /home/u/.local/share/quarvin/
// (user data directory)".
std::string DescribeProgramDir(const ProgramDirChoice& choice);

} // namespace quarvin
