// Vellumet slide-show viewer, the show.
//
// This page owns the show: it keeps the current slide, draws the slides into
// the slide frame "vmslide" (an empty frame that shares this page's origin)
// and keeps the address ("#5") in step with the slide shown. It talks to the
// navigation bar "vmnav" only through postMessage, never by reaching into its
// document, so the viewer works from a web server and straight from disk.
// The first slide is drawn in this page itself, as a plain page would draw
// it; the slide frame is made once it is painted and draws the slides from
// the first step on, and the bar comes once the frame holds the first slide.
// Without script the page shows its own first slide, and the bar from its
// noscript part.
(function () {
  "use strict";

  var BAR = "vmnav";
  var SLIDE = "vmslide";
  var BAR_PAGE = "navbtn0.htm";
  var TEXT = {
    bar: "\u30B9\u30E9\u30A4\u30C9\u306E\u64CD\u4F5C",
    slide: "\u30B9\u30E9\u30A4\u30C9",
    missing: "\u306E\u753B\u50CF\u304C\u898B\u3064\u304B\u308A\u307E\u305B\u3093",
    empty: "\u3053\u306E\u30B9\u30E9\u30A4\u30C9\u30B7\u30E7\u30FC\u306B\u306F\u30B9\u30E9\u30A4\u30C9\u304C\u3042\u308A\u307E\u305B\u3093\u3002",
    overview: "\u30B9\u30E9\u30A4\u30C9\u4E00\u89A7"
  };
  // The slide frame is made this many milliseconds after the first slide is
  // drawn, so that making it does not compete with putting the slide on
  // screen, and the bar once the frame has drawn it; both come after
  // FRAMES_WAIT milliseconds at the latest.
  var FRAME_AFTER_PAINT = 100;
  var FRAMES_WAIT = 1000;
  // A touch that moves at least this far across, and clearly more across
  // than down, steps the show.
  var SWIPE = 40;
  // Slide frame style: the slide is scaled to fit, aspect ratio kept, centred.
  // Sideways touch moves are the show's, scrolling down and zooming the
  // browser's; the frame never scrolls the browser back in its history.
  var SLIDE_CSS =
    "html{touch-action:pan-y pinch-zoom;overscroll-behavior:none;}" +
    "html,body{margin:0;height:100%;overflow:hidden;background:#303030;color:#e4e7eb;font:16px/1.5 sans-serif;}" +
    "#vm-stage{position:fixed;left:0;top:0;right:0;bottom:0;}" +
    "#vm-stage img{position:absolute;left:0;top:0;width:100%;height:100%;" +
    "object-fit:contain;visibility:hidden;}" +
    "#vm-stage img.vm-current{visibility:visible;}" +
    "#vm-stage img[data-failed]{display:none;}" +
    "#vm-note{position:fixed;left:0;right:0;top:45%;margin:0;padding:0 1em;text-align:center;}" +
    "#vm-note:empty{display:none;}";

  var count = Show.count;
  var texts = SlideText instanceof Array ? SlideText : [];
  var row = BarEdge === "top" || BarEdge === "bottom";
  var baseTitle = document.title;
  var current = 0;
  var slideDoc = null;
  var images = {};  // slide number -> its <img> in the slide frame
  var firstImage = null;  // the first slide as this page drew it, until the first step
  var settled = false;  // the first slide is drawn: the rest of the show may come
  var swipe = null;  // where a touch that may become a swipe began
  var barFrame = null;
  var slideFrame = null;

  function noop() {}

  // Slide n's title and text, where the show has text ("" where not).
  function slideTitle(n) {
    var entry = texts[n - 1];
    return entry && typeof entry[0] === "string" ? entry[0] : "";
  }

  function slideText(n) {
    var entry = texts[n - 1];
    return entry && typeof entry[1] === "string" ? entry[1] : "";
  }

  // What a screen reader reads for slide n's image: its text, or its number.
  function slideName(n) {
    return slideText(n) || TEXT.slide + " " + n + " / " + count;
  }

  // The titles the view of all slides shows, where the show has text.
  function slideTitles() {
    var titles = {};
    for (var n = 1; n <= texts.length; n++) if (slideTitle(n)) titles[n] = slideTitle(n);
    return titles;
  }

{{> show-place.js}}

{{> keys.js}}

{{> overview.js}}

  var overview = makeOverview({
    label: TEXT.overview,
    slideName: TEXT.slide,
    count: count,
    image: function (n) {
      return Show.imageName(n);
    },
    choose: function (n) {
      go(n);
      closeOverview();
    }
  });
  if (texts.length) overview.setTitles(slideTitles());

  function frame(name, title) {
    var f = document.createElement("iframe");
    f.name = name;
    f.title = title;
    return f;
  }

  // The first slide as this page drew it goes at the first step, or when it
  // cannot be drawn: the slide frame below it shows the slides from then on.
  function dropFirst() {
    if (firstImage) firstImage.remove();
    firstImage = null;
  }

  // The slide frame, made once and on first use.
  function slideFrameMade() {
    if (!slideFrame) {
      slideFrame = frame(SLIDE, TEXT.slide);
      slideFrame.id = "vm-slide";
      slideFrame.className = "vm-area";
      document.body.insertBefore(slideFrame, document.body.firstChild);
      // A frame that reloads comes back empty and is drawn again.
      slideFrame.addEventListener("load", render);
    }
    return slideFrame;
  }

  function barWindow() {
    return barFrame ? barFrame.contentWindow : null;
  }

  // Gives the bar its frame and page, once the first slide is drawn, so
  // that its page, images and list do not hold the slide up.
  function startBar() {
    if (barFrame) return;
    barFrame = frame(BAR, TEXT.bar);
    barFrame.id = "vm-nav";
    barFrame.className = "vm-band";
    barFrame.src = BAR_PAGE;
    document.body.appendChild(barFrame);
  }

  // A row bar whose controls need more than the band the window's size gives
  // (a larger font, names instead of images) gets what they need, up to
  // half the window.
  function fitBand(size) {
    var style = document.body.style;
    style.removeProperty("--vm-band");
    if (!row || !(size > 0)) return;
    var given = parseFloat(getComputedStyle(document.body).getPropertyValue("--vm-band"));
    if (size > given) {
      style.setProperty("--vm-band", Math.min(size, Math.max(given, Math.floor(window.innerHeight / 2))) + "px");
    }
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

  function listenToTouches(target) {
    var touch = ["touchstart", "touchmove", "touchend", "touchcancel"];
    for (var i = 0; i < touch.length; i++) {
      target.addEventListener(touch[i], onTouch, { passive: touch[i] !== "touchmove" });
    }
  }

  // The slide frame's document, set up on first use. A frame that was
  // reloaded holds a fresh empty document, which is set up again.
  function slideDocument() {
    var doc = null;
    try {
      doc = slideFrameMade().contentDocument;
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
    listenToTouches(doc);
    followZoom();
    return doc;
  }

  function showNote(text) {
    var note = slideDoc && slideDoc.getElementById("vm-note");
    if (note) note.textContent = text;
  }

  function missingText(n) {
    return TEXT.slide + " " + n + " " + TEXT.missing + " (" + Show.imageName(n) + ")";
  }

  // The <img> of slide n, created (and so loaded) on first use.
  function imageFor(n) {
    var img = images[n];
    if (img) return img;
    img = slideDoc.createElement("img");
    img.alt = slideName(n);
    img.addEventListener("error", function () {
      img.setAttribute("data-failed", "");
      if (n === current) showNote(missingText(n));
    });
    img.src = new URL(Show.imageName(n), document.baseURI).href;
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

  // Calls back in the frame after the one that draws what is on screen now.
  function afterPaint(callback) {
    requestAnimationFrame(function () {
      requestAnimationFrame(callback);
    });
  }

  function neighbours(n) {
    var list = [];
    if (n + 1 <= count) list.push(n + 1);
    if (n - 1 >= 1) list.push(n - 1);
    return list;
  }

  // Shows the current slide in the slide frame (under the first slide as
  // this page drew it, until the first step). Once it is drawn its
  // neighbours are loaded and decoded, so that the next step paints at once,
  // and the bar may come.
  function render() {
    if (current < 1 || !slideDocument()) return;
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
    slideDoc.title = slideTitle(shown) || TEXT.slide + " " + shown + " / " + count;
    // The frame now holds the slide for screen readers; the page's own first
    // image stays on top until the first step, so is read only once.
    if (firstImage) firstImage.setAttribute("aria-hidden", "true");
    showNote(img.hasAttribute("data-failed") ? missingText(shown) : "");
    whenSettled(img, function () {
      afterPaint(function () {
        if (shown !== current) return;
        for (var j = 0; j < near.length; j++) {
          var other = imageFor(near[j]);
          if (other.decode) other.decode().catch(noop);
        }
        settle();
      });
    });
  }

  // The first slide is on screen: what waited for it follows.
  function settle() {
    if (settled) return;
    settled = true;
    startBar();
    if (current >= 1) remember();
  }

  // Tells the bar where the show stands, and this page's file name, so that
  // pages opened from the bar can lead back here.
  function announce() {
    var win = barWindow();
    if (win) {
      win.postMessage({
        vellumet: 1, command: "at", slide: current, count: count, page: pageName(location),
        overview: overview.isOpen()
      }, "*");
    }
  }

  // Keeps the address on the current slide, so a reload keeps the place and
  // the address can be shared; replacing the state does not reload the page.
  // Once the show has settled the place is also kept for the player page,
  // which leads back to it.
  function remember() {
    document.title = (slideTitle(current) || baseTitle) + " (" + current + " / " + count + ")";
    if (location.hash !== "#" + current) {
      try {
        history.replaceState(history.state, "", "#" + current);
      } catch (e) {
        // Some browsers refuse this on pages opened from disk; the show goes on.
      }
    }
    if (!settled) return;
    try {
      window.localStorage.setItem(showKey(location), pageName(location) + "#" + current);
    } catch (e) {
      // Without storage the player page finds its way back by other means.
    }
  }

  function go(n) {
    if (count < 1) return;
    n = Show.clamp(n);
    if (n === current) return;
    current = n;
    dropFirst();
    render();
    announce();
    remember();
  }

  function openOverview() {
    var img = images[current] || firstImage;
    overview.open(current, img && img.naturalWidth ? img.naturalWidth / img.naturalHeight : 0);
    document.documentElement.classList.add("vm-overview-open");
    announce();
  }

  function closeOverview() {
    if (!overview.isOpen()) return;
    overview.close();
    document.documentElement.classList.remove("vm-overview-open");
    // The keys go on working on the slide shown.
    if (slideFrame) slideFrame.focus();
    announce();
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

  // A command from a key, a swipe or the bar. Stepping through the show
  // closes the view of all slides.
  function run(command, slide) {
    switch (command) {
      case "first": closeOverview(); go(1); break;
      case "prev": closeOverview(); go(current - 1); break;
      case "next": closeOverview(); go(current + 1); break;
      case "last": closeOverview(); go(count); break;
      case "go": closeOverview(); go(slide); break;
      case "overview": if (overview.isOpen()) closeOverview(); else openOverview(); break;
      case "close": closeOverview(); break;
      case "fullscreen": toggleFullScreen(); break;
      case "hello": announce(); break;
    }
  }

  // While the view of all slides is open its own keys move among the
  // thumbnails; of the show's keys only those that close it still count.
  function onKey(e) {
    var command = keyCommand(e);
    if (!command) return;
    if (command === "close" ? !overview.isOpen() : overview.isOpen() && command !== "overview") return;
    e.preventDefault();
    run(command);
  }

  // Messages from the bar: a command, the slides' titles, or the height a
  // row bar needs.
  window.addEventListener("message", function (e) {
    var data = e.data;
    if (!barWindow() || e.source !== barWindow() || !data || data.vellumet !== 1) return;
    if (data.command === "size") fitBand(Math.ceil(Number(data.size)));
    else if (data.command === "titles") overview.setTitles(data.titles);
    else run(data.command, data.slide);
  });

  document.addEventListener("keydown", onKey, true);
  window.addEventListener("hashchange", function () {
    go(Show.fromAddress());
  });
  if (window.visualViewport) window.visualViewport.addEventListener("resize", followZoom);
  window.addEventListener("beforeprint", overview.loadAll);
  if (count < 1) {
    if (slideDocument()) showNote(TEXT.empty);
    settle();
  } else {
    current = Show.firstSlide;
    firstImage = Show.firstImage;
    firstImage.alt = slideName(current);
    listenToTouches(firstImage);
    var started = false;
    var start = function () {
      if (started) return;
      started = true;
      render();
    };
    // Whether it failed before this script ran or fails later, a first
    // slide that cannot be drawn leaves the frame to say so at once.
    var drawn = firstImage;
    whenSettled(drawn, function () {
      if (drawn.naturalWidth) {
        afterPaint(function () {
          setTimeout(start, FRAME_AFTER_PAINT);
        });
        return;
      }
      dropFirst();
      start();
    });
    setTimeout(function () {
      start();
      settle();
    }, FRAMES_WAIT);
  }
})();
