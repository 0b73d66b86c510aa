#include "families/i2c_eeprom/I2cSession.h"

#include "families/framework/ChangedPages.h"
#include "families/framework/RowLookup.h"
#include "families/framework/WriteWait.h"
#include "families/i2c_eeprom/I2cOperations.h"
#include "forms/HexText.h"

namespace quarvin {

namespace {

const I2cRow& RowOf(int subType) { return RowOrPlaceholder(kI2cRows, subType); }

} // namespace

std::vector<FamilyOperationInfo> I2cSession::operations() const {
    return {
        {"read", "read the whole device into the buffer from 0"},
        {"program", "write the whole device from the buffer, then verify"},
        {"verify", "compare the whole device with the buffer"},
    };
}

std::vector<FamilyOptionInfo> I2cSession::options() const {
    return {{"pro-time", kWriteWaitValues, "5", "milliseconds waited after each byte written (\"Pro time\")"},
            ChangedOnlyOptionInfo()};
}

std::string I2cSession::setOption(const std::string& name, const std::string& value) {
    if (name == kChangedOnlyOption) return SetChangedOnly(value, changedOnly_);
    if (name != "pro-time") return "unknown option " + name;
    if (!ParseWriteWait(value, writeWaitMilliseconds_)) return std::string("pro-time takes ") + kWriteWaitValues;
    return {};
}

std::uint32_t I2cSession::lastAddress(int subType) const { return RowOf(subType).lastAddress; }

OperationResult I2cSession::run(const std::string& operation, const SessionJob& s) {
    const I2cJob job{s.link, RowOf(s.selection.subType), s.buffer, s.hooks, writeWaitMilliseconds_, changedOnly_};
    OperationResult r = RunGuarded(s.link, [&]() -> OperationResult {
        if (operation == "read") return ReadI2c(job);
        if (operation == "program") return ProgramI2c(job);
        if (operation == "verify") return VerifyI2c(job);
        return OperationResult::refused("the 24Cxx family has no operation " + operation);
    });
    // Without the dialog's address field the command line says where.
    if (r.outcome == Outcome::Failed) r.message += Format(" at %04x", r.address);
    return r;
}

} // namespace quarvin
