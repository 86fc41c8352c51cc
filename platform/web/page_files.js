// The page side of page_files.cpp: saving the recording being made, opening one to
// watch (picked, dropped, or a file of the site), and the buttons of a recording being
// watched.  A recording's bytes go as they are, one character a byte, wherever the
// page keeps or sends them.
mergeInto(LibraryManager.library, {
  $QuelmoFiles: {
    kKept: 'quelmo-recording:',  // session storage: a recording opened in this tab, by name
    // A recording's bytes as one character each, and back.
    toText: function(bytes) {
      var text = '';
      for (var i = 0; i < bytes.length; i += 8192) {
        text += String.fromCharCode.apply(null, bytes.subarray(i, i + 8192));
      }
      return text;
    },
    toBytes: function(text) {
      var bytes = new Uint8Array(text.length);
      for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i) & 0xff;
      return bytes;
    },
    // Hands the game a recording's bytes, or the line that says why there are none.
    deliver: function(bytes, failed) {
      callUserCallback(function() {
        var at = _malloc(Math.max(1, bytes.length));
        HEAPU8.set(bytes, at);
        _quelmo_page_recording_loaded(at, bytes.length, failed ? 1 : 0);
        _free(at);
      });
    },
    fail: function(line) { QuelmoFiles.deliver(new TextEncoder().encode(line), true); },
    // A recording the player picked or dropped: kept for this tab, and watched in a
    // page of its own.
    open: function(file) {
      if (!file) return;
      file.arrayBuffer().then(function(buffer) {
        try {
          sessionStorage.setItem(QuelmoFiles.kKept + file.name, QuelmoFiles.toText(new Uint8Array(buffer)));
        } catch (error) {
          alert(file.name + ': ' + error.message);
          return;
        }
        var query = new URLSearchParams(location.search);
        query.set('replay', file.name);
        location.assign(location.pathname + '?' + query.toString());
      });
    },
    // A file dragged over the page may be dropped on it: the page opens it.
    listen: function() {
      document.addEventListener('dragover', function(event) {
        if (!event.dataTransfer || Array.prototype.indexOf.call(event.dataTransfer.types, 'Files') < 0) return;
        event.preventDefault();
        event.dataTransfer.dropEffect = 'copy';
      });
      document.addEventListener('drop', function(event) {
        if (!event.dataTransfer || !event.dataTransfer.files.length) return;
        event.preventDefault();
        QuelmoFiles.open(event.dataTransfer.files[0]);
      });
    },
    // The recording being made, saved as a file named after the time of saving.
    save: function(event) {
      event.preventDefault();
      var at = _quelmo_page_recording_bytes(), size = _quelmo_page_recording_size();
      var bytes = HEAPU8.slice(at, at + size);
      var now = new Date(), two = function(n) { return String(n).padStart(2, '0'); };
      var name = 'quelmo-' + now.getFullYear() + '-' + two(now.getMonth() + 1) + '-' + two(now.getDate()) +
                 '-' + two(now.getHours()) + two(now.getMinutes()) + two(now.getSeconds()) + '.sim';
      var link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], {type: 'text/plain'}));
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(function() { URL.revokeObjectURL(link.href); }, 60000);
    },
  },
  $QuelmoFiles__deps: ['$QuelmoPage', 'quelmo_page_recording_loaded', 'quelmo_page_recording_bytes',
                       'quelmo_page_recording_size', 'quelmo_page_press', '$callUserCallback',
                       'malloc', 'free'],

  quelmo_page_offer_recordings__deps: ['$QuelmoFiles'],
  quelmo_page_offer_recordings: function(save, open) {
    // In the other corner from the choices, so that both stay clear of the game on a
    // phone held sideways too.
    var corner = document.createElement('nav'), files = QuelmoFiles;
    corner.id = 'files';
    document.body.appendChild(corner);
    var saveLabel = UTF8ToString(save), openLabel = UTF8ToString(open);
    if (saveLabel) {
      var link = document.createElement('a');
      link.href = '#';
      link.className = 'file';
      link.id = 'save-recording';
      link.textContent = saveLabel;
      link.addEventListener('click', files.save);
      corner.appendChild(link);
    }
    if (openLabel) {
      var picker = document.createElement('input');
      picker.type = 'file';
      picker.accept = '.sim,.txt,text/plain';
      picker.hidden = true;
      picker.id = 'open-recording-file';
      picker.addEventListener('change', function() { files.open(picker.files[0]); });
      var opener = document.createElement('a');
      opener.href = '#';
      opener.className = 'file';
      opener.id = 'open-recording';
      opener.textContent = openLabel;
      opener.addEventListener('click', function(event) {
        event.preventDefault();
        picker.click();
      });
      corner.append(opener, picker);
      files.listen();
    }
  },

  // The recording `name`: the one opened in this tab, else the site's file, which
  // must be on the page's own site.
  quelmo_page_load_recording__deps: ['$QuelmoFiles'],
  quelmo_page_load_recording: function(name) {
    var files = QuelmoFiles, wanted = UTF8ToString(name), kept = null;
    try { kept = sessionStorage.getItem(files.kKept + wanted); } catch (error) {}
    if (kept !== null) {
      files.deliver(files.toBytes(kept), false);
      return;
    }
    var address;
    try { address = new URL(wanted, location.href); } catch (error) { address = null; }
    if (!address || address.origin !== location.origin) {
      files.fail(wanted + ': not a file of this site');
      return;
    }
    fetch(address).then(function(response) {
      if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
      return response.arrayBuffer();
    }).then(function(buffer) { files.deliver(new Uint8Array(buffer), false); },
            function(error) { files.fail(wanted + ': ' + error.message); });
  },

  // The controls of a recording being watched: a group of buttons above the choices.
  quelmo_page_watch_controls__deps: ['$QuelmoPage'],
  quelmo_page_watch_controls: function(groupName) {
    var group = document.createElement('div');
    group.id = 'watch';
    group.setAttribute('role', 'group');
    group.setAttribute('aria-label', UTF8ToString(groupName));
    var state = document.createElement('span');
    state.className = 'state';
    state.setAttribute('aria-live', 'polite');
    group.appendChild(state);
    var corner = QuelmoPage.corner();
    corner.insertBefore(group, corner.firstChild);
  },

  // One button: a click presses `key` (the game's number for it) once.  It never takes
  // the keyboard's focus, so that Space and the arrows stay the game's.
  quelmo_page_watch_button__deps: ['$QuelmoFiles'],
  quelmo_page_watch_button: function(key, label) {
    var button = document.createElement('button');
    button.type = 'button';
    button.tabIndex = -1;
    button.textContent = UTF8ToString(label);
    button.dataset.key = key;
    // Nor is its press the game's button.
    button.addEventListener('pointerdown', function(event) {
      event.preventDefault();
      event.stopPropagation();
    });
    button.addEventListener('click', function() { callUserCallback(function() { _quelmo_page_press(key); }); });
    document.getElementById('watch').appendChild(button);
  },

  quelmo_page_watch_state: function(state) {
    var line = document.querySelector('#watch .state');
    if (line) line.textContent = UTF8ToString(state);
  },
});
