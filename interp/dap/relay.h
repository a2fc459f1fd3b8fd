// The small program a client's terminal runs (ostra-dap --relay PORT): what
// is typed there goes to the session's macro as its standard input.
#pragma once

namespace dap {

int run_relay(int port);

} // namespace dap
