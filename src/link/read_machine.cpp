// PLACEHOLDER: being written.
#include "read_machine.h"
