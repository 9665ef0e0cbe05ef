  // Keys that move through the show, whichever frame has the focus, open and
  // close the view of all slides.
  var KEYS = {
    ArrowRight: "next", ArrowDown: "next", PageDown: "next", " ": "next",
    ArrowLeft: "prev", ArrowUp: "prev", PageUp: "prev", Backspace: "prev",
    Home: "first", End: "last", g: "overview", G: "overview", Escape: "close"
  };

  // The show's command for a key press, or null when the key is left to the
  // browser (with Alt, Ctrl or Meta held, or while an input method composes).
  function keyCommand(e) {
    if (e.altKey || e.ctrlKey || e.metaKey || e.isComposing) return null;
    var command = KEYS[e.key] || null;
    if (command === "next" && e.key === " " && e.shiftKey) command = "prev";
    return command;
  }
