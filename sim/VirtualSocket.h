#pragma once
// The "Virtual socket" window: which chip sits in the virtual box's socket, its
// checksum, loading and saving its contents, UV erasure and injected faults. A
// logic device shows its fuse map and security cell, loads and saves JEDEC
// files and is bulk-erased.
#include <memory>
#include <string>
#include <vector>

#include "families/placement/SocketPicture.h"
#include "forms/Form.h"
#include "platform/Platform.h"
#include "sim/Box.h"
#include "sim/FuseMapPart.h"
#include "sim/SimFamily.h"

namespace quarvin::sim {

class VirtualSocket : public Form {
public:
    VirtualSocket(std::shared_ptr<Box> box, Platform& platform);

    // The shell calls this on every device selection with the family's dialog
    // class: a blank part of the selected type goes into the socket (families
    // without chip models leave it empty). The part named by the type's row when
    // there is a model of it; otherwise the sub-type's own part, said to be the
    // closest model.
    void deviceSelected(const std::string& dialogClass, int subType, const std::string& typeName = {});

    // Handlers.
    void InsertClick();   // a blank chip of the type chosen in ChipType
    void RemoveClick();   // empty socket
    void EraseClick();    // the part's own eraser (UV light for EPROMs)
    void LoadClick();
    void SaveClick();
    void AddStuckClick(); // StuckAddress/StuckMask/StuckValue
    void AddNoProgramClick();
    void AddFaultClick();  // FaultText, as --fault names it
    void ClearFaultsClick();

    Chip* chip() const { return chip_.get(); }
    // The device of the last selection, for the placement picture.
    struct SelectedDevice {
        std::string dialogClass;
        int subType = 0;
        std::string typeName;
    };
    const SelectedDevice& selectedDevice() const { return selected_; }
    // The pins of the electrical referee's latest events, newest last.
    std::vector<quarvin::PinFinding> stressFindings() const;
    // Shows the chip in the socket and its checksum again.
    void refresh();
    // Refreshes when the chip changed since the last look (after an operation).
    void refreshIfChanged();
    // A window's handler has finished: the electrical referee checks that the
    // part was left unpowered, and the window shows what the referee saw.
    void operationEnded();

private:
    void insert(const ChipOffer& offer);
    bool needChip();
    void say(const std::string& text);
    void showStress();
    // The socket's part as a logic device, nullptr for memories and empty sockets.
    FuseMapPart* fuseMapPart() const;
    void showFuseMap();
    void loadFuseFile(FuseMapPart& part);
    void saveFuseFile();
    void loadBinary();
    void saveBinary();

    std::shared_ptr<Box> box_;
    Platform& platform_;
    std::shared_ptr<Chip> chip_;
    SelectedDevice selected_;
    std::uint64_t shownChanges_ = 0;
    std::uint64_t shownStress_ = 0;
};

} // namespace quarvin::sim
