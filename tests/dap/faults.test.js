'use strict';
// ostra-dap when things go wrong, and the macro's standard input: bad
// frames and requests, a client that vanishes, an interpreter that dies,
// floods of output; input through the debug console and through a relay in
// the client's terminal.
const assert = require('node:assert/strict');
const cp = require('node:child_process');
const { test } = require('node:test');
const {
  limits, adapter, interpreter, macro, Client, withClient, launchStopped, gone,
} = require('./support');

// The adapter on pipes, spoken to byte by byte.
class RawSession {
  constructor() {
    this.process = cp.spawn(adapter, [], { stdio: ['pipe', 'pipe', 'ignore'] });
    this.bytes = Buffer.alloc(0);
    this.messages = [];
    this.exited = new Promise((resolve) => this.process.on('exit', (code) => resolve(code)));
    this.process.stdout.on('data', (chunk) => {
      this.bytes = Buffer.concat([this.bytes, chunk]);
      for (;;) {
        const end = this.bytes.indexOf('\r\n\r\n');
        if (end < 0) return;
        const length = Number(/Content-Length: (\d+)/.exec(this.bytes.subarray(0, end))[1]);
        if (this.bytes.length < end + 4 + length) return;
        this.messages.push(JSON.parse(this.bytes.subarray(end + 4, end + 4 + length)));
        this.bytes = this.bytes.subarray(end + 4 + length);
      }
    });
    this.seq = 1;
  }
  write(bytes) {
    this.process.stdin.write(bytes);
  }
  request(command, args) {
    const text = JSON.stringify({ seq: this.seq++, type: 'request', command, arguments: args });
    this.write(`Content-Length: ${Buffer.byteLength(text)}\r\n\r\n${text}`);
    return this.seq - 1;
  }
  async waitFor(match, ms = 5000) {
    const until = Date.now() + ms;
    for (;;) {
      const found = this.messages.find(match);
      if (found) return found;
      if (Date.now() > until) throw new Error('not received; got ' + JSON.stringify(this.messages));
      await new Promise((r) => setTimeout(r, 10));
    }
  }
  response(seq) {
    return this.waitFor((m) => m.type === 'response' && m.request_seq === seq);
  }
}

test(`${interpreter}: bad frames and requests get clear answers and the session goes on`, limits, async () => {
  const s = new RawSession();
  try {
    const early = await s.response(s.request('threads'));
    assert.equal(early.success, false);
    assert.match(early.message, /initialize first/);
    s.write('Content-Type: nothing\r\n\r\n');
    s.write('Content-Length: 5\r\n\r\n{oops');
    s.write('Content-Length: ten\r\n\r\n');
    s.write('Content-Length: 6\r\n\r\n[1, 2]');
    const init = await s.response(s.request('initialize', { adapterID: 'rexx' }));
    assert.equal(init.success, true);
    const problems = s.messages.filter((m) => m.event === 'output').map((m) => m.body.output);
    assert.equal(problems.length, 4, problems.join(''));
    assert.match(problems[0], /without a Content-Length/);
    assert.match(problems[1], /not JSON/);
    const again = await s.response(s.request('initialize', { adapterID: 'rexx' }));
    assert.equal(again.success, false);
    const unknown = await s.response(s.request('fly', {}));
    assert.equal(unknown.success, false);
    assert.equal(unknown.message, 'unknown request "fly"');
    const wrong = await s.response(s.request('stackTrace', { threadId: 1, levels: 'many' }));
    assert.equal(wrong.success, false);
    const missing = await s.response(s.request('launch', { interpreter }));
    assert.match(missing.message, /needs "program"/);
    const nothing = await s.response(s.request('launch', { program: '/no/such.rexx', interpreter }));
    assert.match(nothing.message, /does not exist/);
    const program = macro('twice.rexx', 'say 1\n');
    const first = await s.response(s.request('launch', { program, interpreter, stopOnEntry: true }));
    assert.equal(first.success, true);
    const second = await s.response(s.request('launch', { program, interpreter }));
    assert.equal(second.success, false);
    assert.match(second.message, /already/);
    await s.response(s.request('disconnect', {}));
    assert.equal(await s.exited, 0);
  } finally {
    s.process.kill('SIGKILL');
  }
});

test(`${interpreter}: a client that vanishes takes the macro and its interpreter with it`, limits, async () => {
  const program = macro('vanish.rexx', 'do forever\n  nop\nend\n');
  const s = new RawSession();
  try {
    await s.response(s.request('initialize', { adapterID: 'rexx' }));
    await s.response(s.request('launch', { program, interpreter }));
    await s.response(s.request('configurationDone', {}));
    await new Promise((r) => setTimeout(r, 200));
    assert.ok((await gone(program, 0)) === false, 'the macro runs');
    const closed = Date.now();
    s.process.stdin.end();
    assert.ok(await gone(program, 1000), 'the interpreter ended within a second');
    assert.equal(await s.exited, 0);
    assert.ok(Date.now() - closed < 1500);
  } finally {
    s.process.kill('SIGKILL');
  }
});

test(`${interpreter}: huge output all arrives, and the macro ends`, limits, () =>
  withClient(async (dc) => {
    const program = macro('flood.rexx', "do i = 1 to 20000\n  say copies('x', 99)\nend\n");
    await Promise.all([dc.configurationSequence(), dc.launch({ program, interpreter })]);
    const [exited] = await Promise.all([dc.waitForEvent('exited', 30000), dc.waitForEvent('terminated', 30000)]);
    assert.equal(exited.body.exitCode, 0);
    const out = dc.output('stdout');
    assert.equal(out.length, 20000 * 100);
    assert.equal(out, ('x'.repeat(99) + '\n').repeat(20000));
  }));

test(`${interpreter}: input lines through the debug console's ">" prefix`, limits, () =>
  withClient(async (dc) => {
    const program = macro('ask.rexx', "pull a\nsay 'got' a\n");
    await Promise.all([dc.configurationSequence(), dc.launch({ program, interpreter })]);
    await dc.outputContaining('console', 'waits for input');
    const r = await dc.evaluateRequest({ expression: '> hello there', context: 'repl' });
    assert.equal(r.body.result, '');
    await Promise.all([dc.waitForEvent('terminated'), dc.outputContaining('stdout', 'got HELLO THERE')]);
  }));

test(`${interpreter}: input typed in the client's terminal reaches the macro`, limits, async () => {
  const dc = new Client();
  await dc.start();
  let relay;
  try {
    const program = macro('terminal.rexx', "pull a\nsay 'typed' a\n");
    const asked = new Promise((resolve) => dc.on('reverse', resolve));
    await dc.initializeRequest({ adapterID: 'rexx', supportsRunInTerminalRequest: true });
    await dc.launchRequest({ program, interpreter });
    const request = await asked;
    assert.equal(request.command, 'runInTerminal');
    const [program_, ...args] = request.arguments.args;
    relay = cp.spawn(program_, args, { stdio: ['pipe', 'pipe', 'inherit'] });
    const relayEnded = new Promise((resolve) => relay.on('exit', resolve));
    dc.reply(request, { processId: relay.pid });
    await new Promise((resolve) => relay.stdout.once('data', resolve));
    await dc.configurationDoneRequest();
    const ended = dc.waitForEvent('terminated');
    relay.stdin.write('from the terminal\n');
    await dc.outputContaining('stdout', 'typed FROM THE TERMINAL');
    await ended;
    const code = await relayEnded;
    assert.equal(code, 0, 'the relay ends with the session');
  } finally {
    if (relay) relay.kill();
    await dc.stop();
  }
});

test(`${interpreter}: an interpreter that dies in a step ends the session cleanly`, limits, async (t) => {
  if (interpreter !== 'ostra-sim') return t.skip('only the stand-in plays scripted faults');
  const program = macro('dies.rexx', 'say 1\nsay 2\n');
  const scenario = macro('dies.scn', [
    'send |set-source|say 1\\nsay 2\\n',
    `send |file-map|0 0 1 0 ${program}`,
    'send |running|',
    'send |stop-at|0 main',
    'expect cmd features',
    'send |features|',
    'expect cmd features',
    'send |features|',
    'expect cmd next',
    'send |running|',
    'close-mid-frame |stop-at|1 main',
  ].join('\n') + '\n');
  await withClient(async (dc) => {
    await launchStopped(dc, program, { interpreterArgs: ['--scenario', scenario] });
    const [, exited] = await Promise.all([
      dc.nextRequest({ threadId: 1 }), dc.waitForEvent('exited'), dc.waitForEvent('terminated'),
    ]);
    assert.equal(typeof exited.body.exitCode, 'number');
    await dc.outputContaining('console', 'the interpreter ended before the macro did');
    await assert.rejects(dc.stackTraceRequest({ threadId: 1 }));
  });
});
