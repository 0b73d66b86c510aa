#pragma once
// The "Virtual socket" window: which chip sits in the virtual box's socket, its
// checksum, loading and saving its contents, UV erasure and injected faults.
#include <memory>
#include <string>
#include <vector>

#include "forms/Form.h"
#include "platform/Platform.h"
#include "sim/Box.h"
#include "sim/chips/Eprom.h"

namespace quarvin::sim {

class VirtualSocket : public Form {
public:
    VirtualSocket(std::shared_ptr<Box> box, Platform& platform);

    // The shell calls this on every device selection: a blank part of the selected
    // type goes into the socket (families without chip models leave it empty).
    void deviceSelected(const std::string& family, int subType);

    // Handlers.
    void InsertClick();   // a blank chip of the type chosen in ChipType
    void RemoveClick();   // empty socket
    void EraseClick();    // UV light
    void LoadClick();
    void SaveClick();
    void AddStuckClick(); // StuckAddress/StuckMask/StuckValue
    void AddNoProgramClick();
    void ClearFaultsClick();

    EpromChip* chip() const { return chip_.get(); }
    // Shows the chip in the socket and its checksum again.
    void refresh();

private:
    void insert(const EpromChoice& choice);
    bool needChip();
    void say(const std::string& text);

    std::shared_ptr<Box> box_;
    Platform& platform_;
    std::shared_ptr<EpromChip> chip_;
    std::vector<const EpromChoice*> offered_; // ChipType items, in order
};

} // namespace quarvin::sim
