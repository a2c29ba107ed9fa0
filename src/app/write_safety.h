#pragma once
// How the check before a write and the read-back after it are told: the problems found in the
// configuration, and the blocks the radio does not hold as they were written.
#include <QString>
#include <vector>

#include "checks/write_check.h"
#include "image/language.h"
#include "link/verify.h"

namespace varel {

/// A message listing problems: its text (the first problems) and details (all of them).
struct WriteCheckText {
    QString text;
    QString details;
};

/// The message that asks whether to write despite the problems found.
WriteCheckText DescribeWriteProblems(const std::vector<WriteProblem>& problems, Language lang);

/// The message of a read-back that found differences: the blocks by address with what they
/// hold (in the language they were described in), and the advice to write again.
QString DescribeDifferences(const std::vector<link::BlockDifference>& differences);

}  // namespace varel
