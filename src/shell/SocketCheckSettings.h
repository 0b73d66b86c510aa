#pragma once
// The window's socket check: the option "Check the socket before each
// operation", kept in socket.ini in the program directory ("before-each=1";
// off when the file is missing or says anything else), and the plans of the
// selected devices, from the pinouts the program gives it.
#include <string>

#include "families/framework/SocketCheckSession.h"
#include "families/framework/SocketCheckSource.h"

namespace quarvin {

inline constexpr const char* kSocketCheckSettingsFileName = "socket.ini";

class WindowSocketCheck : public SocketCheckSource {
public:
    explicit WindowSocketCheck(std::string programDir);

    // The chip models' pinouts; without them every plan refuses.
    void setPinouts(PartPinoutLookup pinouts) { pinouts_ = std::move(pinouts); }
    // Switches the option and writes it; the error text, empty when written.
    std::string store(bool beforeEach);

    bool beforeEachOperation() const override { return beforeEach_; }
    SocketCheckPlan planFor(const std::string& dialogClass, const SelectionState& selection) const override;

private:
    std::string dir_;
    bool beforeEach_ = false;
    PartPinoutLookup pinouts_;
};

} // namespace quarvin
