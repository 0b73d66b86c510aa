#pragma once
// The device commands of quarvin-cli; each returns the process's exit status.
#include <ostream>

#include "Options.h"

namespace quarvin::cli {

int DevicesCommand(const Options& o, std::ostream& out, std::ostream& err);
int OpsCommand(const Options& o, std::ostream& out, std::ostream& err);
int ChipsCommand(std::ostream& out);
// chips --tester: the logic IC tester's types, library by library.
int TesterTypesCommand(const Options& o, std::ostream& out, std::ostream& err);
int SocketCommand(const Options& o, std::ostream& out, std::ostream& err);
int RunCommand(const Options& o, std::ostream& out, std::ostream& err);
int GangCommand(const Options& o, std::ostream& out, std::ostream& err);
int LoopbackCommand(const Options& o, std::ostream& out, std::ostream& err);
int ReportCommand(const Options& o, std::ostream& out, std::ostream& err);
int TraceCheckCommand(const Options& o, std::ostream& out, std::ostream& err);

} // namespace quarvin::cli
