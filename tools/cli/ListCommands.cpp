// devices, ops, chips and socket: what can be chosen, run and put into the
// virtual box, and where it goes in the socket.
#include <filesystem>
#include <fstream>

#include "Commands.h"
#include "DeviceChoice.h"
#include "OperationRunner.h"
#include "families/placement/DevicePicture.h"
#include "families/placement/SocketSvg.h"
#include "families/placement/SocketText.h"
#include "sim/PartPinouts.h"
#include "sim/SimFamily.h"

namespace quarvin::cli {

namespace {

int Usage(std::ostream& err, const std::string& text) {
    err << "quarvin-cli: " << text << '\n';
    return static_cast<int>(ExitCode::Usage);
}

// Without a box the device list is "device.lst" unless --list names another.
std::string BoxlessListPath(const Options& o) { return o.list.value_or(DeviceListPath(o.dir, 0)); }

// The device --device or --dialog names, from that list.
DeviceChoice BoxlessChoice(const Options& o) {
    const std::string path = BoxlessListPath(o);
    return ChooseDevice(o, ReadDeviceList(path), path);
}

} // namespace

int DevicesCommand(const Options& o, std::ostream& out, std::ostream& err) {
    const std::string path = BoxlessListPath(o);
    const auto entries = ReadDeviceList(path);
    if (!entries) return Usage(err, "No DEVICEx.LST file! (" + path + ")");
    const DeviceFilter filter{o.category, o.maker, o.find};
    for (const DeviceEntry& e : *entries) {
        if (!Matches(e, filter)) continue;
        const SelectionState s = SelectionOf(e);
        out << CategoryName(e.category) << '\t' << e.maker << '\t' << e.type << '\t' << s.family << '\t' << s.subType
            << '\n';
    }
    return static_cast<int>(ExitCode::Ok);
}

int OpsCommand(const Options& o, std::ostream& out, std::ostream& err) {
    const DeviceChoice choice = BoxlessChoice(o);
    if (!choice.device) return Usage(err, choice.error);
    const ChosenDevice& d = *choice.device;
    const auto session = d.family->makeSession();
    out << (d.selection.description.empty() ? d.selection.typeName : d.selection.description) << "  ("
        << d.dialogClass << ", sub-type " << d.selection.subType << ", last address "
        << std::hex << session->lastAddress(d.selection.subType) << std::dec << ")\noperations:\n";
    for (const auto& op : OperationsOf(d, *session, true)) out << "  " << op.name << "\t" << op.help << '\n';
    out << "options (--option NAME=VALUE):\n";
    for (const auto& opt : session->options())
        out << "  " << opt.name << "=" << opt.values << "\t" << opt.help << " (default " << opt.defaultValue << ")\n";
    return static_cast<int>(ExitCode::Ok);
}

int ChipsCommand(std::ostream& out) {
    for (const sim::ChipOffer& offer : sim::ChipOffers())
        out << offer.label << '\t' << offer.family << '\t' << offer.subType << '\n';
    return static_cast<int>(ExitCode::Ok);
}

int SocketCommand(const Options& o, std::ostream& out, std::ostream& err) {
    const DeviceChoice choice = BoxlessChoice(o);
    if (!choice.device) return Usage(err, choice.error);
    const ChosenDevice& d = *choice.device;
    const std::string title = d.selection.description.empty() ? d.selection.typeName : d.selection.description;
    const SocketPicture picture =
        DevicePicture(title, d.dialogClass, d.selection.subType, d.selection.typeName, sim::PartPinoutOf);
    out << SocketText(picture);
    if (!o.svg.empty()) {
        std::ofstream file(o.svg, std::ios::binary);
        file << SocketSvg(picture);
        if (!file.flush()) {
            err << "quarvin-cli: Can't write this file: " << o.svg << '\n';
            return static_cast<int>(ExitCode::Failed);
        }
    }
    return static_cast<int>(picture.known() ? ExitCode::Ok : ExitCode::Failed);
}

} // namespace quarvin::cli
