'use strict';
// The editor configurations under editors/ (the VS Code extension's manifest
// and the snippets the README shows for other editors), read the way each
// editor reads them, then used as written: ostra-dap started by the command
// they name (found on PATH) and a macro launched with their arguments.
const assert = require('node:assert/strict');
const cp = require('node:child_process');
const fs = require('node:fs');
const path = require('node:path');
const { test } = require('node:test');
const {
  limits, adapter, interpreter, folder, macro, launchArgs, Client, withClient, topFrame,
} = require('./support');

const editors = path.join(__dirname, '..', '..', 'editors');
const manifest = JSON.parse(fs.readFileSync(path.join(editors, 'vscode', 'package.json'), 'utf8'));
const [debuggerEntry] = manifest.contributes.debuggers;
const launchSchema = debuggerEntry.configurationAttributes.launch;

// The variables editors put in configurations, as they would expand them
// for a macro open in `folder`.
function expand(value, program) {
  if (typeof value !== 'string') return value;
  return value
    .replaceAll('${file}', program)
    .replaceAll('${workspaceFolder}', folder)
    .replaceAll('${workspaceRoot}', folder)
    .replaceAll('{0}', program);
}

// A client that starts the adapter as `command args` with ostra-dap's
// folder first on PATH, as an installed ostra-dap would be.
function clientAs(command, args) {
  assert.equal(args.length, 1, 'the adapter is started with one option');
  const env = { ...process.env, PATH: `${path.dirname(adapter)}${path.delimiter}${process.env.PATH}` };
  return new Client(command, args[0], { env });
}

// Launches with `configuration` (as the editor sends it, the test's
// interpreter added when it names none), expects the stop on entry in the
// macro, and runs the macro to its end.
async function runsFromEntry(dc, configuration, program) {
  const args = { interpreter, ...configuration };
  const [, , stopped] = await Promise.all([
    dc.configurationSequence(), dc.launch(args), dc.waitForEvent('stopped'),
  ]);
  assert.equal(stopped.body.reason, 'entry');
  assert.equal((await topFrame(dc)).source.path, program);
  await Promise.all([dc.waitForEvent('terminated'), dc.continueRequest({ threadId: 1 })]);
  assert.equal(dc.output('stdout'), 'hello from the editor\n');
}

function editorMacro(name) {
  return macro(name, "say 'hello from the editor'\nexit 0\n");
}

async function usedAsWritten(command, args, configuration, name) {
  const program = editorMacro(name);
  const expanded = Object.fromEntries(
    Object.entries(configuration).map(([k, v]) => [k, expand(v, program)]));
  await withClient((dc) => runsFromEntry(dc, expanded, program), clientAs(command, args));
}

// Launches with `args`; the configuration goes once "initialized" comes.
function launched(dc, args) {
  return Promise.all([dc.configurationSequence(), dc.launch(args)]);
}

// --- VS Code

// A configuration snippet's body as VS Code inserts it: "^" marks a value
// written as a JSON string literal, "\\$" a dollar that is not a
// placeholder, and each placeholder ${N:text} becomes its text.
function inserted(body) {
  const value = (v) => {
    if (Array.isArray(v)) return v.map(value);
    if (typeof v !== 'string') return v;
    const literal = v.startsWith('^"') && v.endsWith('"') ? v.slice(2, -1) : v;
    return literal.replace(/(?<!\\)\$\{\d+:([^}]*)\}/g, '$1').replaceAll('\\$', '$');
  };
  return Object.fromEntries(Object.entries(body).map(([k, v]) => [k, value(v)]));
}

function fitsSchema(configuration, where) {
  assert.equal(configuration.type, 'rexx', `${where}: type`);
  assert.equal(configuration.request, 'launch', `${where}: request`);
  assert.equal(typeof configuration.name, 'string', `${where}: name`);
  for (const key of launchSchema.required) assert.ok(key in configuration, `${where}: ${key}`);
  for (const [key, v] of Object.entries(configuration)) {
    if (['type', 'request', 'name'].includes(key)) continue;
    const property = launchSchema.properties[key];
    assert.ok(property, `${where}: "${key}" is not a launch attribute`);
    const type = Array.isArray(v) ? 'array' : typeof v;
    assert.equal(type, property.type, `${where}: the type of "${key}"`);
    if (property.enum) assert.ok(property.enum.includes(v), `${where}: "${key}" is ${v}`);
  }
}

test('vscode: the manifest contributes the rexx debug type, its breakpoints and configurations', () => {
  assert.equal(manifest.main, undefined, 'manifest only: no extension code');
  assert.match(manifest.engines.vscode, /^\^\d+\.\d+\.\d+$/);
  assert.ok(manifest.categories.includes('Debuggers'));
  const languages = manifest.contributes.languages.map((l) => l.id);
  assert.ok(languages.includes('rexx'));
  assert.deepEqual(manifest.contributes.breakpoints, [{ language: 'rexx' }]);
  assert.equal(manifest.contributes.debuggers.length, 1);
  assert.equal(debuggerEntry.type, 'rexx');
  assert.deepEqual(debuggerEntry.languages, ['rexx']);
  // VS Code takes a runtime that does not start with "./" as a command on
  // PATH, and runs it with the args.
  assert.equal(debuggerEntry.runtime, 'ostra-dap');
  assert.equal(debuggerEntry.program, undefined);
  assert.ok(debuggerEntry.initialConfigurations.length > 0);
  debuggerEntry.initialConfigurations.forEach((c, i) => fitsSchema(c, `initial configuration ${i}`));
  assert.ok(debuggerEntry.configurationSnippets.length > 0);
  for (const s of debuggerEntry.configurationSnippets) {
    assert.equal(typeof s.label, 'string');
    fitsSchema(inserted(s.body), `snippet "${s.label}"`);
  }
  for (const [key, property] of Object.entries(launchSchema.properties)) {
    assert.ok(property.description, `"${key}" is described`);
    if ('default' in property) {
      const type = Array.isArray(property.default) ? 'array' : typeof property.default;
      assert.equal(type, property.type, `the default of "${key}"`);
    }
  }
});

test(`${interpreter}: vscode: the initial configuration runs as the manifest starts the adapter`, limits, () =>
  usedAsWritten(debuggerEntry.runtime, debuggerEntry.args,
    debuggerEntry.initialConfigurations[0], 'vscode.rexx'));

test(`${interpreter}: vscode: each configuration snippet launches as inserted`, limits, async () => {
  for (const s of debuggerEntry.configurationSnippets) {
    const body = inserted(s.body);
    const program = macro(path.basename(body.program), "parse arg a\nsay 'argument' a\n");
    const configuration = Object.fromEntries(
      Object.entries(body).map(([k, v]) => [k, expand(v, program)]));
    await withClient(async (dc) => {
      const ended = dc.waitForEvent('terminated');
      await launched(dc, { interpreter, ...configuration, stopOnEntry: false });
      await ended;
      assert.equal(dc.output('stdout'), `argument ${(configuration.args || []).join(' ')}\n`);
    }, clientAs(debuggerEntry.runtime, debuggerEntry.args));
  }
});

// Each launch attribute the manifest declares, set to something other than
// its default, and what ostra-dap then does differently. An attribute added
// to the manifest without a check here fails the first test.
const attributeChecks = {
  async program(dc) {
    const program = macro('named.rexx', "say 'x'\n");
    await dc.initializeRequest();
    await assert.rejects(dc.launchRequest(launchArgs(path.join(folder, 'no-such-macro.rexx'))),
      /no-such-macro\.rexx does not exist/);
    const [, , stopped] = await Promise.all([
      dc.waitForEvent('initialized').then(() => dc.configurationDoneRequest()),
      dc.launchRequest(launchArgs(program, { stopOnEntry: true })), dc.waitForEvent('stopped'),
    ]);
    assert.equal(stopped.body.reason, 'entry');
    assert.equal((await topFrame(dc)).source.path, program);
  },
  async cwd(dc) {
    fs.mkdirSync(path.join(folder, 'sub'), { recursive: true });
    const program = macro('sub/relative.rexx', "say 'x'\n");
    const [, stopped] = await Promise.all([
      launched(dc, launchArgs('relative.rexx', { cwd: path.join(folder, 'sub'), stopOnEntry: true })),
      dc.waitForEvent('stopped'),
    ]);
    assert.equal(stopped.body.reason, 'entry');
    assert.equal((await topFrame(dc)).source.path, program, 'a relative program is found from cwd');
  },
  async args(dc) {
    const program = macro('args.rexx', "parse arg a\nsay '['a']'\n");
    const ended = dc.waitForEvent('terminated');
    await launched(dc, launchArgs(program, { args: ['word'] }));
    await ended;
    assert.equal(dc.output('stdout'), '[word]\n');
  },
  async stopOnEntry(dc) {
    const program = macro('no-entry.rexx', "say 'ran'\n");
    const stops = [];
    dc.on('stopped', (e) => stops.push(e));
    const ended = dc.waitForEvent('terminated');
    await launched(dc, launchArgs(program, { stopOnEntry: false }));
    await ended;
    assert.deepEqual(stops, [], 'without stopOnEntry the macro just runs');
  },
  async interpreter(dc) {
    const program = macro('nobody.rexx', "say 'x'\n");
    await dc.initializeRequest();
    await assert.rejects(dc.launchRequest({ program, interpreter: 'no-such-interpreter' }),
      /no-such-interpreter/);
  },
  async interpreterArgs(dc) {
    const program = macro('transcribed.rexx', "say 'x'\n");
    const transcript = path.join(folder, `transcript-${interpreter}.txt`);
    const ended = dc.waitForEvent('terminated');
    await launched(dc, launchArgs(program, { interpreterArgs: ['--transcript', transcript] }));
    await ended;
    assert.ok(fs.statSync(transcript).size > 0, 'the interpreter was given its option');
  },
  async console(dc) {
    const program = macro('console.rexx', "say 'x'\n");
    const reverse = [];
    dc.on('reverse', (r) => reverse.push(r.command));
    const ended = dc.waitForEvent('terminated');
    await dc.initializeRequest({ adapterID: 'rexx', supportsRunInTerminalRequest: true });
    await dc.launchRequest(launchArgs(program, { console: 'internalConsole' }));
    await dc.configurationDoneRequest();
    await ended;
    assert.deepEqual(reverse, [], 'internalConsole asks for no terminal');
  },
};

test(`${interpreter}: vscode: every launch attribute of the manifest is one ostra-dap acts on`, limits, async () => {
  assert.deepEqual(Object.keys(launchSchema.properties).sort(), Object.keys(attributeChecks).sort());
  for (const [name, check] of Object.entries(attributeChecks)) {
    await withClient(async (dc) => {
      try {
        await check(dc);
      } catch (e) {
        e.message = `${name}: ${e.message}`;
        throw e;
      }
    });
  }
});

// --- nvim-dap, read by Neovim itself

function hasCommand(name) {
  return cp.spawnSync('sh', ['-c', `command -v ${name}`]).status === 0;
}

test(`${interpreter}: nvim-dap: the adapter and configuration Neovim reads`, limits, async (t) => {
  if (!hasCommand('nvim')) return t.skip('nvim is not installed');
  const driver = path.join(folder, 'read-nvim-dap.lua');
  fs.writeFileSync(driver, [
    "package.loaded['dap'] = { adapters = {}, configurations = {} }",
    'dofile(vim.env.SNIPPET)',
    "local dap = require('dap')",
    'io.stdout:write(vim.fn.json_encode({ adapters = dap.adapters, configurations = dap.configurations }))',
  ].join('\n'));
  const read = cp.spawnSync('nvim', ['--headless', '--clean', '-u', 'NONE', '-c', `luafile ${driver}`, '-c', 'qa!'], {
    env: { ...process.env, SNIPPET: path.join(editors, 'nvim-dap.lua') }, encoding: 'utf8',
  });
  assert.equal(read.status, 0, read.stderr);
  const { adapters, configurations } = JSON.parse(read.stdout);
  const [configuration] = configurations.rexx;
  const a = adapters[configuration.type];
  assert.equal(a.type, 'executable');
  const { type, name, ...launch } = configuration;
  assert.equal(configuration.request, 'launch');
  await usedAsWritten(a.command, a.args, launch, 'nvim.rexx');
});

// --- dape (Emacs): the quoted configuration, read as Lisp data

function lisp(text) {
  const tokens = text.replace(/;[^\n]*/g, '').match(/"(?:\\.|[^"\\])*"|[()']|[^\s()']+/g);
  let at = 0;
  const read = () => {
    const token = tokens[at++];
    if (token === "'") return read();
    if (token === '(') {
      const list = [];
      while (tokens[at] !== ')') list.push(read());
      at++;
      return list;
    }
    if (token.startsWith('"')) return JSON.parse(token);
    return { symbol: token };
  };
  const forms = [];
  while (at < tokens.length) forms.push(read());
  return forms;
}

function findList(form, head) {
  if (!Array.isArray(form)) return undefined;
  if (form[0] && form[0].symbol === head) return form;
  for (const f of form) {
    const found = findList(f, head);
    if (found) return found;
  }
  return undefined;
}

test(`${interpreter}: dape: the configuration's command and launch arguments`, limits, async () => {
  const [form] = lisp(fs.readFileSync(path.join(editors, 'dape.el'), 'utf8'));
  const entry = findList(form, 'ostra-dap');
  assert.ok(entry, 'a dape-configs entry named ostra-dap');
  const options = {};
  const launch = {};
  // What dape puts in place of the functions and symbols it evaluates.
  const evaluated = { 'dape-buffer-default': '${file}', 'dape-cwd': '${workspaceFolder}', t: true };
  for (let i = 1; i < entry.length; i += 2) {
    const key = entry[i].symbol;
    const v = entry[i + 1];
    const value = v && v.symbol ? evaluated[v.symbol] : v;
    assert.notEqual(value, undefined, `dape evaluates ${key}`);
    if (key.startsWith(':')) launch[key.slice(1)] = value;
    else options[key] = value;
  }
  assert.equal(launch.type, 'rexx');
  assert.equal(launch.request, 'launch');
  const { type, ...sent } = launch;
  await usedAsWritten(options.command, options['command-args'], sent, 'dape.rexx');
});

// --- vimspector

test(`${interpreter}: vimspector: the adapter and configuration of .vimspector.json`, limits, async () => {
  const file = JSON.parse(fs.readFileSync(path.join(editors, 'vimspector.json'), 'utf8'));
  const [configuration] = Object.values(file.configurations);
  const [command, ...args] = file.adapters[configuration.adapter].command;
  assert.ok(configuration.filetypes.includes('rexx'));
  await usedAsWritten(command, args, configuration.configuration, 'vimspector.rexx');
});

// --- Helix, its TOML read by Python's tomllib

test(`${interpreter}: helix: the debugger and launch template of languages.toml`, limits, async (t) => {
  const read = cp.spawnSync('python3', ['-c',
    'import json, sys, tomllib; print(json.dumps(tomllib.load(open(sys.argv[1], "rb"))))',
    path.join(editors, 'helix-languages.toml')], { encoding: 'utf8' });
  if (read.error || read.status !== 0) return t.skip(`python3 with tomllib cannot read TOML: ${read.stderr}`);
  const [language] = JSON.parse(read.stdout).language;
  const d = language.debugger;
  assert.equal(d.transport, 'stdio');
  const template = d.templates.find((x) => x.request === 'launch');
  assert.ok(template);
  assert.equal(template.completion.length, 1, 'one value asked for: {0}');
  await usedAsWritten(d.command, d.args, template.args, 'helix.rexx');
});

test('the README shows each editor snippet as it is in editors/', () => {
  const readme = fs.readFileSync(path.join(editors, '..', 'README.md'), 'utf8');
  for (const name of ['nvim-dap.lua', 'dape.el', 'vimspector.json', 'helix-languages.toml']) {
    const text = fs.readFileSync(path.join(editors, name), 'utf8');
    assert.ok(readme.includes(`\n${text}\`\`\`\n`), `README shows editors/${name}`);
  }
});
