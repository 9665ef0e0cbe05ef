(function () {
  "use strict";

  var BAR = "vmnav";
  var SLIDE = "vmslide";
  var BAR_PAGE = "navbtn0.htm";
  var TEXT = {
    bar: "\u30B9\u30E9\u30A4\u30C9\u306E\u64CD\u4F5C",
    slide: "\u30B9\u30E9\u30A4\u30C9",
    missing: "\u306E\u753B\u50CF\u304C\u898B\u3064\u304B\u308A\u307E\u305B\u3093",
    empty: "\u3053\u306E\u30B9\u30E9\u30A4\u30C9\u30B7\u30E7\u30FC\u306B\u306F\u30B9\u30E9\u30A4\u30C9\u304C\u3042\u308A\u307E\u305B\u3093\u3002"
  };
  // The band that holds the bar, in CSS pixels. A column is narrower in a
  // small window; a row is as tall as the bar says it needs at its width,
  // guessed until the bar has said so.
  var BAND = {
    column: {{column}}, narrowColumn: {{narrow-column}},
    row: {{row}}, wrappedRow: {{wrapped-row}}, smallWindow: {{small-window}}
  };
  // The bar's page is loaded once the first slide is drawn, or after this
  // many milliseconds if the slide takes longer.
  var BAR_WAIT = 1000;
  // A touch that moves at least this far across, and clearly more across
  // than down, steps the show.
  var SWIPE = 40;
  // Slide frame style: the slide is scaled to fit, aspect ratio kept, centred.
  // Sideways touch moves are the show's, scrolling down and zooming the
  // browser's; the frame never scrolls the browser back in its history.
  var SLIDE_CSS =
    "html{touch-action:pan-y pinch-zoom;overscroll-behavior:none;}" +
    "html,body{margin:0;height:100%;overflow:hidden;background:#303030;}" +
    "#vm-stage{position:fixed;left:0;top:0;right:0;bottom:0;}" +
    "#vm-stage img{position:absolute;left:0;top:0;width:100%;height:100%;" +
    "object-fit:contain;visibility:hidden;}" +
    "#vm-stage img.vm-current{visibility:visible;}" +
    "#vm-stage img[data-failed]{display:none;}" +
    "#vm-note{position:fixed;left:0;right:0;top:45%;margin:0;padding:0 1em;" +
    "text-align:center;color:#e4e7eb;font:16px/1.5 sans-serif;}" +
    "#vm-note:empty{display:none;}";

  var count = Math.floor(Number(LastSlide));
  if (!(count >= 1)) count = 0;
  var ext = String(SlideExt);
  var column = BarEdge === "left" || BarEdge === "right";
  var barFirst = BarEdge === "left" || BarEdge === "top";
  var baseTitle = document.title;
  var current = 0;
  var slideDoc = null;
  var images = {};  // slide number -> its <img> in the slide frame
  var rowHeight = 0;  // the height the bar asked for; 0 until it has
  var barStarted = false;
  var swipe = null;  // where a touch that may become a swipe began
  var barFrame = null;
  var slideFrame = null;

  function noop() {}

{{> show-place.js}}

{{> keys.js}}

  // "img" + the slide number in at least three digits + the extension.
  function imageName(n) {
    var digits = String(n);
    while (digits.length < 3) digits = "0" + digits;
    return "img" + digits + "." + ext;
  }

  function clamp(n) {
    n = Math.floor(Number(n));
    if (!(n >= 1)) return 1;
    return n > count ? count : n;
  }

  function slideFromAddress() {
    var m = /^#(\d+)$/.exec(location.hash);
    return m ? clamp(m[1]) : 1;
  }

  function bandSize() {
    var small = window.innerWidth < BAND.smallWindow;
    if (column) return small ? BAND.narrowColumn : BAND.column;
    var height = rowHeight || (small ? BAND.wrappedRow : BAND.row);
    return Math.min(height, Math.max(BAND.row, Math.floor(window.innerHeight / 2)));
  }

  function split() {
    var size = bandSize();
    return barFirst ? size + ",*" : "*," + size;
  }

  // Writes the frames this script drives while the page is still being
  // read; the parser then passes over the page's own frameset. The bar frame
  // starts empty (see startBar).
  function writeFrames() {
    var bar = '<frame name="' + BAR + '" title="' + TEXT.bar + '" noresize>';
    var slide = '<frame name="' + SLIDE + '" title="' + TEXT.slide + '" scrolling="no" noresize>';
    document.write(
      "<frameset " + (column ? "cols" : "rows") + '="' + split() + '"' +
      ' frameborder="0" border="0" framespacing="0">' +
      (barFirst ? bar + slide : slide + bar) + "</frameset>");
    barFrame = document.querySelector('frame[name="' + BAR + '"]');
    slideFrame = document.querySelector('frame[name="' + SLIDE + '"]');
    // Until its page comes, the bar's empty frame has the bar's colour.
    try {
      barFrame.contentDocument.documentElement.style.background = "{{bar-colour}}";
    } catch (e) {
      // Nothing to colour: the frame already holds another page.
    }
  }

  // Keeps the band as thick as the window and the bar need.
  function fitBand() {
    var frameset = document.querySelector("frameset");
    var name = column ? "cols" : "rows";
    var value = split();
    if (frameset && frameset.getAttribute(name) !== value) frameset.setAttribute(name, value);
  }

  function barWindow() {
    return barFrame ? barFrame.contentWindow : null;
  }

  // Gives the bar frame its page, once. Until the first slide is drawn the
  // bar waits, so that its page, images and list do not hold the slide up.
  // A bar the browser has brought back (a reload) is kept.
  function startBar() {
    if (barStarted || !barFrame) return;
    barStarted = true;
    var blank = true;
    try {
      blank = barFrame.contentWindow.location.href === "about:blank";
    } catch (e) {
      blank = false;
    }
    if (blank) barFrame.src = BAR_PAGE;
  }

  function zoomedIn() {
    var view = window.visualViewport;
    return !!view && view.scale > 1.01;
  }

  // While the page is zoomed in, moving across pans it, as everywhere.
  function followZoom() {
    if (slideDoc) slideDoc.documentElement.style.touchAction = zoomedIn() ? "auto" : "";
  }

  // A swipe across the slide: right to left is next, left to right previous.
  // A move that is more across than down is kept from the browser, so that
  // it neither scrolls nor flings nor goes back in the history.
  function onTouch(e) {
    if (e.type === "touchstart") {
      var t = e.touches[0];
      swipe = e.touches.length === 1 && !zoomedIn() ? { x: t.clientX, y: t.clientY } : null;
      return;
    }
    if (e.type === "touchmove") {
      var now = e.touches[0];
      if (swipe && e.touches.length === 1 && Math.abs(now.clientX - swipe.x) > Math.abs(now.clientY - swipe.y)) {
        e.preventDefault();
      }
      return;
    }
    var start = swipe;
    swipe = null;
    if (e.type !== "touchend" || !start || e.touches.length > 0) return;
    var end = e.changedTouches[0];
    var dx = end.clientX - start.x;
    var dy = end.clientY - start.y;
    if (Math.abs(dx) >= SWIPE && Math.abs(dx) > 2 * Math.abs(dy)) run(dx < 0 ? "next" : "prev");
  }

  // The slide frame's document, set up on first use. A frame that was
  // reloaded holds a fresh empty document, which is set up again.
  function slideDocument() {
    var doc = null;
    try {
      doc = slideFrame ? slideFrame.contentDocument : null;
    } catch (e) {
      doc = null;
    }
    if (!doc) return null;
    if (doc === slideDoc) return doc;

    slideDoc = doc;
    images = {};
    var root = doc.documentElement || doc.appendChild(doc.createElement("html"));
    root.setAttribute("lang", "ja");
    var head = doc.head || root.insertBefore(doc.createElement("head"), root.firstChild);
    var body = doc.body || root.appendChild(doc.createElement("body"));
    var style = doc.createElement("style");
    style.textContent = SLIDE_CSS;
    head.appendChild(style);
    var stage = doc.createElement("div");
    stage.id = "vm-stage";
    body.appendChild(stage);
    var note = doc.createElement("p");
    note.id = "vm-note";
    note.setAttribute("role", "status");
    body.appendChild(note);
    doc.addEventListener("keydown", onKey, true);
    var touch = ["touchstart", "touchmove", "touchend", "touchcancel"];
    for (var i = 0; i < touch.length; i++) {
      doc.addEventListener(touch[i], onTouch, { passive: touch[i] !== "touchmove" });
    }
    followZoom();
    return doc;
  }

  function showNote(text) {
    var note = slideDoc && slideDoc.getElementById("vm-note");
    if (note) note.textContent = text;
  }

  function missingText(n) {
    return TEXT.slide + " " + n + " " + TEXT.missing + " (" + imageName(n) + ")";
  }

  // The <img> of slide n, created (and so loaded) on first use.
  // The <img> of slide n, created (and so loaded) on first use.
  function imageFor(n) {
    var img = images[n];
    if (img) return img;
    img = slideDoc.createElement("img");
    img.alt = TEXT.slide + " " + n + " / " + count;
    img.addEventListener("error", function () {
      img.setAttribute("data-failed", "");
      if (n === current) showNote(missingText(n));
    });
    img.src = new URL(imageName(n), document.baseURI).href;
    slideDoc.getElementById("vm-stage").appendChild(img);
    images[n] = img;
    return img;
  }

  // Calls back once the image has loaded or failed.
  function whenSettled(img, callback) {
    if (img.complete) {
      callback();
      return;
    }
    function done() {
      img.removeEventListener("load", done);
      img.removeEventListener("error", done);
      callback();
    }
    img.addEventListener("load", done);
    img.addEventListener("error", done);
  }

  function neighbours(n) {
    var list = [];
    if (n + 1 <= count) list.push(n + 1);
    if (n - 1 >= 1) list.push(n - 1);
    return list;
  }

  // Shows the current slide. Once it is drawn its neighbours are loaded and
  // decoded, so that the next step paints at once, and the bar may come.
  function render() {
    if (!slideDocument() || current < 1) return;
    var shown = current;
    var img = imageFor(shown);
    var keep = {};
    keep[shown] = true;
    var near = neighbours(shown);
    for (var i = 0; i < near.length; i++) keep[near[i]] = true;
    for (var key in images) {
      if (!keep[key]) {
        images[key].remove();
        delete images[key];
      } else {
        images[key].className = Number(key) === shown ? "vm-current" : "";
      }
    }
    slideDoc.title = img.alt;
    showNote(img.hasAttribute("data-failed") ? missingText(shown) : "");
    // In the frame after the one that draws the slide: its neighbours, then
    // the bar (the first time), so that neither holds the slide up.
    whenSettled(img, function () {
      requestAnimationFrame(function () {
        requestAnimationFrame(function () {
          if (shown === current) {
            for (var j = 0; j < near.length; j++) {
              var other = imageFor(near[j]);
              if (other.decode) other.decode().catch(noop);
            }
          }
          startBar();
        });
      });
    });
  }

  // Tells the bar where the show stands, and this page's file name, so that
  // pages opened from the bar can lead back here.
  function announce() {
    var win = barWindow();
    if (win) {
      win.postMessage({ vellumet: 1, command: "at", slide: current, count: count, page: pageName(location) }, "*");
    }
  }

  // Keeps the address on the current slide, so a reload keeps the place and
  // the address can be shared. Replacing the state does not reload the frames.
  function remember() {
    document.title = baseTitle + " (" + current + " / " + count + ")";
    if (location.hash === "#" + current) return;
    try {
      history.replaceState(history.state, "", "#" + current);
    } catch (e) {
      // Some browsers refuse this on pages opened from disk; the show goes on.
    }
  }

  function go(n) {
    if (count < 1) return;
    n = clamp(n);
    if (n === current) return;
    current = n;
    render();
    announce();
    remember();
  }

  function toggleFullScreen() {
    var doc = document;
    try {
      if (doc.fullscreenElement) {
        if (doc.exitFullscreen) doc.exitFullscreen().catch(noop);
      } else if (doc.documentElement.requestFullscreen) {
        doc.documentElement.requestFullscreen().catch(noop);
      }
    } catch (e) {
      // Full screen is not available here.
    }
  }

  function run(command, slide) {
    switch (command) {
      case "first": go(1); break;
      case "prev": go(current - 1); break;
      case "next": go(current + 1); break;
      case "last": go(count); break;
      case "go": go(slide); break;
      case "fullscreen": toggleFullScreen(); break;
      case "hello": announce(); break;
    }
  }

  function onKey(e) {
    var command = keyCommand(e);
    if (!command) return;
    e.preventDefault();
    run(command);
  }

  // Messages from the bar: a command, or the height a row bar needs.
  window.addEventListener("message", function (e) {
    var data = e.data;
    if (!barWindow() || e.source !== barWindow() || !data || data.vellumet !== 1) return;
    if (data.command === "size") {
      var size = Math.ceil(Number(data.size));
      if (size > 0) {
        rowHeight = size;
        fitBand();
      }
      return;
    }
    run(data.command, data.slide);
  });

  writeFrames();
  document.addEventListener("keydown", onKey, true);
  window.addEventListener("hashchange", function () {
    go(slideFromAddress());
  });
  window.addEventListener("resize", fitBand);
  if (window.visualViewport) window.visualViewport.addEventListener("resize", followZoom);
  if (slideFrame) slideFrame.addEventListener("load", render);
  try {
    window.localStorage.setItem(showKey(location), pageName(location));
  } catch (e) {
    // Without storage the player page finds its way back by other means.
  }
  setTimeout(startBar, BAR_WAIT);
  if (count < 1) {
    if (slideDocument()) showNote(TEXT.empty);
    startBar();
  } else {
    go(slideFromAddress());
  }
})();
