#pragma once
// The fill dialog: in fill mode it stores a byte over an address range and sets the
// end address; in size mode only the end address changes. The fields keep what
// was typed between uses.
#include <cstdint>

#include "forms/Form.h"

namespace quarvin {

class Documents;

class TInputHexDlg : public Form {
public:
    static constexpr std::int32_t kMaxEnd = 0xFFFFF;

    explicit TInputHexDlg(Documents& documents);

    void openFill();   // shows the dialog in fill mode
    void openSize();   // shows the dialog in size mode
    bool fillMode() const;

    void OKBtnClick();
    void CancelBtnClick();

private:
    void setMode(bool fill);

    Documents& documents_;
    std::int32_t start_ = 0;
    std::int32_t end_ = 0xFFFF;
    std::int32_t data_ = 0xFF;
};

} // namespace quarvin
