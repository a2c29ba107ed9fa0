// PLACEHOLDER: being written.
#include "write_machine.h"
