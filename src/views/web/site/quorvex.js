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

// Firefox on Linux and the BSDs (the one browser whose user agent names X11 and Gecko's build date)
// passes no change of a description on to the desktop's screen readers, so there the live region
// says the focused control's new description too. Elsewhere that would say it twice.
const descriptionChangesUnsaid =
  /\bX11\b/.test(navigator.userAgent) && /\bGecko\/\d/.test(navigator.userAgent);

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
  showResults();
  return result;
}

let shownResult = null; // the last result written, until it is brought into view

// In the column, results that "Solve" writes below the screen's bottom edge scroll into view, all
// of them where they fit, the first at the top where they do not.
function showResults() {
  if (shownResult && inColumn() && shown && shown.frame.contains(shownResult)) {
    const rows = shown.frame.querySelectorAll(".row-result");
    rows[rows.length - 1].scrollIntoView({ block: "nearest" });
    if (rows[0].getBoundingClientRect().top < 0) {
      rows[0].scrollIntoView({ block: "start" });
    }
  }
  shownResult = null;
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
      element.inputMode = fullKeyboard ? "text" : "decimal";
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
      image.style.setProperty("--w", `${width}px`);
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
  element.classList.add(control.kind, "control");
  // The window's place and face, which the column layout (quorvex.css) sets aside.
  Object.entries({
    "--x": `${control.x}px`, "--y": `${control.y}px`, "--w": `${control.width}px`,
    "--h": `${control.height}px`, "--font": fontOf(control), "--size": `${control.size}px`,
  }).forEach(([name, value]) => element.style.setProperty(name, value));
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

// The column layout's rows (column_layout.h), holding the window's own controls; the window
// draws through them (quorvex.css), so that both layouts are one page and a change of layout keeps
// every value and the focus. Each input box shows what a screen reader hears for it and its unit,
// and each result its meaning and unit: those words are drawn in the column only. The controls
// no row holds (a calculator's captions and units, its shapes) follow, drawn in the window only.
function columnRows(message, controls) {
  const words = (text, className) => Object.assign(document.createElement("span"), {
    className: `column-only ${className}`, textContent: text,
  });
  const rows = message.column.map((row) => {
    const element = row.part === "group" ? groupWrapper(message.groups[row.group], controls)
      : document.createElement("div");
    element.classList.add("row", `row-${row.part}`);
    const held = row.controls.map((index) => controls[index]);
    if (row.part === "input") {
      const control = message.controls[row.controls[0]];
      const caption = document.createElement("label");
      caption.className = "column-only caption";
      caption.htmlFor = control.id;
      caption.textContent = control.name;
      element.append(caption, ...held, words(control.unit, "unit"));
    } else if (row.part === "result") {
      const control = message.controls[row.controls[0]];
      const meaning = control.meaning.charAt(0).toUpperCase() + control.meaning.slice(1);
      element.append(words(meaning, "meaning"), ...held, words(control.unit, "unit"));
    } else {
      element.append(...held);
    }
    return element;
  });
  const placed = new Set(message.column.flatMap((row) => row.controls));
  const rest = document.createElement("div");
  rest.className = "row row-window";
  // A screen reader reads these from the top left, line by line.
  rest.append(...controls.map((element, index) => index).filter((index) => !placed.has(index))
    .sort((a, b) => (message.controls[a].y - message.controls[b].y) ||
      (message.controls[a].x - message.controls[b].x)).map((index) => controls[index]));
  const lastInput = rows.findLastIndex((row) => row.classList.contains("row-input"));
  if (lastInput >= 0) {
    rows.splice(lastInput + 1, 0, keyboardSwitch());
  }
  return rows.concat(rest);
}

// A group the window draws round its members, under its heading, as one for a screen reader.
function groupWrapper(group, controls) {
  const wrapper = document.createElement("div");
  wrapper.setAttribute("role", "group");
  // Named by the heading's text, not its id: while a window is on its way out (bringToFront),
  // two windows may hold the same ids.
  if (group.heading >= 0) {
    wrapper.setAttribute("aria-label", controls[group.heading].textContent);
  }
  return wrapper;
}

// The boxes bring up a phone's decimal keyboard, which may lack the signs and the exponent that a
// box also reads ("-5", "1e3"): this switches every box to the full keyboard and back.
let fullKeyboard = false;

function keyboardSwitch() {
  const row = document.createElement("div");
  row.className = "row row-keyboard column-only";
  const button = document.createElement("button");
  button.type = "button";
  button.tabIndex = -1;
  button.className = "keyboard";
  button.textContent = "Full keyboard, for \u2212 and E";
  button.setAttribute("aria-pressed", String(fullKeyboard));
  button.addEventListener("click", () => {
    fullKeyboard = !fullKeyboard;
    // Every loaded window's boxes, those behind the one in front included.
    windows.forEach(({ frame }) => {
      frame.querySelectorAll("button.keyboard").forEach((each) =>
        each.setAttribute("aria-pressed", String(fullKeyboard)));
      frame.querySelectorAll("input").forEach((box) => {
        box.inputMode = fullKeyboard ? "text" : "decimal";
      });
    });
  });
  row.append(button);
  return row;
}

// Which layout the page's style has chosen: the rule is written once, in quorvex.css.
function inColumn() {
  const layout = getComputedStyle(document.documentElement).getPropertyValue("--layout");
  return layout.trim() === "column";
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
// it only for a control without the focus (a button pressed by a tap on a phone), or where the
// browser keeps the change from the screen reader. Said both ways, the results of "Solve" were
// heard twice.
function describeAloud(element, description, spoken) {
  describe(element, description);
  if (spoken && (element !== document.activeElement || descriptionChangesUnsaid)) {
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

// A loaded screen's window, made whole before it is shown.
function openWindow(message) {
  const frame = document.createElement("section");
  frame.className = "window";
  frame.id = message.name;
  // Each window is an application to a screen reader, holding a dialog named by its title (laid
  // out as if it were not there). NVDA and JAWS pass every key to an application, so a digit typed
  // is never taken as one of their commands. Orca takes each application for a document of its
  // own and follows the focus from window to window as within a web application, saying the
  // window's title and the control. Chromium tells of the caret in the box a calculator opens with
  // just before the focus: from a place in the same document, Orca would move to the box on that
  // caret without a word and stay in browse mode (Orca 48 did so whenever it took in the caret
  // first); a caret in another document it sets aside, and it says the focus change.
  frame.setAttribute("role", "application");
  const dialog = document.createElement("div");
  dialog.className = "dialog";
  dialog.setAttribute("role", "dialog");
  dialog.setAttribute("aria-labelledby", `${message.name}-title`);
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
  client.style.setProperty("--w", `${message.width}px`);
  client.style.setProperty("--h", `${message.height}px`);
  client.style.backgroundColor = message.back;
  const controls = message.controls.map((control, index) =>
    makeControl(message.screen, control, index));
  // Labels and shapes lie below the other controls; among each, later above earlier.
  const windowless = (control) => control.kind === "label" || control.kind === "shape";
  message.controls.forEach((control, index) => {
    controls[index].style.zIndex = windowless(control) ? index : message.controls.length + index;
  });
  client.append(...columnRows(message, controls));
  dialog.append(title, client);
  frame.append(dialog);

  // A phone's Enter key goes on to the next box, and from the last presses the button after it.
  message.tabOrder.forEach((index, at) => {
    const next = message.controls[message.tabOrder[(at + 1) % message.tabOrder.length]];
    if (message.controls[index].kind === "textbox") {
      controls[index].enterKeyHint = next.kind === "textbox" ? "next" : "go";
    }
  });

  // The window shows once its faces and pictures are ready: its first frame is all of it.
  const faces = new Set(message.controls.filter((control) => control.kind !== "shape")
    .map(fontOf));
  const pictures = [...frame.querySelectorAll("img")].map((image) => image.decode().catch(() => {}));
  windows.set(message.screen, {
    frame, controls, caption: message.caption, tabOrder: message.tabOrder,
    focus: controls[message.focus],
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
        if (message.text && element.parentElement.classList.contains("row-result")) {
          shownResult = element;
        }
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
    // What the live region said ("Copied") was of the window before: read through later, it would
    // be out of date. (A screen reader says nothing of a live region emptied.)
    announcer.replaceChildren();
    document.title = front.caption;
    const focus = front.focus || front.controls[front.tabOrder[0]];
    bringToFront(front.frame, focus);
    // The column is longer than the screen: a window comes in from its top, its focus in view.
    if (inColumn()) {
      window.scrollTo(0, 0);
      focus.scrollIntoView({ block: "nearest" });
    }
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
let finishLeaving = () => {};
function bringToFront(frame, control) {
  finishLeaving();
  const old = [...desktop.children].filter((element) => element !== frame);
  const leaving = old.filter((element) => element.contains(document.activeElement));
  old.filter((element) => !leaving.includes(element)).forEach((element) => element.remove());
  leaving.forEach((element) => element.classList.add("leaving"));
  frame.classList.remove("leaving");
  desktop.prepend(frame);
  let arrived = false;
  const arrive = () => {
    if (arrived) {
      return;
    }
    arrived = true;
    control.focus({ preventScroll: true });
    // A screen reader's caret in browse mode is the page's selection: left in the old window, it
    // would be moved out as the window goes, and the screen reader would follow it.
    const selection = document.getSelection();
    if (leaving.some((element) => element.contains(selection.anchorNode))) {
      selection.removeAllRanges();
    }
  };
  const events = ["keydown", "pointerdown"];
  const remove = () => {
    arrive();
    finishLeaving = () => {};
    clearTimeout(timer);
    events.forEach((type) => document.removeEventListener(type, remove, true));
    leaving.filter((element) => element.classList.contains("leaving"))
      .forEach((element) => element.remove());
  };
  finishLeaving = remove;
  const timer = setTimeout(remove, LEAVING_MS);
  // The focus comes from another window two frames after the new one is shown: Firefox tells of
  // a dialog shown as of a window activated, and Orca 43, as it takes that in, sets the mode it
  // was in aside; taken in after the focus change, it left Orca in browse mode in the new box.
  if (leaving.length > 0) {
    requestAnimationFrame(() => requestAnimationFrame(arrive));
  } else {
    arrive();
  }
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
  } else if (event.key === "Enter" && event.target.tagName === "INPUT" && inColumn()) {
    enterKey(event);
  }
});

// Enter (a phone's Next or Go) in a box of the column layout: the focus goes on to the next
// control in the tab order, and where that is a button ("Solve" after the last box), presses it.
function enterKey(event) {
  event.preventDefault();
  const cycle = shown.tabOrder.map((index) => shown.controls[index]);
  const next = cycle[(cycle.indexOf(event.target) + 1) % cycle.length];
  next.focus();
  if (next.tagName === "BUTTON") {
    next.click();
  }
}

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

// A turn of the phone may change the layout: the box or button in use stays in view.
window.addEventListener("resize", () => {
  if (shown && shown.frame.contains(document.activeElement)) {
    document.activeElement.scrollIntoView({ block: "nearest" });
  }
});

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
