#include "shell/TPicture1.h"

#include "shell/ShellTexts.h"

namespace quarvin {

using namespace shell;

TPicture1::TPicture1() : Form("TPicture1", "", 320, 180) {
    Control& product = add(ControlKind::Label, "Label1", std::string(kSplashProduct), 20, 16, 280, 48);
    product.colour = Colour::Maroon;
    add(ControlKind::Label, "Label2", std::string(kSplashLine), 20, 70, 280, 20);
    add(ControlKind::Label, "Label3", std::string(kSplashText), 20, 130, 280, 20);
}

} // namespace quarvin
