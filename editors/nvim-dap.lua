-- nvim-dap: REXX macros through ostra-dap (on PATH).
local dap = require('dap')
dap.adapters.rexx = {
  type = 'executable',
  command = 'ostra-dap',
  args = { '--stdio' },
}
dap.configurations.rexx = {
  {
    type = 'rexx',
    request = 'launch',
    name = 'Debug the REXX macro',
    program = '${file}',
    cwd = '${workspaceFolder}',
    stopOnEntry = true,
  },
}
