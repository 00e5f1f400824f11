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

// A control's new description, said once where it is to be said: a screen reader says the focused
// control's new description itself (Orca, as on the desktop, and NVDA), so the live region says
// it only for a control without the focus (a button pressed by a tap on a phone). Said both ways,
// the results of "Solve" were heard twice.
function describeAloud(element, description, spoken) {
  describe(element, description);
  if (spoken && element !== document.activeElement) {
    announce(description);
  }
}

// Has a screen reader say the text once, even when it is the text said last: each time in a new
// paragraph, which the browser reports as added. (Text cleared and set again within one of the
// browser's accessibility updates is no change to it, and Orca takes a text equal to the last one
// it said from a live region for a duplicate, so the second "Copied" went unsaid.)
function announce(message) {
  const paragraph = document.createElement("p");
  paragraph.textContent = message;
  announcer.replaceChildren(paragraph);
}

// The controls in reading order, each drawn frame's heading and members gathered into a group
// named by the heading, where the first of them is read: reading through the page, a screen
// reader then says "For 3 Phase Circuits" before its three buttons, and names the group as the
// focus enters it. The group has no box of its own, so the controls keep their places.
function grouped(groups, reading, controls) {
  const wrappers = new Map(); // first member -> its group
  groups.filter((group) => group.heading >= 0 && group.members.length).forEach((group) => {
    const wrapper = document.createElement("div");
    wrapper.className = "group";
    wrapper.setAttribute("role", "group");
    // Named by the heading's text, not its id: during a change of window two may share an id.
    wrapper.setAttribute("aria-label", controls[group.heading].textContent);
    const members = [group.heading, ...group.members].map((index) => controls[index]);
    const first = reading.find((element) => members.includes(element));
    wrapper.append(...reading.filter((element) => members.includes(element)));
    wrappers.set(first, wrapper);
  });
  return reading.filter((element) => !element.parentNode || wrappers.has(element))
    .map((element) => wrappers.get(element) || element);
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
  // Like a desktop title bar's, out of the tab order; so hidden from screen readers, which would
  // otherwise read it on the way through as a button that no key reaches.
  close.setAttribute("aria-hidden", "true");
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
  client.append(...grouped(message.groups, reading.map((index) => controls[index]), controls));
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
      describeAloud(screen.controls[message.control], message.text, message.spoken);
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
    shown = front;
    closedPage = null;
    document.title = front.caption;
    bringToFront(front.frame, front.focus || front.controls[front.tabOrder[0]]);
    fit();
  }
}

// Puts the window in front of the page and the focus in it, in the order a screen reader follows
// as a change of window: the new window first, then the focus, and only then, at the user's next
// key or click (or after LEAVING_MS), the old window that had the focus goes. Were it removed
// first, or before the screen reader had taken in the focus change (Orca can take half a second),
// the screen reader would find its place gone, move to the new window on its own and take the
// real focus change for no change: Orca (in Chromium and Firefox alike) then says nothing and
// stays in browse mode, where the first digit typed is its command for a heading; NVDA and JAWS
// may say the page instead of the window. This way each says the window's name (a dialog named
// by its title) and the focused control, and switches to focus mode on a box, as on the desktop.
// Until it goes, the old window stays where it was for a screen reader, out of sight and of the
// way; the new one goes before it, so that its going moves nothing of the new one.
const LEAVING_MS = 3000;
function bringToFront(frame, control) {
  const old = [...desktop.children].filter((element) => element !== frame);
  const leaving = old.filter((element) => element.contains(document.activeElement));
  old.filter((element) => !leaving.includes(element)).forEach((element) => element.remove());
  leaving.forEach((element) => element.classList.add("leaving"));
  frame.classList.remove("leaving");
  desktop.prepend(frame);
  control.focus({ preventScroll: true });
  // A screen reader's caret in browse mode is the page's selection: left in the old window, it
  // would be moved out as the window goes, and the screen reader would follow it.
  const selection = document.getSelection();
  if (leaving.some((element) => element.contains(selection.anchorNode))) {
    selection.removeAllRanges();
  }
  const events = ["keydown", "pointerdown"];
  const remove = () => {
    clearTimeout(timer);
    events.forEach((type) => document.removeEventListener(type, remove, true));
    leaving.filter((element) => element.classList.contains("leaving"))
      .forEach((element) => element.remove());
  };
  const timer = setTimeout(remove, LEAVING_MS);
  // Not the key that opened the window, which is still on its way.
  setTimeout(() => events.forEach((type) => document.addEventListener(type, remove, true)));
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
  document.title = "Quorvex has closed";
  bringToFront(closedPage, again);
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
    // Selecting in an empty box would tell a screen reader of a caret move, sometimes ahead of
    // the focus, which Orca then takes for the focus moving, silently.
    if (next.tagName === "INPUT" && next.value) {
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

start();
