#pragma once
// The rig of the golden stream tests: a family dialog over the virtual box
// with the part of the selected row in the socket, every byte it sends kept.
// The part is made first and put in at start(), so that a test can give it
// contents beforehand.
#include <memory>
#include <vector>

#include "FamilyRig.h"
#include "GoldenFiles.h"

namespace quarvin::test {

// One recorded stream: the row, the three fields and the button clicked.
struct GoldenCase {
    const char* name; // the golden file's name
    int row;
    const char* fields; // "bufferStart deviceStart length"
    const char* click;
};

template <class Dialog, class Part = sim::Chip>
struct TappedRig : DialogRig<Dialog> {
    std::shared_ptr<sim::Box> box = std::make_shared<sim::Box>();
    std::shared_ptr<Part> chip;
    std::shared_ptr<std::vector<std::uint8_t>> tap = std::make_shared<std::vector<std::uint8_t>>();

    explicit TappedRig(int subType)
        : DialogRig<Dialog>(subType),
          chip(std::dynamic_pointer_cast<Part>(sim::OfferForSubType(Dialog::kFormClass, subType)->make())) {}

    // The part in the socket, the link up and the dialog started.
    void start() {
        box->insert(chip);
        this->connect(std::make_unique<TappedVirtualBox>(box, tap));
        this->dlg.Start();
    }
    // The buffer's first n bytes set to a fixed pattern.
    void fillPattern(std::uint32_t n) {
        for (std::uint32_t i = 0; i < n; ++i) this->docs.buf[i] = static_cast<std::uint8_t>(i * 13 + 7);
    }
    // The case's fields typed, then only the bytes of its click kept.
    void run(const GoldenCase& c) {
        this->fieldsOf(c.fields);
        tap->clear();
        this->dlg.click(c.click);
    }
};

} // namespace quarvin::test
