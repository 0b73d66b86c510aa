#pragma once
// What the page-write memory families (28C EEPROMs, 29EE and AT29C flash)
// share around their own sequences: the address fields aligned to the row's
// pages, and one table of the family's operations that the dialog and the
// command line both run.
#include <cstdint>

#include "families/framework/FamilySession.h"
#include "families/framework/MemorySession.h"
#include "families/framework/Operation.h"

namespace quarvin {

// Both starts down to a page start, Length up to a page end: a page is written
// whole or not at all.
inline void AlignFieldsToPages(std::uint32_t pageMask, AddressFields& f) {
    f.bufferStart &= ~pageMask;
    f.deviceStart &= ~pageMask;
    f.length |= pageMask;
}

// One page-write family's operations on its job; Program takes the speed item
// (0..2: the wait after each page once, twice or three times the family's own).
template <typename Job>
struct PageWriteOperations {
    OperationResult (*read)(const Job&);
    OperationResult (*blankCheck)(const Job&);
    OperationResult (*program)(const Job&, int speedIndex);
    OperationResult (*verify)(const Job&);
    OperationResult (*sum)(const Job&);
    OperationResult (*erase)(const Job&);
    OperationResult (*protect)(const Job&);
    OperationResult (*unprotect)(const Job&);
};

// A command line step on the row, the fields aligned to its pages first;
// `family` names it in the refusal of a step it does not have.
template <typename Job, typename Row>
OperationResult RunPageWriteStep(const PageWriteOperations<Job>& operations, MemoryStep step, const SessionJob& s,
                                 const Row& row, int speedIndex, const char* family) {
    AddressFields fields = s.fields;
    AlignFieldsToPages(row.pageMask(), fields);
    const Job job{s.link, row, s.buffer, fields, s.hooks};
    switch (step) {
    case MemoryStep::Read: return operations.read(job);
    case MemoryStep::Blank: return operations.blankCheck(job);
    case MemoryStep::Erase: return operations.erase(job);
    case MemoryStep::Program: return operations.program(job, speedIndex);
    case MemoryStep::Verify: return operations.verify(job);
    case MemoryStep::Sum: return operations.sum(job);
    case MemoryStep::Protect: return operations.protect(job);
    case MemoryStep::Unprotect: return operations.unprotect(job);
    default: return OperationResult::refused(std::string(family) + " has no such step");
    }
}

} // namespace quarvin
