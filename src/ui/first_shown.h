#pragma once
// The start-up benchmark's hook (bench/startup_ratio.sh): the caller writes the wall-clock time
// at which it starts the program into VAREL_START_NS (nanoseconds since the epoch, as
// `date +%s%N` gives them); the program then prints the milliseconds from that moment to its
// first window shown on standard output and ends. Without the variable nothing happens.

class QApplication;

namespace varel {

/// Watches for the first window the program shows when VAREL_START_NS is set; see above.
void ReportFirstShown(QApplication& app);

}  // namespace varel
