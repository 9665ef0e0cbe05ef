// Vellumet slide-show viewer, navigation bar.
//
// The bar never touches the entry page's document: it sends commands with
// parent.postMessage and shows where the show stands when the entry page
// tells it, which works from a web server and straight from disk alike. It
// also hands the entry page the slides' titles from its slide list, and a
// bar laid out as a row tells the entry page how tall it needs to be.
(function () {
  "use strict";

  var framed = window.parent !== window;
  var bar = document.getElementById("vm-bar");
  var counter = document.getElementById("vm-count");
  var list = document.getElementById("vm-list");
  var row = document.body.classList.contains("vm-row");
  var count = 0;
  var reported = 0;
  var overviewOpen = false;

{{> keys.js}}

  function post(message) {
    message.vellumet = 1;
    if (framed) window.parent.postMessage(message, "*");
  }

  function send(command, slide) {
    post({ command: command, slide: slide });
  }

  // A row wraps in a narrow window; the entry page then makes its band as
  // tall as the rows are.
  function reportSize() {
    var size = Math.ceil(bar.getBoundingClientRect().height);
    if (size === reported) return;
    reported = size;
    post({ command: "size", size: size });
  }

  function mark(id, atEnd) {
    var button = document.getElementById(id);
    if (button) button.setAttribute("aria-disabled", atEnd ? "true" : "false");
  }

  function show(slide) {
    counter.textContent = (slide >= 1 ? slide : "-") + " / " + count;
    if (slide >= 1) list.value = String(slide);
    mark("vm-first", slide <= 1);
    mark("vm-prev", slide <= 1);
    mark("vm-next", slide >= count);
    mark("vm-last", slide >= count);
  }

  // A button whose image is missing shows its name as text instead.
  function labelIfBroken(img) {
    var button = img.parentNode;
    if (!button.querySelector(".vm-label")) {
      var label = document.createElement("span");
      label.className = "vm-label";
      label.textContent = img.alt;
      button.appendChild(label);
    }
    function check() {
      if (img.complete && img.naturalWidth === 0) button.classList.add("vm-noimg");
      else button.classList.remove("vm-noimg");
    }
    img.addEventListener("error", check);
    img.addEventListener("load", check);
    check();
  }

  // On a button or link, Space and Enter press it (a link takes Space only
  // from here); the slide list keeps all its keys. Elsewhere the keys move
  // through the show.
  function onKey(e) {
    var command = keyCommand(e);
    if (!command || e.target === list || (command === "close" && !overviewOpen)) return;
    var control = e.target && e.target.closest ? e.target.closest(".vm-btn") : null;
    if (control && (e.key === " " || e.key === "Enter")) {
      if (e.key === " " && control.tagName === "A") {
        e.preventDefault();
        if (!e.repeat) control.click();
      }
      return;
    }
    e.preventDefault();
    send(command);
  }

  // The slides' titles, where the slide list gives them: an entry "5 Title"
  // gives slide 5 the title "Title"; an entry of just the number, none.
  function titles() {
    var found = {};
    var any = false;
    for (var i = 0; i < list.options.length; i++) {
      var m = /^\s*(\d+)\s+(\S[\s\S]*?)\s*$/.exec(list.options[i].text);
      if (m) {
        found[m[1]] = m[2];
        any = true;
      }
    }
    return any ? found : null;
  }

  // slides: the number of slides; slide: the slide shown before the entry
  // page reports one (0: none yet).
  function setup(slides, slide) {
    count = Math.floor(Number(slides));
    if (!(count >= 0)) count = 0;
    show(slide);

    var images = document.querySelectorAll(".vm-btn img");
    for (var i = 0; i < images.length; i++) labelIfBroken(images[i]);

    var buttons = document.querySelectorAll("[data-command]");
    for (var j = 0; j < buttons.length; j++) {
      buttons[j].addEventListener("click", function (e) {
        e.preventDefault();
        if (this.getAttribute("aria-disabled") !== "true") send(this.getAttribute("data-command"));
      });
    }
    list.addEventListener("change", function () {
      send("go", Number(list.value));
    });
    document.addEventListener("keydown", onKey, true);

    // The site's top page only exists on a web server.
    var top = document.getElementById("vm-top");
    if (top && location.protocol === "file:") {
      top.setAttribute("aria-disabled", "true");
      top.addEventListener("click", function (e) {
        e.preventDefault();
      });
    }

    window.addEventListener("message", function (e) {
      var data = e.data;
      if (!framed || e.source !== window.parent || !data || data.vellumet !== 1) return;
      if (data.command === "at") {
        count = data.count;
        show(data.slide);
        overviewOpen = !!data.overview;
        var overview = document.getElementById("vm-overview");
        if (overview) overview.setAttribute("aria-pressed", overviewOpen ? "true" : "false");
        // The player page's way back: the entry page at the slide shown.
        var player = document.getElementById("vm-player");
        if (player && typeof data.page === "string" && data.page) {
          player.hash = "from=" + encodeURIComponent(data.page + "#" + data.slide);
        }
      }
    });

    if (row) {
      if (window.ResizeObserver) new ResizeObserver(reportSize).observe(bar);
      else window.addEventListener("resize", reportSize);
      reportSize();
    }
    send("hello");
    var named = titles();
    if (named) post({ command: "titles", titles: named });
  }

  setup(0,0);
})();
