// The page around the game: loading, the screen's scale, the player's files kept in the
// browser (IndexedDB), replays downloaded, opened and watched, and window.zorbex.status().
// The game's rules are all in the WebAssembly; this only wires the page to it.
'use strict';

(function() {
  var SAVES = '/zorbex';         // the player's folder: settings, high scores, replays/
  var WATCHED = '/tmp/watched.replay';
  var params = new URLSearchParams(location.search);
  var $ = function(id) { return document.getElementById(id); };
  var game = null, watcher = null, audioStarted = false;
  var held = params.has('hold');  // a test runs the frames itself
  var saving = {on: false, dirty: false, busy: false, failed: false, FS: null};

  function say(text) { $('message').textContent = text; }

  // ---- the screen: as large as the space left, 4:3. At a whole number of device pixels per
  // game pixel the canvas shows its pixels as they are; at any other size it is drawn at
  // the whole scale above and the browser scales that down smoothly, so no game pixel
  // comes out a device pixel wider than its neighbour.
  var SNAP = 0.04;  // a scale this little above a whole one takes the whole one: sharper
  function fitScreen() {
    var box = $('screen').getBoundingClientRect(), ratio = window.devicePixelRatio || 1;
    var portrait = touch.shown() && box.height > box.width;
    document.body.classList.toggle('portrait', portrait);
    document.body.classList.toggle('landscape', !portrait);
    // in portrait the controls take the lower part
    var height = portrait ? Math.min(box.height * 0.55, box.width * 3 / 4) : box.height;
    var scale = Math.min(box.width / 640, height / 480) * ratio;  // device pixels per game pixel
    var whole = Math.floor(scale + 1e-6);
    if (whole >= 1 && scale - whole < SNAP * whole) scale = whole;
    var sharp = scale === whole;
    var w = 640 * scale / ratio, h = 480 * scale / ratio;
    ['game', 'watch'].forEach(function(id) {
      var canvas = $(id);
      canvas.style.width = w + 'px';
      canvas.style.height = h + 'px';
      canvas.classList.toggle('pixels', sharp);
    });
    var backing = sharp || scale < 1 ? 1 : Math.ceil(scale);
    [game, watcher].forEach(function(module) { if (module) module.zorbexBackingScale = backing; });
    backingScale = backing;
    document.body.style.setProperty('--canvas-height', h + 'px');
    document.body.style.setProperty('--margin', Math.max(0, (box.width - w) / 2) + 'px');
  }
  var backingScale = 1;
  window.addEventListener('resize', fitScreen);
  window.addEventListener('orientationchange', fitScreen);
  document.addEventListener('fullscreenchange', fitScreen);

  // ---- the touch controls, and the game-over prompt's CONTINUE while they show
  var touch = ZorbexTouch.create(function() { fitScreen(); });
  if (matchMedia('(hover: none) and (pointer: coarse)').matches) touch.show(true);
  setInterval(function() {
    var s = touch.shown() && game && window.zorbex.status();
    touch.prompt(!!(s && s.prompt));
  }, 250);

  // ---- the player's files, kept in IndexedDB and written back after every change
  function mountSaves(module) {
    var FS = saving.FS = module.FS;
    FS.mkdir(SAVES);
    FS.mount(FS.filesystems.IDBFS, {}, SAVES);
    module.addRunDependency('saves');
    FS.syncfs(true, function(error) {
      // a table that could not be read is never written over
      saving.on = !error;
      if (error) say('Your scores and replays cannot be kept in this browser (' + why(error) + ').');
      FS.chdir(SAVES);
      watchWrites(module);
      module.removeRunDependency('saves');
    });
  }

  function why(error) { return (error && (error.message || error.name)) || String(error); }

  function inSaves(path) { return typeof path === 'string' && path.indexOf(SAVES + '/') === 0; }

  // Whatever the game writes under its folder marks the folder for writing back.
  function watchWrites(module) {
    var FS = module.FS, mark = function() { saving.dirty = true; setTimeout(writeBack, 0); };
    var wrap = function(name, test) {
      var original = FS[name];
      FS[name] = function() {
        var result = original.apply(FS, arguments);
        if (test.apply(null, arguments)) mark();
        return result;
      };
    };
    wrap('close', function(stream) { return inSaves(stream.path) && (stream.flags & 3) !== 0; });
    // paths as the game gave them: relative ones are in its folder, the working directory
    var mine = function(path) { return inSaves(path) || (typeof path === 'string' && path[0] !== '/'); };
    wrap('rename', function(from, to) { return mine(from) || mine(to); });
    wrap('unlink', mine);
    // a folder made (replays/saved/ at the first KEEP) is kept even before a file is in it
    wrap('mkdir', mine);
    wrap('rmdir', mine);
  }

  function writeBack() {
    if (!saving.on || !saving.dirty || saving.busy) return;
    saving.dirty = false;
    saving.busy = true;
    saving.FS.syncfs(false, function(error) {
      saving.busy = false;
      if (error && !saving.failed) {
        saving.failed = true;  // one line; the table already stored stays as it was
        say('Could not save in this browser (' + why(error) + '); what was saved before is kept.');
      }
      if (!error && saving.failed) { saving.failed = false; say(''); }
      if (saving.dirty) setTimeout(writeBack, 0);
      listReplays();
    });
  }

  // ---- loading the game: its script, its WebAssembly and its pictures and sounds, all at
  // once; a file that does not come is said in one line and the loading box goes.
  var failed = false, packageData = null;
  function loadFailed(file, error) {
    if (failed) return;
    failed = true;
    $('loading').hidden = true;
    say('Zorbex could not load ' + file + ': ' + why(error) + ', try reloading');
  }

  function fetched(file) {
    return fetch(file).then(function(response) {
      if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
      return response;
    });
  }

  // the bytes of zorbex.data, the bar moving as they come
  function fetchData(file) {
    return fetched(file).then(function(response) {
      var total = Number(response.headers.get('Content-Length')) || 0;
      if (!response.body || !total || response.headers.get('Content-Encoding')) {
        $('progress').removeAttribute('value');
        return response.arrayBuffer();
      }
      var reader = response.body.getReader(), parts = [], received = 0;
      return (function next() {
        return reader.read().then(function(step) {
          if (step.done) {
            var bytes = new Uint8Array(received), at = 0;
            parts.forEach(function(part) { bytes.set(part, at); at += part.length; });
            return bytes.buffer;
          }
          parts.push(step.value);
          received += step.value.length;
          $('progress').value = Math.min(1, received / total);
          return next();
        });
      })();
    }).catch(function(error) { loadFailed(file, error); throw error; });
  }

  function loadScript(file) {
    return new Promise(function(resolve, reject) {
      var script = document.createElement('script');
      script.src = file;
      script.onload = resolve;
      script.onerror = function() { reject(new Error('no answer or no such file')); };
      document.head.appendChild(script);
    });
  }

  // compiled while the data still comes
  function compileWasm(file) {
    return fetched(file).then(function(response) {
      var copy = response.clone();
      return WebAssembly.compileStreaming(response).catch(function() {  // served without application/wasm
        return copy.arrayBuffer().then(function(bytes) { return WebAssembly.compile(bytes); });
      });
    }).catch(function(error) { loadFailed(file, error); throw error; });
  }

  function start() {
    fitScreen();
    var wasm = compileWasm('zorbex.wasm'), data = fetchData('zorbex.data');
    var script = loadScript('zorbex.js').catch(function(error) { loadFailed('zorbex.js', error); throw error; });
    wasm.catch(function() {});
    Promise.all([data, script]).then(function(loaded) { run(loaded[0], wasm); }, function() {});
  }

  function run(data, wasm) {
    packageData = data;
    createZorbexGame({
      canvas: $('game'),
      fullScreenElement: $('screen'),
      zorbexBackingScale: backingScale,
      getPreloadedPackage: function() { return data; },
      instantiateWasm: function(imports, ready) {
        wasm.then(function(module) { return WebAssembly.instantiate(module, imports).then(function(instance) {
          ready(instance, module);
        }); }).catch(function(error) { loadFailed('zorbex.wasm', error); });
        return {};
      },
      printErr: function(line) { console.error(line); },
      onAbort: function(what) { if (!failed) say('Zorbex has stopped (' + what + '), try reloading'); },
      preRun: [mountSaves],
      onAudioStarted: function() { $('press').hidden = true; audioStarted = true; },
      onPadInput: function() { touch.show(false); },
      onStopped: function() {
        say('Zorbex has stopped. ');
        var again = document.createElement('button');
        again.textContent = 'Play again';
        again.addEventListener('click', function() { location.reload(); });
        $('message').appendChild(again);
        again.focus();
      },
      onRuntimeInitialized: function() {
        if (held) this._WebHoldFrames(1);  // before the first frame
        $('loading').hidden = true;
        $('press').hidden = audioStarted;
        $('game').focus();
      },
    }).then(function(module) {
      game = module;
      touch.attach(module);
      ['fullscreen', 'watch-replay'].forEach(function(id) { $(id).disabled = false; });
      listReplays();
      watchLinked();
      keepOffline();
    }, function(error) {
      if (!failed) say('The game could not start: ' + why(error));
    });
  }

  // ---- offline: the service worker keeps this build's files; a newer build, once it has
  // everything, waits for the player's word
  function keepOffline() {
    if (!('serviceWorker' in navigator) || params.has('no-offline')) return;
    navigator.serviceWorker.register('service-worker.js').then(function(registration) {
      var offer = function(worker) {
        if (!worker || !navigator.serviceWorker.controller) return;  // the first visit: nothing to replace
        say('A new version is ready: ');
        var reload = document.createElement('button');
        reload.id = 'reload';
        reload.textContent = 'reload';
        reload.addEventListener('click', function() { worker.postMessage('take-over'); });
        $('message').appendChild(reload);
      };
      if (registration.waiting) offer(registration.waiting);
      registration.addEventListener('updatefound', function() {
        var worker = registration.installing;
        worker.addEventListener('statechange', function() { if (worker.state === 'installed') offer(worker); });
      });
    }, function(error) { console.warn('no offline play: ' + why(error)); });
    var reloading = false;
    navigator.serviceWorker.addEventListener('controllerchange', function() {
      if (reloading || !$('reload')) return;
      reloading = true;
      location.reload();
    });
  }

  // ---- replays: the game writes replays/last.replay and replays/rankNN.replay
  function replayNames() {
    if (!game) return [];
    try {
      return game.FS.readdir(SAVES + '/replays').filter(function(n) { return /\.replay$/.test(n); }).sort();
    } catch (e) {
      return [];
    }
  }

  function listReplays() {
    var names = replayNames();
    $('download-last').disabled = !game || names.indexOf('last.replay') < 0;
    var select = $('rank-replays');
    select.textContent = '';
    names.filter(function(n) { return /^rank\d\d\.replay$/.test(n); }).forEach(function(n) {
      var option = document.createElement('option');
      option.value = n;
      option.textContent = 'Rank ' + Number(n.slice(4, 6));
      select.appendChild(option);
    });
    // the table's own replays, once a run has entered it
    select.hidden = $('download-rank').hidden = select.options.length === 0;
  }

  function readReplay(name) { return game.FS.readFile(SAVES + '/replays/' + name); }

  function download(name) {
    var url = URL.createObjectURL(new Blob([readReplay(name)], {type: 'application/octet-stream'}));
    var a = document.createElement('a');
    a.href = url;
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(function() { URL.revokeObjectURL(url); }, 1000);
  }

  // ---- watching a replay: the simulator's --watch on a canvas of its own, the game held
  function loadWatcher() {
    if (window.createZorbexWatch) return Promise.resolve();
    return new Promise(function(resolve, reject) {
      var script = document.createElement('script');
      script.src = 'zorbex-watch.js';
      script.onload = resolve;
      script.onerror = function() { reject(new Error('zorbex-watch.js did not load')); };
      document.head.appendChild(script);
    });
  }

  function setGameAside(aside) {
    if (!game) return;
    touch.releaseAll();
    if (aside) game._WebFocusLost();  // play pauses, as when the page loses focus
    game.zorbexInputOn = !aside;
    game._WebHoldFrames(aside || held ? 1 : 0);
    var context = game.zorbexPage && game.zorbexPage.context;
    if (context) aside ? context.suspend() : (!game.zorbexPage.paused && context.resume());
    $('game').hidden = aside;
    $('watch').hidden = !aside;
    $('stop-watching').hidden = !aside;
  }

  function verdict(name, code, lines) {
    var last = lines.length ? lines[lines.length - 1].replace(/^zorbex-sim: /, '') : '';
    last = last.split(WATCHED).join(name);
    if (code === 0 && /played to its end/.test(last)) return 'Verified: ' + last;
    if (code === 0) return last || 'Stopped.';
    if (code === 1) return 'Not verified: ' + last;
    return 'Cannot watch it: ' + last;
  }

  function watch(name, bytes) {
    if (watcher) return;
    say('Watching ' + name + ' (Escape stops, P pauses)…');
    setGameAside(true);
    var lines = [];
    var finish = function(text) {
      if (watcher) watcher.zorbexInputOn = false;
      watcher = null;
      setGameAside(false);
      say(text);
      $('game').focus();
    };
    loadWatcher().then(function() {
      return createZorbexWatch({
        canvas: $('watch'),
        fullScreenElement: $('screen'),
        zorbexBackingScale: backingScale,
        getPreloadedPackage: function() { return packageData; },
        noInitialRun: true,
        print: function() {},
        printErr: function(line) { lines.push(line); },
        preRun: [function(module) { module.FS.writeFile(WATCHED, bytes); }],
      });
    }).then(function(module) {
      watcher = module;
      $('watch').focus();
      // in the words the game shows
      return runMain(module, ['--watch', WATCHED, '--language', window.zorbex.status().language]);
    }).then(function(code) { finish(verdict(name, code, lines)); },
            function(error) { finish('Cannot watch it: ' + why(error)); });
  }

  // main() of a module whose frames sleep between animation frames: its exit code comes
  // when the last frame has run, through a promise
  function runMain(module, args) {
    var argv = module._malloc((args.length + 2) * 4);
    ['zorbex-sim'].concat(args).forEach(function(arg, i) {
      module.HEAP32[(argv >> 2) + i] = module.allocateUTF8(arg);
    });
    module.HEAP32[(argv >> 2) + args.length + 1] = 0;
    return module.ccall('main', 'number', ['number', 'number'], [args.length + 1, argv], {async: true});
  }

  // A link from the score board names the run to watch: ?replay=/runs/12.replay. Only
  // this site's own files: a link cannot make the page fetch from elsewhere.
  function watchLinked() {
    var link = params.get('replay');
    if (!link) return;
    var url;
    try { url = new URL(link, location.href); } catch (e) { url = null; }
    if (!url || url.origin !== location.origin) {
      say('Cannot watch it: ' + link + ' is not on this site');
      return;
    }
    fetch(url).then(function(response) {
      if (!response.ok) throw new Error(link + ': ' + response.status + ' ' + response.statusText);
      return response.arrayBuffer();
    }).then(function(buffer) {
      watch(url.pathname.split('/').pop() || 'linked.replay', new Uint8Array(buffer));
    }, function(error) { say('Cannot watch it: ' + why(error)); });
  }

  function openFile(file) {
    if (!file) return;
    file.arrayBuffer().then(function(buffer) { watch(file.name, new Uint8Array(buffer)); });
  }

  // ---- the controls
  $('fullscreen').addEventListener('click', function() {
    if (document.fullscreenElement) document.exitFullscreen();
    else $('screen').requestFullscreen().catch(function() {});
  });
  $('download-last').addEventListener('click', function() { download('last.replay'); });
  $('watch-replay').addEventListener('click', function() { $('open-replay').click(); });
  $('download-rank').addEventListener('click', function() { download($('rank-replays').value); });
  $('open-replay').addEventListener('change', function(e) { openFile(e.target.files[0]); e.target.value = ''; });
  $('stop-watching').addEventListener('click', function() {
    // Escape, as the watcher itself is stopped from the keyboard
    if (watcher) watcher._WebKeyChanged(0x01, 1);
  });
  document.addEventListener('dragover', function(e) { e.preventDefault(); document.body.classList.add('dragging'); });
  document.addEventListener('dragleave', function() { document.body.classList.remove('dragging'); });
  document.addEventListener('drop', function(e) {
    e.preventDefault();
    document.body.classList.remove('dragging');
    openFile(e.dataTransfer.files[0]);
  });
  window.addEventListener('pagehide', writeBack);

  // ---- for tests and curious players
  window.zorbex = {
    // {frame, scene, stage, score, hash, prompt, language, theatre} of the frame last run; theatre is
    // null but while a replay is watched in the game: {position, length, differsAt, speed
    // (in quarters: 4 is 1x), paused}, the hash then that of the replay's frame shown
    status: function() {
      if (!game) return null;
      var s = JSON.parse(game.UTF8ToString(game._ZorbexStatus()));
      return {frame: game._WebFramesStarted(), scene: s.scene, stage: s.stage, score: s.score, hash: s.hash,
              prompt: !!s.prompt, language: s.language, theatre: s.theatre || null};
    },
    // Plays the given pad bits, one a frame, from the next frame on, then holds the game;
    // resolves with the status after the last of them.
    play: function(buttons) {
      var bytes = Uint8Array.from(buttons), at = game._malloc(Math.max(1, bytes.length));
      game.HEAPU8.set(bytes, at);
      game._WebPlayButtons(at, bytes.length);
      game._free(at);
      return new Promise(function(resolve) {
        (function poll() {
          if (game._WebScriptedFramesLeft() === 0) resolve(window.zorbex.status());
          else setTimeout(poll, 20);
        })();
      });
    },
    resume: function() { held = false; game._WebHoldFrames(0); },
    // the audio context's state: "running" once sound has been let start
    audio: function() {
      var page = game && game.zorbexPage;
      return page && page.context ? page.context.state : 'none';
    },
    replays: replayNames,
    // the bytes of one of the player's files ("zorbexG.dat", "replays/last.replay"), or null
    file: function(name) {
      try { return Array.from(game.FS.readFile(SAVES + '/' + name)); } catch (e) { return null; }
    },
    saved: function() { return !saving.dirty && !saving.busy; },
  };

  start();
})();
