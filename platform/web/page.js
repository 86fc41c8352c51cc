// The page side of the browser backend (web_backend.cpp): the canvas that is the
// game's window, the pointer and left button from Pointer Events, the keys, the
// gamepads (read by the game's side, web_pads.cpp, while one is connected), the timers
// that run the game's frame on and look at the pads, and the line the page shows once
// the game has ended.
// The game talks in game pixels; each is physical / game CSS pixels of the page, the
// ratio the backend passes in: a whole factor, or less than one where the viewport is
// too small for the game.
mergeInto(LibraryManager.library, {
  $QuelmoPage: {
    canvas: null,
    context: null,
    x: 0,              // the pointer in CSS pixels of the viewport, as the browser gives
                       // it (with any fraction); (0, 0) until it is first seen
    y: 0,
    log: null,         // quelmoFrameLog, when the query asks for it
    channel: null,     // the channel that starts short timers afresh (see wake_after)
    timer: null,       // the pending wake's timer, if any
    pending: false,    // a wake is pending (a timer or a message on its way)
    hopMs: 0,          // the timer a message starts, for a short wait
    firstFrame: true,
    listening: false,
    // The pointer the game reads: the mouse anywhere on the page, as on a desktop, and
    // a finger only from the moment it touches the game until it is lifted, so that
    // fingers beside the game (on the page, its choices, the on-screen pad) never move
    // the game's pointer nor let go of its button.
    finger: null,      // the pointerId of the finger on the game, while one is
    ours: function(event) {
      return event.pointerType === 'touch' ? event.pointerId === QuelmoPage.finger : event.isPrimary;
    },
    moveTo: function(event) {
      QuelmoPage.x = event.clientX;
      QuelmoPage.y = event.clientY;
      // The real pointer takes over from the keyboard's.
      if (QuelmoPage.marker) QuelmoPage.marker.hidden = true;
    },
    follow: function(event) {
      if (!QuelmoPage.ours(event)) return;
      QuelmoPage.moveTo(event);
      QuelmoPage.input();
    },
    marker: null,      // the pointer the page draws where the keyboard puts the game's
    // A key: the game's keys are the game's alone (the page neither scrolls nor moves
    // its focus for them).
    key: function(event) {
      if (event.altKey || event.ctrlKey || event.metaKey) return;
      var taken = 0;
      callUserCallback(function() {
        var stack = stackSave();
        taken = _quelmo_page_key(allocateUTF8OnStack(event.key), event.type === 'keydown' ? 1 : 0,
                                 event.repeat ? 1 : 0, event.shiftKey ? 1 : 0);
        stackRestore(stack);
      });
      if (!taken) return;
      event.preventDefault();
      QuelmoPage.input();
    },
    // Something a frame could see came: a game that stands still goes on.
    input: function() { callUserCallback(_quelmo_page_input); },
    // The left button anywhere on the page, as on a desktop; a finger only where it
    // touches the game, and only one at a time: a second finger is ignored.  The
    // pointer goes to the finger before the button goes down, so that the frame that
    // sees the press sees it where it happened, and the game is woken once both are.
    press: function(event) {
      var page = QuelmoPage;
      if (event.button !== 0) return;
      if (event.pointerType === 'touch') {
        if (event.target !== page.canvas || page.finger !== null) return;
        page.finger = event.pointerId;
      } else if (!event.isPrimary) {
        return;
      }
      page.moveTo(event);
      _quelmo_page_button(1);
      if (event.target === page.canvas) {
        // The release is seen even outside the canvas or the page.
        page.canvas.setPointerCapture(event.pointerId);
        event.preventDefault();
      }
      page.input();
    },
    // One line of text where the game was.
    showLine: function(text) {
      var line = document.createElement('p');
      line.className = 'ended';
      line.textContent = text;
      document.body.appendChild(line);
      return line;
    },
    release: function(event) {
      var page = QuelmoPage;
      if (!page.ours(event) || (event.type === 'pointerup' && event.button !== 0)) return;
      // A cancelled pointer (the system took the finger) says nothing of where it was.
      if (event.type === 'pointerup') page.moveTo(event);
      if (event.pointerType === 'touch') page.finger = null;
      _quelmo_page_button(0);
      page.input();
    },
    // The pending wake's time has come.
    fire: function() {
      var page = QuelmoPage;
      page.timer = null;
      if (!page.pending) return;
      page.pending = false;
      callUserCallback(_quelmo_page_wake);
    },
    hop: function() {
      var page = QuelmoPage;
      if (page.hopMs > 0) page.timer = setTimeout(page.fire, page.hopMs); else page.fire();
    },
    padTimer: null,    // the timer of the next look at the gamepads, if any
    // The keys for thumbs: each finger (or the mouse) on one holds its input until it
    // is lifted, wherever it has slid meanwhile; never the game's pointer or button.
    thumbsHeld: {},    // by pointerId: the standard button number held
    thumbDown: function(event) {
      var page = QuelmoPage;
      var number = Number(event.currentTarget.dataset.number);
      event.preventDefault();
      event.stopPropagation();
      if (event.button !== 0 || event.pointerId in page.thumbsHeld) return;
      event.currentTarget.setPointerCapture(event.pointerId);
      event.currentTarget.classList.add('held');
      page.thumbsHeld[event.pointerId] = number;
      callUserCallback(function() { _quelmo_page_thumb(number, 1); });
    },
    thumbUp: function(event) {
      var page = QuelmoPage;
      if (!(event.pointerId in page.thumbsHeld)) return;
      event.stopPropagation();
      var number = page.thumbsHeld[event.pointerId];
      delete page.thumbsHeld[event.pointerId];
      // Two fingers on one key: it is held until both are lifted.
      for (var id in page.thumbsHeld) if (page.thumbsHeld[id] === number) return;
      event.currentTarget.classList.remove('held');
      callUserCallback(function() { _quelmo_page_thumb(number, 0); });
    },
    // The room the page leaves round the game as it opens (at its size, centred), in CSS
    // pixels: the viewport, the game, the top of the choices in the bottom left corner
    // and the bottom of the recordings' links in the top right one, the game's top and
    // bottom, and the width beside it on either side.
    room: function() {
      var canvas = QuelmoPage.canvas, choices = document.getElementById('choices');
      var files = document.getElementById('files');
      var width = innerWidth, height = innerHeight;
      var gameWidth = parseFloat(canvas.style.width), gameHeight = parseFloat(canvas.style.height);
      return {width: width, height: height, gameWidth: gameWidth, gameHeight: gameHeight,
              choicesTop: choices ? choices.getBoundingClientRect().top : height,
              filesBottom: files ? files.getBoundingClientRect().bottom : 0,
              gameTop: (height - gameHeight) / 2, belowTop: (height + gameHeight) / 2,
              besideWidth: (width - gameWidth) / 2};
    },
    placedFor: '',     // the viewport and game size the page was laid out for
    // Lays out what the page shows round the game, once for each size of the viewport
    // and the game: the keys for thumbs first, then the guide in the room they leave.
    placeAround: function() {
      var page = QuelmoPage;
      if (!page.canvas) return;
      var touch = matchMedia('(any-pointer: coarse)').matches;
      var key = [innerWidth, innerHeight, page.canvas.style.width, page.canvas.style.height, touch].join();
      if (key === page.placedFor) return;
      page.placedFor = key;
      // The guide's button beside the choices counts in their size until the guide finds room.
      if (page.guide) page.guideAs('panel');
      var thumbs = page.placeThumbs(page.room(), touch);
      if (page.guide && !thumbs) page.placeGuide(page.room());
    },
    // Lays the keys out where the page has room for them beside the game or below it
    // (clear of the choices), as large as that room allows up to kMost CSS pixels a
    // key, never under kLeast; on a page without a touch screen, or without that room,
    // there are none.  The arrows go left of the menu key and the button, to be held
    // in two thumbs.  True when the keys are shown.
    placeThumbs: function(room, touch) {
      var thumbs = document.getElementById('thumbs');
      if (!thumbs) return false;
      var kMost = 64, kLeast = 48, kMargin = 8;
      var width = room.width, choicesTop = room.choicesTop, belowTop = room.belowTop, besideWidth = room.besideWidth;
      var below = Math.min(kMost, Math.floor((choicesTop - belowTop - 2 * kMargin) / 3));
      if (4 * below + 5 * kMargin > width) below = 0;
      var beside = Math.min(kMost, Math.floor((besideWidth - 2 * kMargin) / 3));
      if (3 * beside + 2 * kMargin > choicesTop) beside = 0;
      var unit = Math.max(below, beside);
      thumbs.hidden = !touch || unit < kLeast;
      if (thumbs.hidden) return false;
      thumbs.style.setProperty('--key', unit + 'px');
      var cross = thumbs.querySelector('.cross').style, actions = thumbs.querySelector('.actions').style;
      var actionsHeight = 2 * unit + unit / 4;
      if (below >= beside) {
        var middle = (belowTop + choicesTop) / 2;
        cross.left = 2 * kMargin + 'px';
        cross.top = middle - 1.5 * unit + 'px';
        actions.left = width - 2 * kMargin - unit + 'px';
        actions.top = middle - actionsHeight / 2 + 'px';
      } else {
        var level = choicesTop / 2;  // both keys' middles, the arrows clear of the choices
        cross.left = (besideWidth - 3 * unit) / 2 + 'px';
        cross.top = level - 1.5 * unit + 'px';
        actions.left = width - besideWidth + (besideWidth - unit) / 2 + 'px';
        actions.top = level - actionsHeight / 2 + 'px';
      }
      return true;
    },
    // The guide (quelmo_page_guide): its first part (the heading and how to play) and
    // its others (the keys).
    guide: null,
    guideOpener: null, // the button beside the choices that opens it as a panel
    // Shows the guide as `mode`: 'beside' the game (its first part on the left, the
    // others on the right), 'below' it (the parts side by side), or as a 'panel' over
    // the game that the button beside the choices opens.  Places nothing.
    guideAs: function(mode) {
      var page = QuelmoPage, guide = page.guide, open = guide.classList.contains('open');
      if (mode !== 'panel') page.closeGuide();
      guide.className = mode;
      if (open && mode === 'panel') guide.classList.add('open');  // open, it stays so
      guide.removeAttribute('style');
      guide.querySelectorAll('.part').forEach(function(part) { part.removeAttribute('style'); });
      page.guideOpener.hidden = mode !== 'panel';
    },
    // Puts the guide beside the game where both margins have room for a column of it
    // kNarrowest to kWidest CSS pixels wide, else below it, else behind its button;
    // kGap from the game and kEdge from the viewport's edges and the corners' links.  Where
    // the room is taller than a part, the part stands level with the game's top.
    placeGuide: function(room) {
      var page = QuelmoPage, guide = page.guide;
      var kNarrowest = 220, kWidest = 360, kGap = 24, kEdge = 16;
      var parts = guide.querySelectorAll('.part');
      var column = Math.min(kWidest, room.besideWidth - kGap - kEdge);
      if (column >= kNarrowest) {
        page.guideAs('beside');
        var fits = true;
        parts.forEach(function(part, i) {
          var first = i === 0, bottom = (first ? room.choicesTop : room.height) - kEdge;
          var top = (first ? 0 : room.filesBottom) + kEdge;
          part.style.width = column + 'px';
          part.style.left = (first ? room.besideWidth - kGap - column : room.width - room.besideWidth + kGap) + 'px';
          var tall = part.offsetHeight;
          part.style.top = Math.max(top, Math.min(room.gameTop, bottom - tall)) + 'px';
          fits = fits && top + tall <= bottom;
        });
        if (fits) return;
      }
      var belowTop = room.belowTop + kGap, wide = Math.min(room.width - 2 * kEdge, parts.length * kWidest);
      if (wide >= parts.length * kNarrowest) {
        page.guideAs('below');
        guide.style.width = wide + 'px';
        guide.style.left = (room.width - wide) / 2 + 'px';
        guide.style.top = belowTop + 'px';
        if (belowTop + guide.offsetHeight <= room.choicesTop - kEdge) return;
      }
      page.guideAs('panel');
    },
    // The guide as a panel over the game, opened by its button and closed by a tap on
    // it, its close button or Escape (which then is not the game's).
    openGuide: function() {
      var page = QuelmoPage;
      page.guide.classList.add('open');
      page.guideOpener.setAttribute('aria-expanded', 'true');
      window.addEventListener('keydown', page.guideKey, true);
      page.guide.querySelector('.close').focus();
    },
    closeGuide: function() {
      var page = QuelmoPage;
      if (!page.guide.classList.contains('open')) return;
      page.guide.classList.remove('open');
      page.guideOpener.setAttribute('aria-expanded', 'false');
      window.removeEventListener('keydown', page.guideKey, true);
      page.guideOpener.focus();
    },
    guideKey: function(event) {
      if (event.key !== 'Escape') return;
      event.preventDefault();
      event.stopPropagation();
      QuelmoPage.closeGuide();
      // Its release is the guide's too.
      window.addEventListener('keyup', function released(up) {
        if (up.key !== 'Escape') return;
        up.stopPropagation();
        window.removeEventListener('keyup', released, true);
      }, true);
    },
    // The page's corner under the game's window, with the choices beside the game.
    corner: function() {
      var choices = document.getElementById('choices');
      if (!choices) {
        choices = document.createElement('nav');
        choices.id = 'choices';
        document.body.appendChild(choices);
      }
      return choices;
    },
    // The choices the player followed on this device, remembered (kRemembered and the
    // parameter: the value the choice put in the address, empty for the default) and
    // put back into the address of a later visit whose address names none, before the
    // game reads it: the address then shows what is in force, and a bookmark keeps it.
    // A browser that keeps nothing for the page (a private window, a page opened from a
    // file) remembers nothing, and the page plays on.
    kRemembered: 'quelmo.choice.',
    remember: function(parameter, value) {
      try {
        localStorage.setItem(QuelmoPage.kRemembered + parameter, value);
      } catch (error) {
        // nothing kept: the next visit opens as its address says
      }
    },
    recalledFrom: null,  // the address the visit came with, where remembered choices changed it
    recall: function() {
      var prefix = QuelmoPage.kRemembered;
      try {
        var query = new URLSearchParams(location.search), added = [];
        for (var i = 0; i < localStorage.length; ++i) {
          var key = localStorage.key(i);
          if (key.indexOf(prefix) !== 0) continue;
          var name = key.slice(prefix.length), value = localStorage.getItem(key);
          if (value === '' || query.has(name)) continue;  // the default, or the address's own
          added.push(encodeURIComponent(name) + '=' + encodeURIComponent(value));
        }
        if (added.length === 0) return;
        // The address keeps its own words as they came; the remembered ones follow.
        var address = location.href, search = location.search;
        search += (search.length > 1 ? '&' : search ? '' : '?') + added.join('&');
        history.replaceState(history.state, '', location.pathname + search + location.hash);
        QuelmoPage.recalledFrom = address;
      } catch (error) {
        // a browser that keeps nothing: the address as it came
      }
    },
    // The page refused a remembered choice (one an older version offered): the page
    // forgets the choices it remembers and opens as its address asked.
    forgetRecalled: function() {
      var prefix = QuelmoPage.kRemembered;
      try {
        for (var i = localStorage.length - 1; i >= 0; --i) {
          if (localStorage.key(i).indexOf(prefix) === 0) localStorage.removeItem(localStorage.key(i));
        }
      } catch (error) {
        return;  // nothing to forget
      }
      location.replace(QuelmoPage.recalledFrom);
    },
    // A gamepad was plugged in or out.
    plugged: function() { callUserCallback(_quelmo_page_pads_plugged); },
    // A hidden page runs no frames, and the game's clock stands still meanwhile.
    visibility: function() { callUserCallback(function() { _quelmo_page_visible(document.hidden ? 0 : 1); }); },
  },
  $QuelmoPage__postset: 'QuelmoPage.recall();',
  $QuelmoPage__deps: ['quelmo_page_button', 'quelmo_page_wake', 'quelmo_page_input',
                      'quelmo_page_visible', 'quelmo_page_key', 'quelmo_page_pads_plugged',
                      'quelmo_page_look_at_pads', 'quelmo_page_thumb', '$callUserCallback'],

  // Runs the game on after `ms` milliseconds, from the browser's event loop, in place
  // of any wake still pending.  A timer set from within a timer's callback, five deep
  // or more, is stretched to at least 4 ms, and every wait of the game is set from
  // one: a shorter wait is set from a message instead, which counts afresh (and one of
  // 0 ms runs the game on at once).
  quelmo_page_wake_after__deps: ['$QuelmoPage', 'quelmo_page_wake_cancel'],
  quelmo_page_wake_after: function(ms) {
    var page = QuelmoPage;
    _quelmo_page_wake_cancel();
    page.pending = true;
    if (ms >= 4) {
      page.timer = setTimeout(page.fire, ms);
      return;
    }
    if (!page.channel) {
      page.channel = new MessageChannel();
      page.channel.port1.onmessage = page.hop;
    }
    page.hopMs = ms;
    page.channel.port2.postMessage(null);
  },

  // No wake is pending any more.
  quelmo_page_wake_cancel__deps: ['$QuelmoPage'],
  quelmo_page_wake_cancel: function() {
    var page = QuelmoPage;
    if (page.timer !== null) clearTimeout(page.timer);
    page.timer = null;
    page.pending = false;
  },

  // Looks at the gamepads after `ms` milliseconds, in place of a look still to come;
  // a negative `ms` only cancels that.
  quelmo_page_pad_look_after__deps: ['$QuelmoPage'],
  quelmo_page_pad_look_after: function(ms) {
    var page = QuelmoPage;
    if (page.padTimer !== null) clearTimeout(page.padTimer);
    page.padTimer = null;
    if (ms < 0) return;
    page.padTimer = setTimeout(function() {
      page.padTimer = null;
      callUserCallback(_quelmo_page_look_at_pads);
    }, ms);
  },

  // The connected gamepads of the standard mapping, four numbers each at `out`: the
  // pad's index, its buttons held (a bit each, by number), its left stick across and
  // down.  At most `max` pads; returns how many.
  quelmo_page_read_pads: function(out, max) {
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    var n = 0;
    for (var i = 0; i < pads.length && n < max; ++i) {
      var pad = pads[i];
      if (!pad || !pad.connected || pad.mapping !== 'standard') continue;
      var held = 0;
      for (var b = 0; b < pad.buttons.length && b < 31; ++b) {
        if (pad.buttons[b].pressed) held |= 1 << b;
      }
      var at = (out >> 3) + 4 * n++;
      HEAPF64[at] = pad.index;
      HEAPF64[at + 1] = held;
      HEAPF64[at + 2] = pad.axes[0] || 0;
      HEAPF64[at + 3] = pad.axes[1] || 0;
    }
    return n;
  },

  quelmo_page_viewport_width: function() { return window.innerWidth; },
  quelmo_page_viewport_height: function() { return window.innerHeight; },
  quelmo_page_time_origin: function() { return performance.timeOrigin; },

  quelmo_page_open__deps: ['$QuelmoPage'],
  // The canvas of width x height game pixels, not yet placed (quelmo_page_place).
  quelmo_page_open: function(width, height, title, titleLength) {
    var page = QuelmoPage;
    document.title = UTF8ToString(title, titleLength);
    var canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    canvas.addEventListener('contextmenu', function(event) { event.preventDefault(); });
    document.body.appendChild(canvas);
    page.canvas = canvas;
    page.context = canvas.getContext('2d', {alpha: false});
    if (!page.listening) {
      page.listening = true;
      document.addEventListener('pointermove', page.follow);
      document.addEventListener('pointerdown', page.press);
      document.addEventListener('pointerup', page.release);
      document.addEventListener('pointercancel', page.release);
      document.addEventListener('pointerout', page.input);
      document.addEventListener('keydown', page.key);
      document.addEventListener('keyup', page.key);
      document.addEventListener('visibilitychange', page.visibility);
      window.addEventListener('gamepadconnected', page.plugged);
      window.addEventListener('gamepaddisconnected', page.plugged);
      window.addEventListener('resize', page.input);
    }
  },

  // The canvas at game position (x, y), each of its pixels shown as physical / game
  // CSS pixels: enlarged by whole factors and kept sharp, or reduced and smoothed,
  // since a reduced picture that repeats pixels drops rows of the text.
  quelmo_page_place__deps: ['$QuelmoPage'],
  quelmo_page_place: function(x, y, physical, game) {
    var canvas = QuelmoPage.canvas;
    if (!canvas) return;
    var css = function(n) { return n * physical / game + 'px'; };
    canvas.style.width = css(canvas.width);
    canvas.style.height = css(canvas.height);
    canvas.style.left = css(x);
    canvas.style.top = css(y);
    canvas.style.imageRendering = physical < game ? 'auto' : 'pixelated';
    QuelmoPage.placeAround();
  },

  // The keyboard put the game's pointer at game point (x, y) of the page: the page
  // reads it there and draws a pointer of its own over the canvas, outside the game's
  // picture, until the real pointer moves.
  quelmo_page_place_pointer__deps: ['$QuelmoPage'],
  quelmo_page_place_pointer: function(x, y, physical, game) {
    var page = QuelmoPage;
    page.x = (x + 0.5) * physical / game;
    page.y = (y + 0.5) * physical / game;
    if (!page.marker) {
      page.marker = document.createElement('div');
      page.marker.className = 'pointer';
      page.marker.setAttribute('aria-hidden', 'true');
      document.body.appendChild(page.marker);
    }
    page.marker.style.left = page.x + 'px';
    page.marker.style.top = page.y + 'px';
    page.marker.hidden = false;
  },

  quelmo_page_close__deps: ['$QuelmoPage'],
  quelmo_page_close: function() {
    if (QuelmoPage.marker) QuelmoPage.marker.hidden = true;
    var thumbs = document.getElementById('thumbs');
    if (thumbs) thumbs.remove();  // keys for a game that has ended
    if (QuelmoPage.guide) {       // and its guide
      QuelmoPage.closeGuide();
      QuelmoPage.guide.remove();
      QuelmoPage.guideOpener.remove();
    }
    if (QuelmoPage.canvas) QuelmoPage.canvas.remove();
    QuelmoPage.canvas = null;
    QuelmoPage.context = null;
  },

  // The game pixel under the pointer: rounded down, so that every CSS pixel of a game
  // pixel's block, and every fraction of one, is that game pixel.
  quelmo_page_pointer_x__deps: ['$QuelmoPage'],
  quelmo_page_pointer_x: function(physical, game) { return Math.floor(QuelmoPage.x * game / physical); },
  quelmo_page_pointer_y__deps: ['$QuelmoPage'],
  quelmo_page_pointer_y: function(physical, game) { return Math.floor(QuelmoPage.y * game / physical); },

  // Rows first .. first + count - 1 of the canvas, as RGBA bytes at `rgba`.
  quelmo_page_present__deps: ['$QuelmoPage'],
  quelmo_page_present: function(rgba, width, first, count) {
    var page = QuelmoPage;
    if (!page.context) return;
    var bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * count * 4);
    page.context.putImageData(new ImageData(bytes, width, count), 0, first);
    if (page.firstFrame) {
      page.firstFrame = false;
      performance.mark('quelmo-first-frame');
    }
  },

  quelmo_page_frame_log_wanted__deps: ['$QuelmoPage'],
  quelmo_page_frame_log_wanted: function() {
    if (!new URLSearchParams(location.search).has('framelog')) return 0;
    QuelmoPage.log = window.quelmoFrameLog = [];
    window.quelmoStillSince = null;
    return 1;
  },

  quelmo_page_log_frame__deps: ['$QuelmoPage'],
  quelmo_page_log_frame: function(x, y, down, left, top, tick, keys) {
    var page = QuelmoPage;
    if (!page.log) return;
    var taken = UTF8ToString(keys);
    page.log.push([performance.now(), x, y, down, left, top, tick, taken ? taken.split(',') : []]);
  },

  quelmo_page_log_still__deps: ['$QuelmoPage'],
  quelmo_page_log_still: function(still) {
    if (QuelmoPage.log) window.quelmoStillSince = still ? performance.now() : null;
  },

  // The game has ended: one line in place of the canvas, with a way to start again.
  quelmo_page_end__deps: ['$QuelmoPage'],
  quelmo_page_end: function(text, again) {
    var link = document.createElement('a');
    link.href = location.href;
    link.textContent = UTF8ToString(again);
    QuelmoPage.showLine(UTF8ToString(text)).append(link);
  },

  quelmo_page_language: function(code) { document.documentElement.lang = UTF8ToString(code); },

  // One choice beside the game, in the page's corner: a link to the page with one
  // parameter of its query changed, so that the address keeps what was chosen.
  quelmo_page_choice__deps: ['$QuelmoPage'],
  quelmo_page_choice: function(label, parameter, value, chosen) {
    var choices = QuelmoPage.corner();
    var query = new URLSearchParams(location.search);
    var name = UTF8ToString(parameter), wanted = UTF8ToString(value);
    if (wanted === '') query.delete(name); else query.set(name, wanted);
    var link = document.createElement('a');
    var search = query.toString();
    link.href = location.pathname + (search ? '?' + search : '') + location.hash;
    link.textContent = UTF8ToString(label);
    link.dataset.parameter = name;
    link.addEventListener('click', function() { QuelmoPage.remember(name, wanted); });
    if (chosen) link.setAttribute('aria-current', 'true');
    choices.appendChild(link);
  },

  // The keys for thumbs, not laid out yet (placeThumbs): the arrows in a cross, the
  // menu key above the button.
  quelmo_page_thumbs: function(groupName) {
    var thumbs = document.createElement('div');
    thumbs.id = 'thumbs';
    thumbs.hidden = true;
    thumbs.setAttribute('role', 'group');
    thumbs.setAttribute('aria-label', UTF8ToString(groupName));
    thumbs.innerHTML = '<div class="cross"></div><div class="actions"></div>';
    thumbs.addEventListener('contextmenu', function(event) { event.preventDefault(); });
    document.body.appendChild(thumbs);
  },

  // One key for thumbs: the gamepad's button `number` of the standard mapping.
  quelmo_page_thumb_key__deps: ['$QuelmoPage'],
  quelmo_page_thumb_key: function(number, name, letter) {
    var kArrows = {12: 'up', 13: 'down', 14: 'left', 15: 'right'}, kStart = 9;
    var key = document.createElement('button');
    key.type = 'button';
    key.tabIndex = -1;
    key.dataset.number = number;
    key.setAttribute('aria-label', UTF8ToString(name));
    var shown = UTF8ToString(letter);
    if (shown) {
      key.textContent = shown;
    } else {
      var path = number === kStart ? 'M4 6h16v2.5H4zM4 10.75h16v2.5H4zM4 15.5h16v2.5H4z' : 'M12 4l9 14H3z';
      key.innerHTML = '<svg viewBox="0 0 24 24" aria-hidden="true"><path d="' + path + '"/></svg>';
    }
    key.addEventListener('pointerdown', QuelmoPage.thumbDown);
    key.addEventListener('pointerup', QuelmoPage.thumbUp);
    key.addEventListener('pointercancel', QuelmoPage.thumbUp);
    key.addEventListener('lostpointercapture', QuelmoPage.thumbUp);
    var thumbs = document.getElementById('thumbs');
    thumbs.querySelector(number in kArrows ? '.cross' : '.actions').appendChild(key);
  },

  // The guide, its parts not filled in yet (quelmo_page_guide_section): the heading and
  // the line under it, the button beside the choices that opens it where the page has
  // no room for it, and the close button it then has.
  quelmo_page_guide__deps: ['$QuelmoPage'],
  quelmo_page_guide: function(heading, what, open, close) {
    var page = QuelmoPage;
    var guide = page.guide = document.createElement('section');
    guide.id = 'guide';
    guide.setAttribute('aria-labelledby', 'guide-heading');
    var closer = document.createElement('button');
    closer.type = 'button';
    closer.className = 'close';
    closer.textContent = '\u00d7';
    closer.setAttribute('aria-label', UTF8ToString(close));
    var part = document.createElement('div');
    part.className = 'part';
    var title = document.createElement('h1');
    title.id = 'guide-heading';
    title.textContent = UTF8ToString(heading);
    var line = document.createElement('p');
    line.textContent = UTF8ToString(what);
    part.append(title, line);
    guide.append(closer, part);
    // A press on the guide is not the game's, even where the guide lies over it.
    guide.addEventListener('pointerdown', function(event) { event.stopPropagation(); });
    guide.addEventListener('click', page.closeGuide);
    document.body.appendChild(guide);
    var opener = page.guideOpener = document.createElement('button');
    opener.type = 'button';
    opener.className = 'guide';
    opener.textContent = UTF8ToString(open);
    opener.setAttribute('aria-controls', 'guide');
    opener.setAttribute('aria-expanded', 'false');
    opener.addEventListener('click', page.openGuide);
    page.corner().appendChild(opener);
  },

  // A section of the guide under its heading: numbered steps, or terms each with its
  // line.  The first goes in the guide's first part, each other in a part of its own.
  quelmo_page_guide_section__deps: ['$QuelmoPage'],
  quelmo_page_guide_section: function(heading, numbered) {
    var guide = QuelmoPage.guide, part = guide.querySelector('.part');
    if (guide.querySelector('h2')) {
      part = document.createElement('div');
      part.className = 'part';
      guide.appendChild(part);
    }
    var title = document.createElement('h2');
    title.textContent = UTF8ToString(heading);
    part.append(title, document.createElement(numbered ? 'ol' : 'dl'));
  },

  quelmo_page_guide_line__deps: ['$QuelmoPage'],
  quelmo_page_guide_line: function(term, text) {
    var lists = QuelmoPage.guide.querySelectorAll('ol, dl'), list = lists[lists.length - 1];
    var line = document.createElement(list.tagName === 'OL' ? 'li' : 'dd');
    line.textContent = UTF8ToString(text);
    if (list.tagName === 'DL') {
      var named = document.createElement('dt');
      named.textContent = UTF8ToString(term);
      list.appendChild(named);
    }
    list.appendChild(line);
  },

  quelmo_page_message__deps: ['$QuelmoPage'],
  quelmo_page_message: function(text) {
    if (QuelmoPage.recalledFrom) QuelmoPage.forgetRecalled(); else QuelmoPage.showLine(UTF8ToString(text));
  },

  // A parameter of the page's query as a new C string (freed by the caller), or null.
  quelmo_page_parameter: function(name) {
    var value = new URLSearchParams(location.search).get(UTF8ToString(name));
    if (value === null) return 0;
    var size = lengthBytesUTF8(value) + 1;
    var copy = _malloc(size);
    stringToUTF8(value, copy, size);
    return copy;
  },
  quelmo_page_parameter__deps: ['malloc'],
});
