'use strict';
// What the DAP tests share: the adapter under test, macros in a private
// folder, a DebugClient per test, and a look at the processes still alive.
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { DebugClient } = require('@vscode/debugadapter-testsupport');

const adapter = process.env.OSTRA_DAP;
const interpreter = process.env.OSTRA_UNDER_TEST || 'ostra-sim';
if (!adapter) throw new Error('OSTRA_DAP must name the ostra-dap program');

const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'ostra-dap-test-'));
process.on('exit', () => fs.rmSync(folder, { recursive: true, force: true }));

// A macro of the given text in a fresh file; its path.
function macro(name, text) {
  const file = path.join(folder, name);
  fs.writeFileSync(file, text);
  return file;
}

function launchArgs(program, extra = {}) {
  return { program, interpreter, ...extra };
}

// A DebugClient that also answers the adapter's own requests
// (runInTerminal) through `onReverse`, which DebugClient alone ignores.
// `command` and `option` start the adapter (the program under test by
// default); `spawnOptions` go to child_process.spawn.
class Client extends DebugClient {
  constructor(command = adapter, option = '--stdio', spawnOptions = undefined) {
    super(command, option, 'rexx', spawnOptions);
    this.outputs = [];
    this.on('output', (e) => this.outputs.push(e.body));
  }
  dispatch(body) {
    const message = JSON.parse(body);
    if (message.type === 'request') return this.emit('reverse', message);
    super.dispatch(body);
  }
  reply(request, body) {
    const text = JSON.stringify({
      type: 'response', seq: 0, request_seq: request.seq, command: request.command,
      success: true, body,
    });
    this.outputStream.write(`Content-Length: ${Buffer.byteLength(text)}\r\n\r\n${text}`);
  }
  output(category) {
    return this.outputs.filter((o) => o.category === category).map((o) => o.output).join('');
  }
  // Resolves once the joined output of `category` contains `text`.
  async outputContaining(category, text, ms = 5000) {
    const until = Date.now() + ms;
    while (!this.output(category).includes(text)) {
      if (Date.now() > until) {
        throw new Error(`no ${category} output "${text}"; got "${this.output(category)}"`);
      }
      await new Promise((r) => setTimeout(r, 20));
    }
  }
}

// Runs `body` with a started client, which is stopped again afterwards.
async function withClient(body, client = new Client()) {
  const dc = client;
  await dc.start();
  try {
    await body(dc);
  } finally {
    await dc.stop();
  }
}

// Launches `program` stopped on its first clause.
async function launchStopped(dc, program, extra = {}) {
  const [, , stopped] = await Promise.all([
    dc.configurationSequence(),
    dc.launch(launchArgs(program, { stopOnEntry: true, ...extra })),
    dc.waitForEvent('stopped'),
  ]);
  return stopped;
}

// Launches `program` with breakpoints on `lines` (each a line number or a
// SourceBreakpoint), and resolves with the setBreakpoints response and the
// breakpoint events that came before the first stop.
async function launchWithBreakpoints(dc, program, lines, extra = {}) {
  const events = [];
  dc.on('breakpoint', (e) => events.push(e.body.breakpoint));
  const breakpoints = lines.map((l) => (typeof l === 'number' ? { line: l } : l));
  let response;
  const configured = dc.waitForEvent('initialized').then(async () => {
    response = await dc.setBreakpointsRequest({ source: { path: program }, breakpoints });
    await dc.configurationDoneRequest();
  });
  const [, , stopped] = await Promise.all([
    configured, dc.launch(launchArgs(program, extra)), dc.waitForEvent('stopped'),
  ]);
  return { response, events, stopped };
}

async function topFrame(dc) {
  const trace = await dc.stackTraceRequest({ threadId: 1 });
  return trace.body.stackFrames[0];
}

async function evaluate(dc, expression, context = 'repl') {
  const frame = await topFrame(dc);
  const r = await dc.evaluateRequest({ expression, frameId: frame.id, context });
  return r.body.result;
}

// The live processes whose command line holds `text`.
function processesWith(text) {
  const found = [];
  for (const pid of fs.readdirSync('/proc')) {
    if (!/^\d+$/.test(pid) || Number(pid) === process.pid) continue;
    try {
      const line = fs.readFileSync(`/proc/${pid}/cmdline`, 'latin1').split('\0').join(' ');
      const state = fs.readFileSync(`/proc/${pid}/stat`, 'latin1').split(') ')[1] || '';
      if (line.includes(text) && !state.startsWith('Z')) found.push(pid);
    } catch {
      // gone while we looked
    }
  }
  return found;
}

async function gone(text, ms) {
  const until = Date.now() + ms;
  while (processesWith(text).length > 0) {
    if (Date.now() > until) return false;
    await new Promise((r) => setTimeout(r, 20));
  }
  return true;
}

// No test may hang the run: each has a minute.
const limits = { timeout: 60000 };

module.exports = {
  limits, adapter, interpreter, folder, macro, launchArgs, Client, withClient, launchStopped,
  launchWithBreakpoints, topFrame, evaluate, processesWith, gone,
};
