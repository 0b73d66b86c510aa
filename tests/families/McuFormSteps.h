#pragma once
// The golden stream cases of the microcontroller and serial memory dialogs, told
// as steps on the form:
//   "Name"        clicks the button Name
//   "+Name/-Name" ticks or clears the check box Name
//   "Name=N"      chooses item N of the radio group or list Name
//   "Name:text"   types text into the edit Name
//   "start"       the first time: the part put in, the link up and the dialog
//                 started; after that the start operation again
//   "end=HEX"     the hex window's end address
//   "|"           the recording starts here: the bytes sent before it are dropped
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GoldenRig.h"
#include "GoldenWire.h"

namespace quarvin::test {

using FormSteps = std::vector<const char*>;

template <class Dialog, class Part>
void RunFormSteps(TappedRig<Dialog, Part>& rig, const FormSteps& steps) {
    for (const std::string step : steps) {
        const auto sign = step.find_first_of("=:");
        if (step == "|") rig.tap->clear();
        else if (step == "start" && !rig.link.connected) rig.start();
        else if (step == "start") rig.dlg.Start();
        else if (step.rfind("end=", 0) == 0) rig.docs.end = std::stoi(step.substr(4), nullptr, 16);
        else if (step[0] == '+' || step[0] == '-') rig.dlg.control(step.substr(1)).setChecked(step[0] == '+');
        else if (sign == std::string::npos) rig.dlg.click(step);
        else if (step[sign] == '=') rig.dlg.control(step.substr(0, sign)).setItemIndex(std::stoi(step.substr(sign + 1)));
        else rig.dlg.control(step.substr(0, sign)).setText(step.substr(sign + 1));
    }
}

// The steps run: the bytes kept and the message shown at the end.
template <class Dialog, class Part>
Recording RecordFormSteps(TappedRig<Dialog, Part>& rig, const FormSteps& steps) {
    RunFormSteps(rig, steps);
    return {*rig.tap, rig.dlg.control("Msg").text()};
}

// Every case's recording against the golden file of its name.
template <class Case, std::size_t N, class Record>
void ExpectGoldenStreams(const Case (&cases)[N], Record record) {
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(MatchesGolden(c.name, record(c)));
    }
}

} // namespace quarvin::test
