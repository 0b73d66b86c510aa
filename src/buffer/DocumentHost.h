#pragma once
// What device dialogs and the shell ask of the documents: the main buffer and the
// hex window that owns the end address. Without a hex window (a PLD window is open,
// or the user closed it) the end-address calls do nothing.
#include <cstdint>
#include <string>

#include "buffer/Differences.h"
#include "buffer/MainBuffer.h"

namespace quarvin {

class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual MainBuffer& buffer() = 0;
    // File > New: drops a PLD window, creates the hex window when there is none,
    // otherwise brings it to the front. Never changes the buffer contents.
    virtual void New() = 0;
    virtual bool hasHexWindow() const = 0;
    virtual void setEndAddress(std::int32_t end) = 0;
    virtual std::int32_t endAddress() const = 0; // -1 without a hex window
    virtual void refreshHexWindow() = 0;
    // A short note in the main window's status bar (the tally of "Auto, next chip").
    virtual void showStatusNote(const std::string& /*text*/) {}
    // The current data file's path (the main window's file name); empty when
    // there is none.
    virtual std::string dataFileName() const { return {}; }
    // The last load left the buffer short of what its file should give (bad
    // records, data beyond the buffer, an incomplete fuse map): the first device
    // operation after it asks before it runs.
    virtual bool loadIncomplete() const { return false; }
    virtual void setLoadIncomplete(bool /*incomplete*/) {}

    // The PLD window, for the logic device dialogs. Without windows (the command
    // line) there is none and these calls do nothing.
    virtual bool hasFuseMap() const { return false; }
    // Destroys the hex window and creates the PLD window when there is none;
    // true when it was created just now.
    virtual bool openFuseMap() { return false; }
    virtual void setFuseGeometry(std::int32_t /*fusesPerRow*/, std::int32_t /*fuseRows*/) {}
    virtual void refreshFuseMap() {}

    // After a Verify failed: whether there is a window to list every difference
    // in (the command line has `compare` instead), and the list to show there.
    virtual bool listsDifferences() const { return false; }
    virtual void showDifferences(const DifferenceList& /*differences*/) {}
};

// The buffer without a window (the command line, benchmarks): there is no hex
// window whose end address a family could set.
class BufferOnlyDocuments : public DocumentHost {
public:
    explicit BufferOnlyDocuments(MainBuffer& buffer) : buffer_(buffer) {}
    MainBuffer& buffer() override { return buffer_; }
    void New() override {}
    bool hasHexWindow() const override { return false; }
    void setEndAddress(std::int32_t) override {}
    std::int32_t endAddress() const override { return -1; }
    void refreshHexWindow() override {}

private:
    MainBuffer& buffer_;
};

} // namespace quarvin
