// The room's routing page: follows the bridge's event socket and sends the operator's taps
// to its REST API. Nothing is shown as done until the bridge says it is.
'use strict';

const PORTS = 6;
const PRESETS = 8;
const OPTIONS = ['ir', 'keys', 'apm', 'beeper'];
const TOKEN_KEY = 'matrixctl-serve.token';
const RETRY_FIRST_MS = 1000;
const RETRY_MAX_MS = 16000;
const NOTICE_MS = 6000;

const view = {
  banner: document.getElementById('banner'),
  notice: document.getElementById('notice'),
  device: document.getElementById('device'),
  login: document.getElementById('login'),
  loginError: document.getElementById('login-error'),
  tokenField: document.getElementById('token'),
  panel: document.getElementById('panel'),
  outputs: document.getElementById('outputs'),
  offNote: document.getElementById('off-note'),
  presets: document.getElementById('presets'),
  power: document.getElementById('power'),
};

const state = {
  token: '',
  socket: null,
  socketLive: false,
  lineLost: false,
  everLive: false,
  retryMs: RETRY_FIRST_MS,
  retryTimer: 0,
  noticeTimer: 0,
  power: null,
  routes: [],
  tags: { inputs: [], outputs: [] },
};

class Unauthorized extends Error {}

// --- the token -------------------------------------------------------------------------

// Private browsing may refuse storage; the token then lasts as long as the page.
function storedToken() {
  try {
    return localStorage.getItem(TOKEN_KEY) || '';
  } catch {
    return '';
  }
}

function keepToken(token) {
  state.token = token;
  try {
    localStorage.setItem(TOKEN_KEY, token);
  } catch {
    // kept in memory only
  }
}

// A link with #token= logs the browser in once; the token leaves the address bar at once.
function takeTokenFromAddress() {
  const match = /(?:^#|&)token=([^&]*)/.exec(location.hash);
  if (!match) return;
  keepToken(decodeURIComponent(match[1]));
  history.replaceState(null, '', location.pathname + location.search);
}

function askForToken(message) {
  closeSocket();
  clearTimeout(state.retryTimer);
  view.panel.hidden = true;
  view.banner.hidden = true;
  view.login.hidden = false;
  view.loginError.textContent = message;
  view.tokenField.focus();
}

view.login.addEventListener('submit', (event) => {
  event.preventDefault();
  const token = view.tokenField.value.trim();
  if (!token) return;
  keepToken(token);
  view.tokenField.value = '';
  view.login.hidden = true;
  connect();
});

// --- requests --------------------------------------------------------------------------

async function api(method, path, body) {
  const init = { method, cache: 'no-store', headers: { Authorization: `Bearer ${state.token}` } };
  if (body !== undefined) {
    init.headers['Content-Type'] = 'application/json';
    init.body = JSON.stringify(body);
  }
  const response = await fetch(path, init);
  if (response.status === 401) {
    askForToken('The bridge did not accept this token.');
    throw new Unauthorized();
  }
  let reply = null;
  try {
    reply = await response.json();
  } catch {
    // a reply without JSON is reported by its status below
  }
  if (!response.ok || !reply || reply.ok === false) {
    throw new Error((reply && reply.error) || `The bridge answered ${response.status}.`);
  }
  return reply;
}

// Runs an operator's action with its button marked busy; a failure shows the bridge's text.
async function act(button, action) {
  if (button.getAttribute('aria-busy') === 'true') return;
  button.setAttribute('aria-busy', 'true');
  try {
    await action();
  } catch (error) {
    if (!(error instanceof Unauthorized)) {
      showNotice(error instanceof TypeError ? 'The bridge cannot be reached.' : error.message, true);
    }
  } finally {
    button.removeAttribute('aria-busy');
  }
}

// --- what the page shows ---------------------------------------------------------------

function showNotice(text, isError) {
  view.notice.textContent = text;
  view.notice.classList.toggle('error', Boolean(isError));
  view.notice.setAttribute('role', isError ? 'alert' : 'status');
  view.notice.hidden = false;
  clearTimeout(state.noticeTimer);
  state.noticeTimer = setTimeout(() => {
    view.notice.hidden = true;
  }, NOTICE_MS);
}

function showConnection() {
  const live = state.socketLive && !state.lineLost;
  view.banner.hidden = live;
  view.banner.textContent = state.everLive ? 'reconnecting' : 'connecting';
  view.panel.classList.toggle('stale', !live);
}

function withTag(word, number, tag) {
  return tag ? `${word}${number} ${tag}` : `${word}${number}`;
}

function buildOutputs() {
  view.outputs.replaceChildren();
  for (let output = 1; output <= PORTS; ++output) {
    view.outputs.append(buildOutputRow(output, `Output${output}`, state.tags.outputs[output - 1]));
  }
  view.outputs.append(buildOutputRow('all', 'All outputs', ''));
  showRoutes();
}

function buildOutputRow(output, name, tag) {
  const row = document.createElement('div');
  row.className = 'output';
  row.dataset.output = output;
  row.setAttribute('role', 'group');
  const heading = document.createElement('h3');
  heading.id = `output-${output}`;
  heading.textContent = name;
  if (tag) {
    const tagText = document.createElement('span');
    tagText.className = 'tag';
    tagText.textContent = tag;
    heading.append(' ', tagText);
  }
  row.setAttribute('aria-labelledby', heading.id);
  const inputs = document.createElement('div');
  inputs.className = 'inputs';
  for (let input = 1; input <= PORTS; ++input) {
    inputs.append(buildInputButton(output, input));
  }
  row.append(heading, inputs);
  return row;
}

function buildInputButton(output, input) {
  const tag = state.tags.inputs[input - 1];
  const button = document.createElement('button');
  button.type = 'button';
  button.className = 'input';
  button.dataset.input = input;
  button.dataset.label = withTag('Input', input, tag);
  button.title = button.dataset.label;
  button.setAttribute('aria-label', button.dataset.label);
  const number = document.createElement('span');
  number.className = 'number';
  number.textContent = input;
  button.append(number);
  if (tag) {
    const tagText = document.createElement('span');
    tagText.className = 'tag';
    tagText.textContent = tag;
    button.append(tagText);
  }
  button.addEventListener('click', () =>
    act(button, async () => {
      const reply = await api('PUT', `/api/v1/routes/${output}`, { input });
      applySet(reply.set);
    }),
  );
  return button;
}

function showRoutes() {
  const known = state.power === true && state.routes.length === PORTS;
  view.offNote.hidden = state.power !== false;
  for (const row of view.outputs.children) {
    const output = Number(row.dataset.output);
    const current = known && output ? state.routes[output - 1] : 0;
    for (const button of row.querySelectorAll('button.input')) {
      button.setAttribute('aria-pressed', String(Number(button.dataset.input) === current));
      button.disabled = state.power === false;
    }
  }
}

function flashOutput(output) {
  const row = view.outputs.querySelector(`[data-output="${output}"]`);
  if (!row) return;
  row.classList.remove('flash');
  void row.offsetWidth; // restarts the animation
  row.classList.add('flash');
}

function applySet(set) {
  for (const { output, input } of set || []) {
    state.routes[output - 1] = input;
  }
  showRoutes();
}

function showPower() {
  view.power.setAttribute('aria-pressed', String(state.power === true));
  view.power.textContent =
    state.power === null ? 'Power' : `Power: ${state.power ? 'on' : 'off'}`;
  for (const button of view.presets.querySelectorAll('button')) {
    button.disabled = state.power === false;
  }
  showRoutes();
}

function showOption(option, on) {
  const button = document.querySelector(`[data-option="${option}"]`);
  if (button) button.setAttribute('aria-pressed', String(on));
}

// A port without a cable is drawn faint; an input says so in its label too.
function showLink(side, number, linkState) {
  const unlinked = linkState === 'not connected';
  if (side === 'output') {
    const row = view.outputs.querySelector(`.output[data-output="${number}"]`);
    if (row) row.classList.toggle('unlinked', unlinked);
    return;
  }
  for (const button of view.outputs.querySelectorAll(`button.input[data-input="${number}"]`)) {
    button.classList.toggle('unlinked', unlinked);
    const label = unlinked ? `${button.dataset.label} (not connected)` : button.dataset.label;
    button.title = label;
    button.setAttribute('aria-label', label);
  }
}

function applyState(status) {
  state.power = status.power;
  if (Array.isArray(status.routes)) state.routes = status.routes.slice();
  if (status.model) {
    view.device.textContent = `${status.model}, ${status.inputs}×${status.outputs}, firmware ${status.version}`;
  }
  for (const option of OPTIONS) {
    if (status.options && option in status.options) showOption(option, status.options[option]);
  }
  (status.inputLinks || []).forEach((link, i) => showLink('input', i + 1, link));
  (status.outputLinks || []).forEach((link, i) => showLink('output', i + 1, link));
  showPower();
}

// After a gap the bridge's followed state is the truth again.
async function refreshStatus() {
  try {
    applyState(await api('GET', '/api/v1/status'));
  } catch {
    // the next event or reconnect brings it
  }
}

// --- events ----------------------------------------------------------------------------

function onEvent(event) {
  switch (event.event) {
    case 'state':
      state.lineLost = false;
      state.everLive = true;
      state.retryMs = RETRY_FIRST_MS;
      applyState(event);
      break;
    case 'route':
      state.routes[event.output - 1] = event.input;
      showRoutes();
      flashOutput(event.output);
      if (event.by === 'switcher') {
        showNotice(`Output${event.output} switched to Input${event.input} at the switcher`);
      }
      break;
    case 'power':
      state.power = event.on;
      showPower();
      if (event.by === 'switcher') {
        showNotice(`Power turned ${event.on ? 'on' : 'off'} at the switcher`);
      }
      if (event.on) refreshStatus();
      break;
    case 'link':
      showLink(event.port, event.number, event.state);
      break;
    case 'line':
      state.lineLost = event.state === 'lost';
      if (!state.lineLost) refreshStatus();
      break;
    default:
      return;
  }
  showConnection();
}

function closeSocket() {
  if (!state.socket) return;
  state.socket.onclose = null;
  state.socket.close();
  state.socket = null;
  state.socketLive = false;
}

function openSocket() {
  const scheme = location.protocol === 'https:' ? 'wss:' : 'ws:';
  const token = encodeURIComponent(state.token);
  const socket = new WebSocket(`${scheme}//${location.host}/api/v1/events?token=${token}`);
  state.socket = socket;
  socket.onopen = () => {
    state.socketLive = true;
    showConnection();
  };
  socket.onmessage = (message) => {
    try {
      onEvent(JSON.parse(message.data));
    } catch {
      // one bad message is no reason to drop the page
    }
  };
  socket.onclose = () => {
    state.socket = null;
    state.socketLive = false;
    showConnection();
    retryLater();
  };
}

function retryLater() {
  clearTimeout(state.retryTimer);
  state.retryTimer = setTimeout(connect, state.retryMs);
  state.retryMs = Math.min(state.retryMs * 2, RETRY_MAX_MS);
}

// A refused socket looks like a closed one to the page; a plain request tells a wrong token
// apart, so each (re)connection starts with one.
async function connect() {
  showConnection();
  try {
    const tags = await api('GET', '/api/v1/tags');
    const changed = JSON.stringify(tags.inputs) !== JSON.stringify(state.tags.inputs) ||
      JSON.stringify(tags.outputs) !== JSON.stringify(state.tags.outputs) ||
      !view.outputs.children.length;
    state.tags = { inputs: tags.inputs || [], outputs: tags.outputs || [] };
    if (changed) buildOutputs();
    view.panel.hidden = false;
    loadPresets();
    openSocket();
  } catch (error) {
    if (!(error instanceof Unauthorized)) retryLater();
  }
}

// --- pre-settings, power and options ---------------------------------------------------

async function loadPresets() {
  let presets = [];
  try {
    presets = (await api('GET', '/api/v1/presets')).presets || [];
  } catch {
    // numbered buttons still apply the switcher's stored pre-settings
  }
  view.presets.replaceChildren();
  for (let number = 1; number <= PRESETS; ++number) {
    const preset = presets.find((p) => p.number === number);
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'preset';
    button.textContent = preset && preset.name ? preset.name : `Setting${number}`;
    if (preset && preset.inputs) button.title = `Inputs ${preset.inputs.join(' ')}`;
    button.disabled = state.power === false;
    button.addEventListener('click', () =>
      act(button, async () => {
        const reply = await api('POST', `/api/v1/presets/${number}/apply`);
        applySet(reply.set);
      }),
    );
    view.presets.append(button);
  }
}

view.power.addEventListener('click', () => {
  const on = state.power !== true;
  if (!on && !confirm('Turn the switcher off?')) return;
  act(view.power, async () => {
    const reply = await api('PUT', '/api/v1/power', { on });
    state.power = reply.power;
    showPower();
    if (reply.power) refreshStatus();
  });
});

for (const button of document.querySelectorAll('[data-option]')) {
  button.addEventListener('click', () =>
    act(button, async () => {
      const on = button.getAttribute('aria-pressed') !== 'true';
      const reply = await api('PUT', `/api/v1/options/${button.dataset.option}`, { on });
      showOption(reply.option, reply.on);
    }),
  );
}

// --- start -----------------------------------------------------------------------------

takeTokenFromAddress();
state.token = state.token || storedToken();
if (state.token) {
  connect();
} else {
  askForToken('');
}
