#pragma once
// The splash window shown while the program starts and looks for the box.
#include "forms/Form.h"

namespace quarvin {

class TPicture1 : public Form {
public:
    TPicture1();
};

} // namespace quarvin
