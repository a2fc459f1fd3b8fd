// The shared interpreter side of the link (interp/link): this tool uses its
// names unqualified.
#pragma once

#include "handshake.h"
#include "hangup.h"
#include "sys.h"
#include "wire.h"

namespace sim {
using namespace ostra;
}
