// quarvin-cli --lang: the family's messages in the window's translations; the
// classic texts stay the default that scripts read.
#include "CliRun.h"

namespace quarvin::cli::test {
namespace {

class CliLanguage : public CliDir {};

TEST_F(CliLanguage, MessagesFollowLangAndStayClassicWithoutIt) {
#ifndef QUARVIN_TRANSLATIONS
    GTEST_SKIP() << "quarvin-cli was built without the Qt program and its translations";
#endif
    writeHex("in.hex", 0x7FFF);
    const std::string failing = "run --device Intel/27C256 --port VBOX --fault noprogram:10 --in in.hex ";
    checkAll({
        {failing + "program", 1, {"program: Programe Failured! at 000010\n"}},
        {failing + "--lang classic program", 1, {"program: Programe Failured! at 000010\n"}},
        {failing + "--lang en program", 1, {"program: Programming failed! at 000010\n"}},
        {failing + "--lang zh program", 1, {"program: 编程失败！ at 000010\n"}},
        {"run --device Intel/27C256 --port VBOX --lang zh blank", 0, {"blank: 查空通过\n"}},
        {"run --device Intel/27C256 --port VBOX --lang de blank", 2, {}, {"blank:"}, "--lang needs classic, en or zh, not 'de'"},
    });
}

} // namespace
} // namespace quarvin::cli::test
