#pragma once
// The tester's types as a Markdown list (data/ictest/LIST.md): per library each
// type, the part as marked, its package, the other types a "Search" also lists
// with that part's chip model in the virtual box's socket, what its entry does
// not check, and the notes above its entry (what it is, its data sheet).
#include <string>
#include <vector>

#include "IcVecCompiler.h"
#include "families/logic_ic/IcLibrary.h"

namespace quarvin::icvec {

struct ListedLibrary {
    std::string source;      // "ttl74.vec", as the list names it
    int icClass = 0;         // 0 TTL74, 1 CMOS40, 2 CMOS45
    CompileResult compiled;  // of the source
};

// The types "Search" lists (own type included) with the chip model of the
// library's entry `number` in the socket; empty when there is no such model.
std::vector<std::string> SearchFinds(int icClass, const IcLibrary& library, int number);
std::vector<std::string> SearchFinds(const ListedLibrary& library, int number);

// The part the virtual box models for a library number ("74LS138"), or nothing.
const char* ModelName(int icClass, int number);

std::string IcListMarkdown(const std::vector<ListedLibrary>& libraries);

} // namespace quarvin::icvec
