#include "buffer/Documents.h"

#include "buffer/DifferencesWindow.h"
#include "buffer/TFileWin.h"
#include "buffer/TInputHexDlg.h"
#include "buffer/TPldFileW.h"

namespace quarvin {

Documents::Documents(MainBuffer& buffer, Platform& platform) : buffer_(buffer), platform_(platform) {}

Documents::~Documents() {
    destroyHexWindow();
    destroyPldWindow();
    if (fill_) platform_.windows->formDestroyed(*fill_);
    if (differences_) platform_.windows->formDestroyed(*differences_);
}

void Documents::formChanged(Form& form, FormEvent event) {
    // Deleting a window inside its own notification would pull it from under the
    // caller, so a closed window is only marked here.
    if (event != FormEvent::Closed) return;
    if (hex_ && &form == hex_.get()) hexClosed_ = true;
    if (pld_ && &form == pld_.get()) pldClosed_ = true;
}

void Documents::collectClosed() {
    if (hexClosed_) destroyHexWindow();
    if (pldClosed_) destroyPldWindow();
}

void Documents::wirePopup(TextWindow& w) {
    w.onFillBuffer = [this] { FillBuffer(); };
    w.onChangeSize = [this] { ChangeBufferSize(); };
}

TFileWin* Documents::hexWindow() { return hexClosed_ ? nullptr : hex_.get(); }
TPldFileW* Documents::pldWindow() { return pldClosed_ ? nullptr : pld_.get(); }

TextWindow* Documents::activeWindow() {
    if (TFileWin* h = hexWindow()) return h;
    return pldWindow();
}

bool Documents::hasHexWindow() const { return hex_ && !hexClosed_; }
bool Documents::hasPldWindow() const { return pld_ && !pldClosed_; }

void Documents::New() {
    collectClosed();
    destroyPldWindow();
    if (hex_) {
        hex_->bringToFront();
        return;
    }
    TFileWin& w = openHexWindow();
    w.setCaption(kNewFileName);
    if (onFileName) onFileName(kNewFileName);
}

TFileWin& Documents::openHexWindow() {
    collectClosed();
    destroyPldWindow();
    if (!hex_) {
        hex_ = std::make_unique<TFileWin>(buffer_, platform_.prompts);
        hex_->addObserver(this);
        wirePopup(*hex_);
        platform_.windows->formCreated(*hex_);
        hex_->show();
        hex_->setEndAddress(kNewEndAddress);
        hex_->setViewStartAddress(0);
        hex_->Refresh();
    }
    return *hex_;
}

TPldFileW& Documents::openPldWindow() {
    collectClosed();
    destroyHexWindow();
    if (!pld_) {
        pld_ = std::make_unique<TPldFileW>(buffer_);
        pld_->addObserver(this);
        wirePopup(*pld_);
        platform_.windows->formCreated(*pld_);
        pld_->show();
    }
    return *pld_;
}

bool Documents::openFuseMap() {
    const bool existed = hasPldWindow();
    // A device's fuses go into the buffer now: later byte loads must not merge with them.
    if (content_ != BufferContent::FuseMap) contentLoaded(BufferContent::FuseMap, "");
    openPldWindow();
    return !existed;
}

void Documents::setFuseGeometry(std::int32_t fusesPerRow, std::int32_t fuseRows) {
    if (TPldFileW* w = pldWindow()) w->setGeometry(fusesPerRow, fuseRows);
}

void Documents::refreshFuseMap() {
    if (TPldFileW* w = pldWindow()) w->Refresh();
}

void Documents::destroyHexWindow() {
    if (!hex_) return;
    platform_.windows->formDestroyed(*hex_);
    hex_->removeObserver(this);
    hex_.reset();
    hexClosed_ = false;
}

void Documents::destroyPldWindow() {
    if (!pld_) return;
    platform_.windows->formDestroyed(*pld_);
    pld_->removeObserver(this);
    pld_.reset();
    pldClosed_ = false;
}

void Documents::setEndAddress(std::int32_t end) {
    if (TFileWin* w = hexWindow()) w->setEndAddress(end);
}

std::int32_t Documents::endAddress() const { return hasHexWindow() ? hex_->endAddress() : -1; }

void Documents::refreshHexWindow() {
    if (TFileWin* w = hexWindow()) w->Refresh();
}

TInputHexDlg& Documents::fillDialog() {
    if (!fill_) {
        fill_ = std::make_unique<TInputHexDlg>(*this);
        platform_.windows->formCreated(*fill_);
    }
    return *fill_;
}

void Documents::showDifferences(const DifferenceList& differences) {
    if (!differences_) {
        differences_ = std::make_unique<DifferencesWindow>();
        platform_.windows->formCreated(*differences_);
    }
    differences_->showList(differences);
}

std::string Documents::prepareLoad(BufferContent kind) {
    if (content_ == kind) return contentSource_;
    if (content_ != BufferContent::StartUp) buffer_.initialise();
    content_ = BufferContent::StartUp;
    contentSource_.clear();
    return {};
}

void Documents::contentLoaded(BufferContent kind, const std::string& source) {
    content_ = kind;
    contentSource_ = source;
}

std::string Documents::originCaption(const std::string& source, const std::string& previous) {
    if (previous.empty() || previous == source) return source;
    return source + "  (over " + previous + ")";
}

void Documents::FillBuffer() {
    if (hasHexWindow()) fillDialog().openFill();
}

void Documents::ChangeBufferSize() {
    if (hasHexWindow()) fillDialog().openSize();
}

} // namespace quarvin
