// The show's slides, for both scripts of the page: how many there are, the
// image of each, the slide the address names, and the first slide shown
// (firstSlide, 0 when the show has none) with its image: the page's own first
// slide, turned into the slide the address names.
var Show = (function () {
  "use strict";

  var count = Math.floor(Number(LastSlide));
  if (!(count >= 1)) count = 0;
  var ext = String(SlideExt);

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

  // "#5" shows slide 5; a number beyond the last shows the last, anything
  // else the first.
  function fromAddress() {
    var m = /^#(\d+)$/.exec(location.hash);
    return m ? clamp(m[1]) : 1;
  }

  var firstSlide = count >= 1 ? fromAddress() : 0;
  var firstImage = document.getElementById("vm-first-slide");
  if (firstSlide) {
    if (firstSlide !== 1) firstImage.src = imageName(firstSlide);
    firstImage.alt = "\u30B9\u30E9\u30A4\u30C9 " + firstSlide + " / " + count;
  } else {
    firstImage.remove();
    firstImage = null;
  }
  return {
    count: count, imageName: imageName, clamp: clamp, fromAddress: fromAddress,
    firstSlide: firstSlide, firstImage: firstImage
  };
})();
