#include "families/pic16c8x/Pic16Dialog.h"

#include <cstdio>

#include "forms/HexText.h"
#include "link/commands/LinkOps.h"
#include "forms/Texts.h"

namespace quarvin {

namespace {

// Where assemblers and compilers put the configuration word (word 0x2007).
constexpr std::uint32_t kFileConfigByte = 2 * kPicConfigWordAddress;

McuForm Pic16Form() {
    McuForm f;
    f.buttons = {
        {"ReadToFile", "Read", McuStep::Read},   {"Erase", "Erase", McuStep::Erase},
        {"Blank", "Blank", McuStep::Blank},      {"Write", "Programe", McuStep::Program},
        {"Verify", "Verify", McuStep::Verify},   {"RdConfig", QV_TEXT("Re Config"), McuStep::Id},
        {"WtConfig", QV_TEXT("Wr Config"), McuStep::Protect},
    };
    // The chain's "Config" step writes the configuration (the Protect step).
    f.runBoxes = {
        {"CheckBoxErase", "Erase", false, McuStep::Erase},    {"CheckBoxBlank", "Blank", false, McuStep::Blank},
        {"CheckBoxWrite", "Programe", true, McuStep::Program}, {"CheckBoxVer", "Verify", true, McuStep::Verify},
        {"CheckBoxConfig", QV_TEXT("Config"), false, McuStep::Protect},
    };
    f.runGroupCaption = "";
    f.runButtonCaption = "Auto";
    f.options = {
        {"RadioGroup1", QV_TEXT("Osc Mode"), {QV_TEXT(" LP"), QV_TEXT(" XT"), QV_TEXT(" HS"), QV_TEXT(" RC")}, 1},
        {"RadioGroup2", QV_TEXT("Erase Mode"), {QV_TEXT("Code"), "Data", QV_TEXT("Code+data"), "All"}, 3},
        {"Speed", "Pro time", {"1 time", "2 times", "4 times"}, 0},
    };
    f.exitButton = true;
    f.notConnectedText = "Bad!";
    f.extraRows = 1;
    return f;
}

} // namespace

Pic16Dialog::Pic16Dialog(DeviceContext& ctx, const Pic16Profile& profile)
    : McuDialog(ctx, profile.formClass, profile.caption, Pic16Form()), profile_(profile) {
    const int y = extrasTop();
    add(ControlKind::CheckBox, "CheckBox1", QV_TEXT("Sec"), 12, y, 60, 17);
    add(ControlKind::CheckBox, "CheckBox2", QV_TEXT("WTD"), 76, y, 60, 17).setChecked(true);
    add(ControlKind::CheckBox, "CheckBox3", QV_TEXT("PWRT3"), 140, y, 70, 17);
    add(ControlKind::Edit, "Edit1", "ffff", 214, y - 2, 60, 21);
    add(ControlKind::Label, "Package", "", 290, y, 100, 17);
    onClose = [this] {
        OnCloseForm();
        writeSettingsFile();
    };
    control("CancelBtn").onClick = [this] {
        CancelBtnClick();
        writeSettingsFile();
    };
    // Coming back to the dialog after loading a file takes the file's word.
    onActivate = [this] { takeConfigFromBuffer(); };
    readSettingsFile();
}

const Pic16Row& Pic16Dialog::row() const {
    return profile_.rows[static_cast<std::size_t>(selectedRow(static_cast<int>(profile_.rows.size())))];
}

Pic16Settings Pic16Dialog::settingsFromControls() {
    Pic16Settings s;
    s.sec = control("CheckBox1").checked();
    s.wdt = control("CheckBox2").checked();
    s.pwrt = control("CheckBox3").checked();
    s.osc = control("RadioGroup1").itemIndex();
    return s;
}

void Pic16Dialog::showSettings(const Pic16Settings& s) {
    control("CheckBox1").setChecked(s.sec);
    control("CheckBox2").setChecked(s.wdt);
    control("CheckBox3").setChecked(s.pwrt);
    control("RadioGroup1").setItemIndex(s.osc);
}

void Pic16Dialog::readSettingsFile() {
    const std::optional<std::string> text = ReadPic16SettingsFile(Pic16SettingsPath(ctx_.docs.dataFileName()));
    if (text) showSettings(ParsePic16Settings(*text, settingsFromControls()));
}

void Pic16Dialog::writeSettingsFile() {
    WritePic16SettingsFile(Pic16SettingsPath(ctx_.docs.dataFileName()),
                           FormatPic16Settings(settingsFromControls(), control("Edit1").text()));
}

Pic16Config Pic16Dialog::configFromControls() {
    Pic16Config c;
    const Pic16Settings s = settingsFromControls();
    c.word = BuildPic16Config(row(), s.osc, s.wdt, s.pwrt, s.sec);
    // A file's word is written as it is while the controls still show it: it
    // carries bits the controls do not map.
    if (fileConfig_) {
        const Pic16ConfigControls f = ControlsOfPic16Config(row(), *fileConfig_);
        if (f.oscIndex == s.osc && f.wdt == s.wdt && f.pwrt == s.pwrt && f.protect == s.sec) c.word = *fileConfig_;
    }
    unsigned id = 0;
    const std::string text = control("Edit1").text();
    if (std::sscanf(text.c_str(), "%4x", &id) == 1) userId_ = static_cast<std::uint16_t>(id);
    c.id = userId_;
    return c;
}

void Pic16Dialog::takeConfigFromBuffer() {
    const MainBuffer& buf = buffer();
    const auto word = static_cast<std::uint16_t>(buf[kFileConfigByte] | buf[kFileConfigByte + 1] << 8);
    // Only a word that changed since the last look (a file was loaded) sets the
    // controls, so that what the user set meanwhile stays.
    if (seenConfig_ == word) return;
    seenConfig_ = word;
    if (word == 0xFFFF) {
        fileConfig_.reset();
        return;
    }
    const std::uint16_t config = word & kPicWordMask;
    const Pic16ConfigControls c = ControlsOfPic16Config(row(), config);
    showSettings({c.protect, c.wdt, c.pwrt, c.oscIndex});
    fileConfig_ = config;
    setMessage(Format("Config %04x from file", config), false);
}

void Pic16Dialog::fileLoaded() { takeConfigFromBuffer(); }

void Pic16Dialog::afterStart() {
    control("Package").setText(PackageText(PackageOf(row())));
    control("Edit7").setText(ctx_.selection.typeName);
    seenConfig_.reset();
    takeConfigFromBuffer();
}

bool Pic16Dialog::keepsFlag(McuStep step, const OperationResult& result) const {
    // Reading the configuration leaves the flag as it was.
    return step == McuStep::Id && result.ok();
}

OperationResult Pic16Dialog::run(McuStep step, const OperationHooks& hooks) {
    if (row().chip == nullptr) return OperationResult::refused("No device type selected");
    const Pic16Job job{link(), row(), buffer(), hooks, prompts(), hasHexWindow()};
    const Pic16FamilyOps& ops = profile_.ops;
    switch (step) {
    case McuStep::Read: return ops.read(job);
    case McuStep::Erase: return ops.erase(job, static_cast<Pic16EraseMode>(control("RadioGroup2").itemIndex()));
    case McuStep::Blank: return ops.blank(job);
    case McuStep::Program: {
        OperationResult r = ops.program(job, control("Speed").itemIndex());
        if (r.ok()) r.message += ops.configNotInChip(job);
        return r;
    }
    case McuStep::Verify: return ops.verify(job);
    case McuStep::Protect: return ops.writeConfig(job, configFromControls());
    case McuStep::ReadFuse:
    case McuStep::WriteFuse: break; // no such buttons on this form
    case McuStep::Id: {
        OperationResult r = ops.readConfig(job);
        if (!r.ok()) return r;
        const auto word = static_cast<std::uint16_t>(r.value & 0xFFFF);
        const Pic16ConfigControls c = ControlsOfPic16Config(row(), word);
        showSettings({c.protect, c.wdt, c.pwrt, c.oscIndex});
        userId_ = static_cast<std::uint16_t>(r.value >> 16);
        control("Edit1").setText(Format("%04x", userId_));
        return r;
    }
    }
    return OperationResult::refused("Unknown operation");
}

} // namespace quarvin
