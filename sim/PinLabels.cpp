#include "sim/PinLabels.h"

namespace quarvin::sim {

PinLabels& PinLabels::pin(int pin, std::string name, PinRole role) {
    if (pin >= 1 && pin <= static_cast<int>(labels_.size()))
        labels_[static_cast<std::size_t>(pin - 1)] = PinLabel{std::move(name), role};
    return *this;
}

PinLabels& PinLabels::bus(const std::string& prefix, PinRole role, const std::vector<int>& pins) {
    for (std::size_t bit = 0; bit < pins.size(); ++bit) pin(pins[bit], prefix + std::to_string(bit), role);
    return *this;
}

Pinout ByteWidePinLabels(const ByteWidePins& p) {
    PinLabels labels(p.pins);
    labels.bus("A", PinRole::Address, p.address).bus("DQ", PinRole::Data, p.data);
    labels.pin(p.vcc, "VCC", PinRole::Vcc).pin(p.ground, "GND", PinRole::Ground);
    labels.pin(p.chipEnable, "/CE", PinRole::Control).pin(p.outputEnable, "/OE", PinRole::Control);
    return labels.pin(p.writeEnable, "/WE", PinRole::Control).take();
}

} // namespace quarvin::sim
