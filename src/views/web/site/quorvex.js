// Quorvex in the browser: draws what the program (quorvex.wasm, the same C++ as the desktop's)
// says, and passes what the user does back to it. Every rule a user could notice, from what
// "Solve" shows to which window is in front, is the program's; this only draws its messages
// (src/views/web/web_view.h lists them) and turns keys and clicks into its calls.
"use strict";

const desktop = document.getElementById("desktop");
const announcer = document.getElementById("announcer");
const families = { sans: "Quorvex Sans", serif: "Quorvex Serif", verdana: "Quorvex Verdana" };
const pictureSizes = {
  "large-banner": [175, 101], "calculator-banner": [150, 101], "small-image": [100, 25],
};

let program = null;      // the module's exports
let pending = [];        // messages received during a call into the module
const windows = new Map(); // screen number -> its window, while the screen is loaded
let order = [];          // loaded screens, the one in front last

function text(memory, pointer, length) {
  return new TextDecoder().decode(new Uint8Array(memory.buffer, pointer, length));
}

// Calls into the module, then draws what it said meanwhile.
function call(name, ...args) {
  const result = program[name](...args);
  const messages = pending;
  pending = [];
  messages.forEach(handle);
  render();
  return result;
}

function passText(value) {
  const bytes = new TextEncoder().encode(value);
  const pointer = program.quorvex_alloc(bytes.length);
  new Uint8Array(program.memory.buffer, pointer, bytes.length).set(bytes);
  return [pointer, bytes.length];
}

function fontOf(control) {
  return `${control.bold ? 700 : 400} ${control.size}px "${families[control.family]}"`;
}

// One control's element, placed in CSS pixels and named by its control name.
function makeControl(screen, control, index) {
  let element;
  switch (control.kind) {
    case "button":
      element = document.createElement("button");
      element.type = "button";
      element.textContent = control.text;
      element.addEventListener("click", () => call("quorvex_click", screen, index));
      break;
    case "textbox":
      element = document.createElement("input");
      element.type = "text";
      element.autocomplete = "off";
      element.spellcheck = false;
      element.value = control.text;
      const edited = () => {
        const [pointer, length] = passText(element.value);
        call("quorvex_edit", screen, index, pointer, length);
        program.quorvex_free(pointer);
      };
      element.addEventListener("input", edited);
      element.addEventListener("change", edited);
      break;
    case "picture": {
      element = document.createElement("div");
      element.setAttribute("role", "img");
      const image = document.createElement("img");
      const [width, height] = pictureSizes[control.picture];
      image.src = `artwork/${control.picture}.png`;
      image.srcset = `artwork/${control.picture}@2x.png 2x`;
      image.width = width;
      image.height = height;
      image.alt = "";
      image.draggable = false;
      element.append(image);
      break;
    }
    case "shape":
      element = document.createElement("div");
      element.setAttribute("aria-hidden", "true");
      break;
    default:
      element = document.createElement("div");
      element.textContent = control.text;
      element.classList.toggle("bordered", control.border);
      element.classList.toggle("result", control.selectable);
  }
  element.id = control.id;
  element.classList.add(control.kind);
  Object.assign(element.style, {
    left: `${control.x}px`, top: `${control.y}px`,
    width: `${control.width}px`, height: `${control.height}px`, font: fontOf(control),
  });
  // A standard push button keeps its own colours and centres its caption.
  if (control.kind === "shape") {
    element.style.borderColor = control.fore;
  } else if (control.kind !== "button") {
    Object.assign(element.style, {
      color: control.fore, backgroundColor: control.back, textAlign: control.align,
    });
  }
  if (control.name) {
    element.setAttribute("aria-label", control.name);
  }
  describe(element, control.description);
  if (control.kind === "picture" || control.kind === "textbox" || control.kind === "button") {
    element.tabIndex = 0;
  }
  return element;
}

function describe(element, description) {
  if (description) {
    element.setAttribute("aria-description", description);
  } else {
    element.removeAttribute("aria-description");
  }
}

// Has a screen reader say the text once, even when it is the text said last.
function announce(message) {
  announcer.textContent = "";
  requestAnimationFrame(() => { announcer.textContent = message; });
}

// A loaded screen's window, made whole before it is shown.
function openWindow(message) {
  const frame = document.createElement("section");
  frame.className = "window";
  frame.id = message.name;
  frame.setAttribute("role", "dialog");
  frame.setAttribute("aria-labelledby", `${message.name}-title`);
  const title = document.createElement("div");
  title.className = "title";
  const caption = document.createElement("span");
  caption.id = `${message.name}-title`;
  caption.textContent = message.caption;
  const close = document.createElement("button");
  close.type = "button";
  close.tabIndex = -1;
  close.textContent = "\u00D7";
  close.setAttribute("aria-label", "Close window");
  close.addEventListener("click", () => call("quorvex_close", message.screen));
  title.append(caption, close);

  const client = document.createElement("div");
  client.className = "client";
  Object.assign(client.style, {
    width: `${message.width}px`, height: `${message.height}px`, backgroundColor: message.back,
  });
  const controls = message.controls.map((control, index) =>
    makeControl(message.screen, control, index));
  // Labels and shapes lie below the other controls; among each, later above earlier.
  const windowless = (control) => control.kind === "label" || control.kind === "shape";
  message.controls.forEach((control, index) => {
    controls[index].style.zIndex = windowless(control) ? index : message.controls.length + index;
  });
  // A screen reader reads the window from the top left, line by line.
  const reading = controls.map((element, index) => index).sort((a, b) =>
    (message.controls[a].y - message.controls[b].y) || (message.controls[a].x - message.controls[b].x));
  client.append(...reading.map((index) => controls[index]));
  frame.append(title, client);

  // The window shows once its faces and pictures are ready: its first frame is all of it.
  const faces = new Set(message.controls.filter((control) => control.kind !== "shape")
    .map(fontOf));
  const pictures = [...frame.querySelectorAll("img")].map((image) => image.decode().catch(() => {}));
  windows.set(message.screen, {
    frame, controls, caption: message.caption, tabOrder: message.tabOrder,
    focus: controls[message.focus], width: message.width, height: message.height + 24,
    ready: false,
    loading: Promise.all([...faces].map((face) => document.fonts.load(face)).concat(pictures)).then(() => {
      windows.get(message.screen).ready = true;
    }),
  });
}

function handle(message) {
  const screen = windows.get(message.screen);
  switch (message.type) {
    case "open":
      openWindow(message);
      break;
    case "present":
      order = order.filter((number) => number !== message.screen).concat(message.screen);
      break;
    case "value": {
      const element = screen.controls[message.control];
      if (element.tagName === "INPUT") {
        if (element.value !== message.text) {
          element.value = message.text;
        }
      } else {
        element.textContent = message.text;
      }
      break;
    }
    case "describe":
      describe(screen.controls[message.control], message.text);
      if (message.spoken) {
        announce(message.text);
      }
      break;
    case "announce":
      announce(message.text);
      break;
    case "close":
      windows.delete(message.screen);
      order = order.filter((number) => number !== message.screen);
      break;
    case "closed":
      order = [];
      break;
  }
}

let shown = null; // the window on the page
let closedPage = null;

// Shows the window in front, alone: the others stay loaded, as windows behind it.
function render() {
  const front = windows.get(order[order.length - 1]);
  if (!front) {
    if (windows.size === 0 && program) {
      showClosedPage();
    }
    return;
  }
  if (!front.ready) {
    front.loading.then(render);
    return;
  }
  if (shown !== front) {
    if (shown && shown.frame.contains(document.activeElement)) {
      shown.focus = document.activeElement;
    }
    desktop.replaceChildren(front.frame);
    shown = front;
    closedPage = null;
    document.title = front.caption;
    fit();
    (front.focus || front.controls[front.tabOrder[0]]).focus({ preventScroll: true });
  }
}

function showClosedPage() {
  if (closedPage) {
    return;
  }
  shown = null;
  closedPage = document.createElement("section");
  closedPage.className = "closed";
  const words = document.createElement("p");
  words.textContent = "Quorvex has closed.";
  const again = document.createElement("button");
  again.type = "button";
  again.textContent = "Start Quorvex again";
  again.addEventListener("click", () => call("quorvex_start"));
  closedPage.append(words, again);
  desktop.replaceChildren(closedPage);
  document.title = "Quorvex has closed";
  again.focus();
}

// Scales the window down to fit a narrower viewport; never above its own size.
function fit() {
  if (!shown) {
    return;
  }
  const scale = Math.min(1, (window.innerWidth - 8) / (shown.width + 2),
    (window.innerHeight - 8) / (shown.height + 2));
  shown.frame.style.transform = scale < 1 ? `scale(${scale})` : "";
  desktop.style.height = scale < 1 ? `${Math.ceil((shown.height + 2) * scale) + 32}px` : "";
}

function screenOf(element) {
  for (const [number, screen] of windows) {
    if (screen === shown && screen.frame.contains(element)) {
      return number;
    }
  }
  return null;
}

document.addEventListener("keydown", (event) => {
  if (!shown) {
    return;
  }
  if (event.key === "Tab" && !event.altKey && !event.ctrlKey && !event.metaKey) {
    // Tab and Shift+Tab visit the window's controls in its tab order, wrapping round.
    event.preventDefault();
    const cycle = shown.tabOrder.map((index) => shown.controls[index]);
    const at = cycle.indexOf(document.activeElement);
    const step = event.shiftKey ? -1 : 1;
    const next = cycle[at < 0 ? 0 : (at + step + cycle.length) % cycle.length];
    next.focus();
    if (next.tagName === "INPUT") {
      next.select();
    }
  }
});

// Ctrl+C copies the solved calculation, unless a box or a result has a selection of its own.
document.addEventListener("copy", (event) => {
  const active = document.activeElement;
  const boxSelection = active && active.tagName === "INPUT" && active.selectionStart !== active.selectionEnd;
  if (boxSelection || !document.getSelection().isCollapsed) {
    return;
  }
  const screen = screenOf(active);
  if (screen === null) {
    return;
  }
  const pointer = call("quorvex_copy", screen);
  if (pointer) {
    const bytes = new Uint8Array(program.memory.buffer, pointer);
    event.clipboardData.setData("text/plain", text(program.memory, pointer, bytes.indexOf(0)));
    event.preventDefault();
  }
});

window.addEventListener("resize", fit);

async function start() {
  const imports = {
    env: {
      quorvex_post: (pointer, length) => pending.push(JSON.parse(text(program.memory, pointer, length))),
    },
    // Some C libraries link in their file calls for a message written only as the program aborts.
    // The page has no files: every such call answers ENOSYS ("not supported").
    wasi_snapshot_preview1: new Proxy({}, { get: () => () => 52 }),
  };
  const response = await fetch("quorvex.wasm");
  // Compiled as it arrives, where the server says it is WebAssembly.
  const { instance } = response.headers.get("Content-Type") === "application/wasm"
    ? await WebAssembly.instantiateStreaming(response, imports)
    : await WebAssembly.instantiate(await response.arrayBuffer(), imports);
  program = instance.exports;
  program._initialize();
  call("quorvex_start");
}

// Keeps the release for use with no network (sw.js) once the program runs, so as not to compete
// with its start. Browsers allow a service worker over HTTPS and from localhost only.
function keepOffline() {
  if ("serviceWorker" in navigator) {
    navigator.serviceWorker.register("sw.js").catch(() => {});
  }
}

start().then(keepOffline);
