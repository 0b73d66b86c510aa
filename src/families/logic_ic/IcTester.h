#pragma once
// What the logic IC tester holds between button presses, without a window: the
// class and its library, the selected entry, the types the last search found.
// The dialog shows it in its controls; the command line's session drives it the
// same way.
#include <optional>
#include <string>
#include <vector>

#include "families/logic_ic/IcTest.h"
#include "families/placement/SocketPlacement.h"

namespace quarvin {

class IcTester {
public:
    // Library files are looked for in this directory ("" is the working directory).
    void setLibraryDir(std::string dir) { dir_ = std::move(dir); }
    const std::string& libraryDir() const { return dir_; }

    // Loads the library of a class (0..2; others the first). False when its file
    // cannot be opened: the previous library and lists stay.
    bool loadClass(int icClass);
    int icClass() const { return class_; }
    const IcLibrary& library() const { return library_; }
    // The type names of all entries (ListBox1).
    const std::vector<std::string>& typeNames() const { return names_; }
    std::string typeName(std::size_t entry) const;

    std::size_t selected() const { return selected_; }
    // Where the selected type sits: bottom-aligned, its supply where its record
    // puts it, ground on socket pin 20; not known without a library entry.
    SocketPlacement selectedPlacement() const;
    void select(std::size_t entry) { selected_ = entry; }

    OperationResult founction(LinkState& link, const OperationHooks& hooks);
    // Runs the search over the packages from the largest down to the selected
    // type's (IcSearchByPackage); found() and selected() follow it.
    OperationResult search(LinkState& link, const OperationHooks& hooks);
    // The type names the last search found (ListBox2).
    const std::vector<std::string>& found() const { return found_; }

private:
    std::string dir_;
    int class_ = 0;
    IcLibrary library_ = IcLibrary::Parse({});
    std::vector<std::string> names_;
    std::size_t selected_ = 0;
    std::vector<std::string> found_;
};

} // namespace quarvin
