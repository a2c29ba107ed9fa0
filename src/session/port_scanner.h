#pragma once
// The start-up probe of the serial ports as the program sees it; tests replace it, so that they
// never open the machine's real ports.
#include "link/port_probe.h"

namespace varel {

/// Finds out which of the ports 1 to 20 can be opened.
class PortScanner {
public:
    virtual ~PortScanner() = default;
    /// FindCom: tries every port once and leaves none open.
    virtual link::PortAvailability FindCom() = 0;
};

/// The probe of the machine's serial ports.
class SystemPortScanner : public PortScanner {
public:
    link::PortAvailability FindCom() override { return link::FindCom(); }
};

}  // namespace varel
