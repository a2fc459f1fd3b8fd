'use strict';
// ostra-dap through a real DAP client: launch, stops, breakpoints of every
// kind, stepping across a routine file, the stack, variables, questions
// and the end of the macro. OSTRA_UNDER_TEST names the interpreter.
const assert = require('node:assert/strict');
const path = require('node:path');
const { test } = require('node:test');
const {
  limits, interpreter, macro, withClient, launchStopped, launchWithBreakpoints, topFrame, evaluate,
} = require('./support');

test(`${interpreter}: stops on entry, shows the output and ends with the exit code`, limits, () =>
  withClient(async (dc) => {
    const program = macro('entry.rexx', "say 'one'\nsay 'two'\nexit 3\n");
    const stopped = await launchStopped(dc, program);
    assert.equal(stopped.body.reason, 'entry');
    const frame = await topFrame(dc);
    assert.equal(frame.line, 1);
    assert.equal(frame.source.path, program);
    const threads = await dc.threadsRequest();
    assert.equal(threads.body.threads.length, 1);
    const [exited] = await Promise.all([
      dc.waitForEvent('exited'), dc.waitForEvent('terminated'),
      dc.continueRequest({ threadId: 1 }),
    ]);
    assert.equal(exited.body.exitCode, 3);
    assert.equal(dc.output('stdout'), 'one\ntwo\n');
  }));

test(`${interpreter}: a breakpoint is verified by the interpreter on the clause it moved to`, limits, () =>
  withClient(async (dc) => {
    const program = macro('moved.rexx', 'x = 1\n\n/* nothing here */\ny = 2\nsay x y\n');
    const { response, events, stopped } = await launchWithBreakpoints(dc, program, [2]);
    const [asked] = response.body.breakpoints;
    assert.equal(asked.verified, false, 'unverified until the interpreter confirms it');
    const confirmed = events.find((b) => b.id === asked.id);
    assert.ok(confirmed, 'a breakpoint event follows');
    assert.equal(confirmed.verified, true);
    assert.equal(confirmed.line, 4);
    assert.equal(stopped.body.reason, 'breakpoint');
    assert.deepEqual(stopped.body.hitBreakpointIds, [asked.id]);
    assert.equal((await topFrame(dc)).line, 4);
  }));

const loop = 'do i = 1 to 6\n  x = i * 2\n  y = i\nend\nsay \'done\'\n';

test(`${interpreter}: a conditional breakpoint stops only where its condition holds`, limits, () =>
  withClient(async (dc) => {
    const program = macro('condition.rexx', loop);
    const { stopped } = await launchWithBreakpoints(dc, program, [{ line: 2, condition: 'i = 4' }]);
    assert.equal(stopped.body.reason, 'breakpoint');
    assert.equal(await evaluate(dc, 'i', 'watch'), '4');
    await Promise.all([dc.waitForEvent('terminated'), dc.continueRequest({ threadId: 1 })]);
  }));

test(`${interpreter}: a hit count breakpoint stops from its count on`, limits, () =>
  withClient(async (dc) => {
    const program = macro('hits.rexx', loop);
    const { stopped } = await launchWithBreakpoints(dc, program, [{ line: 3, hitCondition: '>=5' }]);
    assert.equal(stopped.body.reason, 'breakpoint');
    assert.equal(await evaluate(dc, 'i'), '5');
    const [again] = await Promise.all([dc.waitForEvent('stopped'), dc.continueRequest({ threadId: 1 })]);
    assert.equal(again.body.reason, 'breakpoint');
    assert.equal(await evaluate(dc, 'i'), '6');
  }));

test(`${interpreter}: a logpoint writes its message and never stops`, limits, () =>
  withClient(async (dc) => {
    const program = macro('logpoint.rexx', loop);
    const events = [];
    dc.on('stopped', (e) => events.push(e));
    const configured = dc.waitForEvent('initialized').then(async () => {
      await dc.setBreakpointsRequest({
        source: { path: program }, breakpoints: [{ line: 3, logMessage: 'i is {i}, x is {x}' }],
      });
      await dc.configurationDoneRequest();
    });
    await Promise.all([
      configured, dc.launch({ program, interpreter }), dc.waitForEvent('terminated'),
    ]);
    assert.equal(events.length, 0);
    const lines = dc.output('console').split('\n').filter((l) => l.startsWith('i is'));
    assert.deepEqual(lines, [1, 2, 3, 4, 5, 6].map((i) => `i is ${i}, x is ${i * 2}`));
    assert.equal(dc.output('stdout'), 'done\n');
  }));

test(`${interpreter}: step in, over and out across a routine file, with its stack`, limits, () =>
  withClient(async (dc) => {
    macro('greet.rexx', "parse arg who\nsay 'hello' who\nreturn\n");
    const program = macro('caller.rexx', "say 'start'\ncall greet 'Ann'\nsay 'back'\n");
    await launchStopped(dc, program);
    const step = async (request) => {
      const [stopped] = await Promise.all([dc.waitForEvent('stopped'), request({ threadId: 1 })]);
      assert.equal(stopped.body.reason, 'step');
      return dc.stackTraceRequest({ threadId: 1 });
    };
    let trace = await step((a) => dc.nextRequest(a));
    assert.equal(trace.body.stackFrames[0].line, 2);
    trace = await step((a) => dc.stepInRequest(a));
    const [inner, outer] = trace.body.stackFrames;
    assert.equal(path.basename(inner.source.path), 'greet.rexx');
    assert.equal(inner.line, 1);
    assert.equal(outer.source.path, program);
    assert.equal(outer.line, 2);
    assert.equal(trace.body.totalFrames, 2);
    const sources = await dc.customRequest('loadedSources');
    assert.deepEqual(sources.body.sources.map((s) => path.basename(s.path)).sort(),
      ['caller.rexx', 'greet.rexx']);
    trace = await step((a) => dc.nextRequest(a));
    assert.equal(trace.body.stackFrames[0].line, 2);
    trace = await step((a) => dc.stepOutRequest(a));
    assert.equal(trace.body.stackFrames.length, 1);
    assert.equal(trace.body.stackFrames[0].line, 3);
    await Promise.all([dc.waitForEvent('terminated'), dc.continueRequest({ threadId: 1 })]);
    assert.equal(dc.output('stdout'), 'start\nhello Ann\nback\n');
  }));

test(`${interpreter}: next steps over a call`, limits, () =>
  withClient(async (dc) => {
    macro('quiet.rexx', "say 'inside'\nreturn\n");
    const program = macro('over.rexx', "call quiet\nsay 'after'\n");
    await launchStopped(dc, program);
    await Promise.all([dc.waitForEvent('stopped'), dc.nextRequest({ threadId: 1 })]);
    const frame = await topFrame(dc);
    assert.equal(frame.line, 2);
    assert.equal(frame.source.path, program);
    assert.equal(dc.output('stdout'), 'inside\n');
  }));

const stems = "name = 'Rexx'\ndo i = 1 to 250\n  sq.i = i * i\nend\nsay name\n";

test(`${interpreter}: variables, with a stem's tails as its children in pages`, limits, () =>
  withClient(async (dc) => {
    const program = macro('stems.rexx', stems);
    await launchWithBreakpoints(dc, program, [5]);
    const frame = await topFrame(dc);
    const scopes = await dc.scopesRequest({ frameId: frame.id });
    const ref = scopes.body.scopes[0].variablesReference;
    const vars = (await dc.variablesRequest({ variablesReference: ref })).body.variables;
    const byName = Object.fromEntries(vars.map((v) => [v.name, v]));
    assert.equal(byName.NAME.value, 'Rexx');
    assert.equal(byName.I.value, '251');
    const stem = byName['SQ.'];
    assert.ok(stem.variablesReference > 0, 'a stem has children');
    assert.equal(stem.indexedVariables, 250);
    const page = (await dc.variablesRequest({
      variablesReference: stem.variablesReference, filter: 'indexed', start: 100, count: 3,
    })).body.variables;
    assert.deepEqual(page.map((v) => [v.name, v.value]),
      [['101', '10201'], ['102', '10404'], ['103', '10609']]);
    assert.equal(page[0].evaluateName, 'SQ.101');
  }));

test(`${interpreter}: evaluate for hover, watch and repl, and setVariable`, limits, () =>
  withClient(async (dc) => {
    const program = macro('questions.rexx', stems);
    await launchWithBreakpoints(dc, program, [5]);
    assert.equal(await evaluate(dc, 'name', 'hover'), 'Rexx');
    assert.equal(await evaluate(dc, 'i - 1', 'watch'), '250');
    assert.equal(await evaluate(dc, 'sq.3 + 1', 'repl'), '10');
    assert.equal(await evaluate(dc, 'extra = 7', 'repl'), '');
    assert.equal(await evaluate(dc, 'extra * 6', 'repl'), '42');
    assert.equal(await evaluate(dc, 'say 1 + 1', 'repl'), '2');
    const frame = await topFrame(dc);
    await assert.rejects(dc.evaluateRequest({ expression: '1 +', frameId: frame.id, context: 'watch' }));

    const scopes = await dc.scopesRequest({ frameId: frame.id });
    const ref = scopes.body.scopes[0].variablesReference;
    const set = await dc.setVariableRequest({ variablesReference: ref, name: 'NAME', value: "'Ooh'" });
    assert.equal(set.body.value, 'Ooh');
    const vars = (await dc.variablesRequest({ variablesReference: ref })).body.variables;
    const stem = vars.find((v) => v.name === 'SQ.');
    const tail = await dc.setVariableRequest({
      variablesReference: stem.variablesReference, name: '101', value: '2 + 3',
    });
    assert.equal(tail.body.value, '5');
    assert.equal(await evaluate(dc, 'sq.101'), '5');
    await Promise.all([dc.waitForEvent('terminated'), dc.continueRequest({ threadId: 1 })]);
    assert.equal(dc.output('stdout'), 'Ooh\n');
  }));

test(`${interpreter}: a caught condition stops as an exception`, limits, () =>
  withClient(async (dc) => {
    const program = macro('novalue.rexx', 'x = 1\ny = undefined + x\nsay y\n');
    const configured = dc.waitForEvent('initialized').then(async () => {
      const r = await dc.setExceptionBreakpointsRequest({ filters: ['NOVALUE'] });
      assert.equal(r.body.breakpoints[0].verified, true);
      await dc.configurationDoneRequest();
    });
    const [, , stopped] = await Promise.all([
      configured, dc.launch({ program, interpreter }), dc.waitForEvent('stopped'),
    ]);
    assert.equal(stopped.body.reason, 'exception');
    assert.equal((await topFrame(dc)).line, 2);
    const info = await dc.exceptionInfoRequest({ threadId: 1 });
    assert.equal(info.body.exceptionId, 'NOVALUE');
    assert.equal(info.body.description, 'UNDEFINED');
  }));

test(`${interpreter}: pause stops a loop that never ends, terminate ends it`, limits, () =>
  withClient(async (dc) => {
    const program = macro('forever.rexx', 'i = 0\ndo forever\n  i = i + 1\nend\n');
    await Promise.all([dc.configurationSequence(), dc.launch({ program, interpreter })]);
    await new Promise((r) => setTimeout(r, 300));
    const asked = Date.now();
    const [stopped] = await Promise.all([dc.waitForEvent('stopped'), dc.pauseRequest({ threadId: 1 })]);
    assert.equal(stopped.body.reason, 'pause');
    assert.ok(Date.now() - asked < 2000);
    assert.equal(await evaluate(dc, 'i > 0'), '1');
    const [exited] = await Promise.all([
      dc.waitForEvent('exited'), dc.waitForEvent('terminated'), dc.terminateRequest({}),
    ]);
    assert.equal(typeof exited.body.exitCode, 'number');
  }));

test(`${interpreter}: restart runs the macro again with its breakpoints`, limits, () =>
  withClient(async (dc) => {
    const program = macro('again.rexx', "say 'first'\nsay 'second'\n");
    const { stopped } = await launchWithBreakpoints(dc, program, [2]);
    assert.equal(stopped.body.reason, 'breakpoint');
    const [again] = await Promise.all([dc.waitForEvent('stopped'), dc.restartRequest({})]);
    assert.equal(again.body.reason, 'breakpoint');
    assert.equal((await topFrame(dc)).line, 2);
    assert.equal(dc.output('stdout'), 'first\nfirst\n');
  }));

test(`${interpreter}: a routine breakpoint stops at the routine`, limits, () =>
  withClient(async (dc) => {
    const program = macro('routine.rexx', "call work 2\nexit\nwork:\n  arg n\n  return n\n");
    const events = [];
    dc.on('breakpoint', (e) => events.push(e.body.breakpoint));
    const configured = dc.waitForEvent('initialized').then(async () => {
      const r = await dc.setFunctionBreakpointsRequest({ breakpoints: [{ name: 'work' }] });
      assert.equal(r.body.breakpoints.length, 1);
      await dc.configurationDoneRequest();
    });
    const [, , stopped] = await Promise.all([
      configured, dc.launch({ program, interpreter }), dc.waitForEvent('stopped'),
    ]);
    assert.equal(stopped.body.reason, 'function breakpoint');
    assert.ok(events.some((b) => b.verified && b.line === 3));
    assert.equal((await topFrame(dc)).name, 'work');
  }));
