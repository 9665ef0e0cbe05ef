  // Where a viewer page remembers, for the player page, which entry page
  // shows the show of its folder: a storage key per folder, and the entry
  // page's file name as a relative address ("./" when the folder itself).
  function showKey(loc) {
    var path = loc.pathname;
    return "vellumet-show:" + loc.protocol + "//" + loc.host + path.slice(0, path.lastIndexOf("/") + 1);
  }

  function pageName(loc) {
    var path = loc.pathname;
    return path.slice(path.lastIndexOf("/") + 1) || "./";
  }
