// Test > Socket check and Option > Check the socket before each operation in the
// main window, on an Am27C256 in the virtual box.
#include <fstream>
#include <sstream>

#include "GuiChoose.h"
#include "OnTheVirtualBox.h"
#include "sim/VirtualSocket.h"

using namespace quarvin;

namespace {

using GuiSocketCheck = guitest::OnTheVirtualBox;

TEST_F(GuiSocketCheck, MenuCheckNamesTheFaultAndTheOptionsMarkFollowsTheSetting) {
    sim::VirtualSocket* socket = program.virtualSocket();
    guitest::Choose(main, "EPROM", "AMD", "Am27C256");
    ASSERT_NE(socket->control("InSocket").text().find("27c256"), std::string::npos);

    // The fault as --fault names it ("" none; pin 22 is the Am27C256's /OE) and the message it brings.
    const struct { const char *fault, *message; } cases[] = {{"", "Socket OK"}, {"nocontact:22", "Bad contact on pin 22"}};
    QAction* check = main->action("&Test", "Socket check");
    ASSERT_NE(check, nullptr);
    for (const auto& c : cases) {
        socket->ClearFaultsClick();
        socket->control("FaultText").setText(c.fault);
        if (*c.fault) socket->AddFaultClick();
        QString seen;
        guitest::AnswerBox(QMessageBox::AcceptRole, &seen);
        check->trigger();
        EXPECT_TRUE(seen.startsWith(c.message)) << c.fault << ": " << seen.toStdString();
    }

    // The option is a check mark, kept in socket.ini.
    QAction* option = main->action("Option", "Check the socket before each operation");
    ASSERT_NE(option, nullptr);
    ASSERT_TRUE(option->isCheckable());
    EXPECT_FALSE(option->isChecked());
    for (const bool on : {true, false}) {
        option->trigger();
        EXPECT_EQ(option->isChecked(), on);
        std::ifstream file(dir + "socket.ini");
        std::stringstream text;
        text << file.rdbuf();
        EXPECT_EQ(text.str(), on ? "before-each=1\n" : "before-each=0\n");
    }
}

} // namespace
