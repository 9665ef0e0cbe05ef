  // The view of all slides, over the slide frame: a thumbnail of every slide,
  // each a link to it ("#5") named for screen readers "slideName n" and the
  // slide's title where the show has one. Thumbnails are fetched only as
  // they come into view; printing the view prints every slide, one a page.
  // The arrow keys, Home, End, PageUp and PageDown move among the
  // thumbnails, Enter or Space opens one.
  //   options: { label, slideName, count, image(n) -> URL of slide n,
  //              choose(n): a thumbnail was chosen }
  // Returns { open(current, ratio), close(), isOpen(), setTitles(titles),
  // loadAll() }; ratio is the slides' width / height (0: not known yet).
  function makeOverview(options) {
    var view = null;
    var links = [];  // slide n's link at n - 1
    var titles = {};  // slide number -> its title, where the show has text
    var observer = null;
    var shown = false;

    function name(n) {
      return options.slideName + " " + n + (titles[n] ? " " + titles[n] : "");
    }

    function caption(n) {
      return titles[n] ? n + " " + titles[n] : String(n);
    }

    function load(link) {
      var img = link.firstChild;
      if (!img.getAttribute("src")) img.src = options.image(Number(link.getAttribute("data-slide")));
      if (observer) observer.unobserve(link);
    }

    function build() {
      view = document.createElement("nav");
      view.id = "vm-overview";
      view.className = "vm-area";
      view.setAttribute("aria-label", options.label);
      view.hidden = true;
      var list = document.createElement("ol");
      if (window.IntersectionObserver) {
        observer = new IntersectionObserver(function (entries) {
          for (var i = 0; i < entries.length; i++) if (entries[i].isIntersecting) load(entries[i].target);
        }, { root: view, rootMargin: "10% 0px" });
      }
      for (var n = 1; n <= options.count; n++) {
        var item = document.createElement("li");
        var link = document.createElement("a");
        link.className = "vm-thumb";
        link.href = "#" + n;
        link.tabIndex = -1;
        link.setAttribute("data-slide", String(n));
        link.setAttribute("aria-label", name(n));
        var img = document.createElement("img");
        img.alt = "";
        img.decoding = "async";
        var text = document.createElement("span");
        text.className = "vm-caption";
        text.textContent = caption(n);
        link.appendChild(img);
        link.appendChild(text);
        item.appendChild(link);
        list.appendChild(item);
        links.push(link);
        if (observer) observer.observe(link);
        else load(link);
      }
      view.appendChild(list);
      view.addEventListener("click", onClick);
      view.addEventListener("keydown", onKey);
      document.body.appendChild(view);
    }

    function slideOf(target) {
      var link = target && target.closest ? target.closest(".vm-thumb") : null;
      return link ? Number(link.getAttribute("data-slide")) : 0;
    }

    // A plain click or tap opens the slide here; with a modifier or another
    // button the link does what links do (a new tab at that slide).
    function onClick(e) {
      var n = slideOf(e.target);
      if (!n || e.button !== 0 || e.ctrlKey || e.metaKey || e.shiftKey || e.altKey) return;
      e.preventDefault();
      options.choose(n);
    }

    // Thumbnails in a row of the grid as it is laid out now.
    function columns() {
      var top = links[0].offsetTop;
      var n = 1;
      while (n < links.length && links[n].offsetTop === top) n++;
      return n;
    }

    function focusSlide(n) {
      n = Math.max(1, Math.min(options.count, n));
      for (var i = 0; i < links.length; i++) {
        if (links[i].tabIndex === 0 && i !== n - 1) links[i].tabIndex = -1;
      }
      var link = links[n - 1];
      link.tabIndex = 0;
      link.focus();
    }

    function onKey(e) {
      var n = slideOf(e.target);
      if (!n || e.altKey || e.ctrlKey || e.metaKey) return;
      var across = columns();
      var page = Math.max(1, Math.floor(view.clientHeight / links[0].offsetHeight)) * across;
      var to = {
        ArrowRight: n + 1, ArrowLeft: n - 1, ArrowDown: n + across, ArrowUp: n - across,
        PageDown: n + page, PageUp: n - page, Home: 1, End: options.count
      }[e.key];
      if (to) {
        e.preventDefault();
        focusSlide(to);
      } else if (e.key === " ") {
        e.preventDefault();
        options.choose(n);
      }
    }

    return {
      open: function (current, ratio) {
        if (!view) build();
        if (ratio > 0) view.style.setProperty("--vm-ratio", String(ratio));
        for (var i = 0; i < links.length; i++) links[i].removeAttribute("aria-current");
        var link = links[current - 1];
        link.setAttribute("aria-current", "true");
        view.hidden = false;
        shown = true;
        focusSlide(current);
        link.scrollIntoView({ block: "center" });
      },
      close: function () {
        if (view) view.hidden = true;
        shown = false;
      },
      isOpen: function () {
        return shown;
      },
      // titles: slide number -> its text
      setTitles: function (list) {
        titles = list || {};
        for (var i = 0; i < links.length; i++) {
          links[i].setAttribute("aria-label", name(i + 1));
          links[i].lastChild.textContent = caption(i + 1);
        }
      },
      // Every thumbnail, for printing.
      loadAll: function () {
        if (shown) for (var i = 0; i < links.length; i++) load(links[i]);
      }
    };
  }
