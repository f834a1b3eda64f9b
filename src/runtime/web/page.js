// The browser half of the media runtime, the part that must be JavaScript: the canvas, the
// keyboard and the first pad, the animation frames that pace the game, and Web Audio.
// Each module instance keeps its own state in Module.zorbexPage; the page passes in
// Module.canvas and may set Module.zorbexInputOn to false to take the keys away.

mergeInto(LibraryManager.library, {
  $ZorbexPage: {
    // KeyboardEvent.code to the DirectInput scan codes the game uses (physical positions).
    keyCodes: {
      Escape: 0x01, Digit1: 0x02, Digit2: 0x03, Digit3: 0x04, Digit4: 0x05, Digit5: 0x06,
      Digit6: 0x07, Digit7: 0x08, Digit8: 0x09, Digit9: 0x0A, Digit0: 0x0B, Minus: 0x0C,
      Equal: 0x0D, Backspace: 0x0E, Tab: 0x0F, KeyQ: 0x10, KeyW: 0x11, KeyE: 0x12, KeyR: 0x13,
      KeyT: 0x14, KeyY: 0x15, KeyU: 0x16, KeyI: 0x17, KeyO: 0x18, KeyP: 0x19,
      BracketLeft: 0x1A, BracketRight: 0x1B, Enter: 0x1C, ControlLeft: 0x1D, KeyA: 0x1E,
      KeyS: 0x1F, KeyD: 0x20, KeyF: 0x21, KeyG: 0x22, KeyH: 0x23, KeyJ: 0x24, KeyK: 0x25,
      KeyL: 0x26, Semicolon: 0x27, Quote: 0x28, Backquote: 0x29, ShiftLeft: 0x2A,
      Backslash: 0x2B, KeyZ: 0x2C, KeyX: 0x2D, KeyC: 0x2E, KeyV: 0x2F, KeyB: 0x30, KeyN: 0x31,
      KeyM: 0x32, Comma: 0x33, Period: 0x34, Slash: 0x35, ShiftRight: 0x36,
      NumpadMultiply: 0x37, AltLeft: 0x38, Space: 0x39, CapsLock: 0x3A, F1: 0x3B, F2: 0x3C,
      F3: 0x3D, F4: 0x3E, F5: 0x3F, F6: 0x40, F7: 0x41, F8: 0x42, F9: 0x43, F10: 0x44,
      NumLock: 0x45, ScrollLock: 0x46, Numpad7: 0x47, Numpad8: 0x48, Numpad9: 0x49,
      NumpadSubtract: 0x4A, Numpad4: 0x4B, Numpad5: 0x4C, Numpad6: 0x4D, NumpadAdd: 0x4E,
      Numpad1: 0x4F, Numpad2: 0x50, Numpad3: 0x51, Numpad0: 0x52, NumpadDecimal: 0x53,
      IntlBackslash: 0x56, F11: 0x57, F12: 0x58, NumpadEnter: 0x9C, ControlRight: 0x9D,
      NumpadDivide: 0xB5, PrintScreen: 0xB7, AltRight: 0xB8, Pause: 0xC5, Home: 0xC7,
      ArrowUp: 0xC8, PageUp: 0xC9, ArrowLeft: 0xCB, ArrowRight: 0xCD, End: 0xCF,
      ArrowDown: 0xD0, PageDown: 0xD1, Insert: 0xD2, Delete: 0xD3, MetaLeft: 0xDB,
      MetaRight: 0xDC, ContextMenu: 0xDD,
    },
    // Keys the game and the replay watcher read: the browser must not scroll the page (Space,
    // the arrows, Page Up and Down) or step through buttons on them.
    gameKeys: ['KeyZ', 'KeyX', 'KeyC', 'KeyP', 'ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight',
               'Space', 'Escape', 'Period', 'PageUp', 'PageDown'],
    stickDeadZone: 10000 / 32767,  // a resting stick must not steer
    limiter: {threshold: -0.5, knee: 0, ratio: 20, attack: 0.0015, release: 0.1},
    rate: 44100,  // the mixer's rate on the desktop

    state: function() {
      if (!Module.zorbexPage) {
        Module.zorbexPage = {context: null, sounds: {}, music: null, paused: false, listening: false};
      }
      return Module.zorbexPage;
    },

    inputOn: function() { return Module.zorbexInputOn !== false; },

    startInput: function() {
      var page = ZorbexPage.state();
      if (page.listening || typeof window === 'undefined') return;
      page.listening = true;
      var key = function(down) {
        return function(e) {
          if (!ZorbexPage.inputOn()) return;
          if (down && (e.code === 'Enter' || e.code === 'NumpadEnter') && e.altKey) {  // as on the desktop
            if (!e.repeat) ZorbexPage.setFullScreen(!ZorbexPage.fullScreen());
            e.preventDefault();
            return;
          }
          var code = ZorbexPage.keyCodes[e.code];
          if (code !== undefined) Module['_WebKeyChanged'](code, down ? 1 : 0);
          if (ZorbexPage.gameKeys.indexOf(e.code) >= 0) e.preventDefault();
        };
      };
      var lost = function() { if (ZorbexPage.inputOn()) Module['_WebFocusLost'](); };
      var hidden = function() { if (document.hidden) lost(); };
      // browsers hold sound back until the player has pressed something on the page
      var unlock = function() {
        var page = ZorbexPage.state();
        // a modifier key alone is no gesture: the browser would refuse the sound and complain
        if (navigator.userActivation && !navigator.userActivation.isActive) return;
        if (!ZorbexPage.inputOn() || page.unlocked || !ZorbexPage.audio() || page.paused) return;
        page.context.resume().then(ZorbexPage.audioStarted, function() {});
      };
      page.listeners = [[window, 'keydown', key(true)], [window, 'keyup', key(false)],
                        [window, 'blur', lost], [document, 'visibilitychange', hidden],
                        [window, 'keydown', unlock], [window, 'pointerdown', unlock],
                        // a touch is a gesture only when the finger comes up
                        [window, 'pointerup', unlock], [window, 'touchend', unlock],
                        [window, 'click', unlock]];
      page.listeners.forEach(function(l) { l[0].addEventListener(l[1], l[2]); });
      // a page the player has already pressed on may sound at once
      if (navigator.userActivation && navigator.userActivation.hasBeenActive && ZorbexPage.audio())
        page.context.resume().then(ZorbexPage.audioStarted, function() {});
    },

    stopInput: function() {
      var page = ZorbexPage.state();
      if (!page.listening) return;
      page.listeners.forEach(function(l) { l[0].removeEventListener(l[1], l[2]); });
      page.listening = false;
    },

    // The audio graph, made at the first key press or click: every sound and the music
    // meet in one gain, then a limiter that keeps the sum under -0.5 dBFS.
    audio: function() {
      var page = ZorbexPage.state();
      if (page.context || typeof AudioContext === 'undefined') return page.context;
      page.context = new AudioContext({sampleRate: ZorbexPage.rate, latencyHint: 'interactive'});
      var limiter = page.context.createDynamicsCompressor();
      for (var name in ZorbexPage.limiter) limiter[name].value = ZorbexPage.limiter[name];
      limiter.connect(page.context.destination);
      page.mix = page.context.createGain();
      page.mix.connect(limiter);
      for (var handle in page.sounds) ZorbexPage.connectSound(page.sounds[handle]);
      if (page.music) ZorbexPage.connectMusic(page.music);
      return page.context;
    },

    audioStarted: function() {
      var page = ZorbexPage.state();
      if (page.context.state !== 'running') return;
      if (!page.unlocked && Module.onAudioStarted) Module.onAudioStarted();
      page.unlocked = true;
      // music asked for before the first key press starts now
      if (page.music && !page.music.started) ZorbexPage.startMusic(page.music);
    },

    connectSound: function(sound) {
      var page = ZorbexPage.state();
      if (sound.gain || !page.context) return;
      sound.gain = page.context.createGain();
      sound.gain.gain.value = sound.volume;
      sound.gain.connect(page.mix);
    },

    // Decoding needs no running context: an offline one does it before any key press.
    decoder: function() {
      var page = ZorbexPage.state();
      if (!page.decoder) page.decoder = new OfflineAudioContext(2, 1, ZorbexPage.rate);
      return page.decoder;
    },

    connectMusic: function(music) {
      var page = ZorbexPage.state();
      if (music.source || !page.context) return;
      music.source = page.context.createMediaElementSource(music.element);
      music.source.connect(page.mix);
    },

    startMusic: function(music) {
      var page = ZorbexPage.state();
      if (!page.context || page.context.state !== 'running' || page.paused) return;
      music.started = true;
      music.element.play().catch(function() {});
    },

    fullScreen: function() { return !!document.fullscreenElement; },

    setFullScreen: function(full) {
      if (typeof document === 'undefined') return;
      var target = Module.fullScreenElement || (Module.canvas && Module.canvas.parentElement);
      if (full && target && !document.fullscreenElement && target.requestFullscreen)
        target.requestFullscreen().catch(function() {});
      if (!full && document.fullscreenElement) document.exitFullscreen().catch(function() {});
    },
  },

  zorbex_page_present__deps: ['$ZorbexPage'],
  zorbex_page_present: function(rgba, width, height) {
    var canvas = Module.canvas;
    if (!canvas || !canvas.getContext) return 0;
    var page = ZorbexPage.state();
    // the page may ask for a canvas a whole number of times larger, which it then shows
    // smaller: the frame is scaled up by whole pixels here, and down smoothly by the browser
    var scale = Module.zorbexBackingScale || 1;
    if (!page.draw || canvas.width !== width * scale || canvas.height !== height * scale) {
      canvas.width = width * scale;
      canvas.height = height * scale;
      page.draw = canvas.getContext('2d', {alpha: false});
      page.draw.imageSmoothingEnabled = false;
    }
    // a view of the pixels where they are, made again only when the memory has grown
    if (!page.image || page.imageBuffer !== HEAPU8.buffer || page.imageAt !== rgba) {
      page.image = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4), width, height);
      page.imageBuffer = HEAPU8.buffer;
      page.imageAt = rgba;
    }
    if (scale === 1) {
      page.draw.putImageData(page.image, 0, 0);
    } else {
      if (!page.frame) {
        page.frame = document.createElement('canvas');
        page.frame.width = width;
        page.frame.height = height;
        page.frameDraw = page.frame.getContext('2d', {alpha: false});
      }
      page.frameDraw.putImageData(page.image, 0, 0);
      page.draw.drawImage(page.frame, 0, 0, canvas.width, canvas.height);
    }
    // after the canvas's first black: the game's first frame, for whoever measures loading
    page.presents = (page.presents || 0) + 1;
    if (page.presents === 2 && performance.mark) performance.mark('zorbex-first-frame');
    return 1;
  },

#if ASYNCIFY
  // A file's fsync does not wait for IndexedDB in the middle of a frame: the page writes
  // the player's folder back right after the frame that changed it (zorbex-page.js).
  fd_sync__sig: 'ii',
  fd_sync: function(fd) { return 0; },

  zorbex_page_wait_animation_frame: function() {
    Asyncify.handleSleep(function(wakeUp) { requestAnimationFrame(function() { wakeUp(); }); });
  },
  zorbex_page_sleep__deps: ['$safeSetTimeout'],
  zorbex_page_sleep: function(ms) {
    Asyncify.handleSleep(function(wakeUp) { safeSetTimeout(wakeUp, ms); });
  },
#else
  // a build without a paced loop (the simulator) never waits
  zorbex_page_wait_animation_frame: function() { abort('no animation frames in this build'); },
  zorbex_page_sleep: function(ms) { abort('no sleeping in this build'); },
#endif

  zorbex_page_milliseconds: function() { return performance.now(); },

  zorbex_page_show_cursor: function(show) {
    if (Module.canvas) Module.canvas.style.cursor = show ? '' : 'none';
  },

  zorbex_page_set_full_screen__deps: ['$ZorbexPage'],
  zorbex_page_set_full_screen: function(full) { ZorbexPage.setFullScreen(!!full); },

  zorbex_page_full_screen__deps: ['$ZorbexPage'],
  zorbex_page_full_screen: function() {
    return typeof document !== 'undefined' && ZorbexPage.fullScreen() ? 1 : 0;
  },

  zorbex_page_start_input__deps: ['$ZorbexPage'],
  zorbex_page_start_input: function() { ZorbexPage.startInput(); },

  zorbex_page_stop_input__deps: ['$ZorbexPage'],
  zorbex_page_stop_input: function() { ZorbexPage.stopInput(); },

  // The first pad with the standard mapping: A, B and X as buttons 1 to 3, the d-pad and
  // the left stick as the directions, Start apart.
  zorbex_page_poll_pad__deps: ['$ZorbexPage'],
  zorbex_page_poll_pad: function() {
    var page = ZorbexPage.state();
    page.pad = null;
    if (!ZorbexPage.inputOn() || typeof navigator === 'undefined' || !navigator.getGamepads) return -1;
    var pads = navigator.getGamepads();
    for (var i = 0; i < pads.length && !page.pad; i++) if (pads[i] && pads[i].connected) page.pad = pads[i];
    if (!page.pad) return -1;
    var b = page.pad.buttons, a = page.pad.axes, dead = ZorbexPage.stickDeadZone;
    var held = function(i) { return i < b.length && b[i].pressed; };
    var bits = 0;
    if (held(13) || (a.length > 1 && a[1] > dead)) bits |= 0x01;
    if (held(14) || (a.length > 0 && a[0] < -dead)) bits |= 0x02;
    if (held(15) || (a.length > 0 && a[0] > dead)) bits |= 0x04;
    if (held(12) || (a.length > 1 && a[1] < -dead)) bits |= 0x08;
    if (held(0)) bits |= 0x10;
    if (held(1)) bits |= 0x20;
    if (held(2)) bits |= 0x40;
    if ((bits || held(9)) && Module.onPadInput) Module.onPadInput();  // the touch controls hide
    return bits;
  },

  zorbex_page_pad_start__deps: ['$ZorbexPage'],
  zorbex_page_pad_start: function() {
    var pad = ZorbexPage.state().pad;
    return pad && pad.buttons.length > 9 && pad.buttons[9].pressed ? 1 : 0;
  },

  // The program has ended (on a page it never should): the page says so.
  zorbex_page_stopped: function() { if (Module.onStopped) Module.onStopped(); },

  zorbex_page_script_folder: function(out, size) {
    if (typeof process === 'undefined' || !process.versions || !process.versions.node) return 0;
    var folder = require('path').dirname(require('path').resolve(process.argv[1])) + '/';
    stringToUTF8(folder, out, size);
    return folder.length;
  },

  zorbex_page_languages: function(out, size) {
    var nav = typeof navigator === 'undefined' ? {} : navigator;
    var list = nav.languages && nav.languages.length ? nav.languages : [nav.language || ''];
    stringToUTF8(Array.prototype.join.call(list, ':'), out, size);
  },

  zorbex_page_sound_load__deps: ['$ZorbexPage'],
  zorbex_page_sound_load: function(handle, wav, size) {
    var page = ZorbexPage.state();
    var sound = {buffer: null, gain: null, volume: 1, voices: []};
    page.sounds[handle] = sound;
    ZorbexPage.connectSound(sound);
    var bytes = HEAPU8.slice(wav, wav + size).buffer;
    ZorbexPage.decoder().decodeAudioData(bytes).then(function(buffer) { sound.buffer = buffer; },
                                                      function() {});
  },

  zorbex_page_sound_volume__deps: ['$ZorbexPage'],
  zorbex_page_sound_volume: function(handle, gain) {
    var sound = ZorbexPage.state().sounds[handle];
    if (!sound) return;
    sound.volume = gain;
    if (sound.gain) sound.gain.gain.value = gain;
  },

  // A buffer of a sound is one voice: starting it again cuts what it played.
  zorbex_page_sound_play__deps: ['$ZorbexPage'],
  zorbex_page_sound_play: function(handle, index, loop) {
    var page = ZorbexPage.state();
    var sound = page.sounds[handle];
    if (!sound) return;
    var old = sound.voices[index];
    if (old) { try { old.stop(); } catch (e) {} sound.voices[index] = null; }
    if (!sound.buffer || !page.context || page.context.state !== 'running') return;
    ZorbexPage.connectSound(sound);
    var voice = page.context.createBufferSource();
    voice.buffer = sound.buffer;
    voice.loop = !!loop;
    voice.connect(sound.gain);
    voice.start();
    sound.voices[index] = voice;
  },

  zorbex_page_sound_stop_all__deps: ['$ZorbexPage'],
  zorbex_page_sound_stop_all: function() {
    var sounds = ZorbexPage.state().sounds;
    for (var handle in sounds) {
      var voices = sounds[handle].voices;
      for (var i = 0; i < voices.length; i++) if (voices[i]) { try { voices[i].stop(); } catch (e) {} }
      sounds[handle].voices = [];
    }
  },

  // Music streams from its file beside the page, fetched when first played; `seconds` in
  // (round its length when it loops) once the file's length is known.
  zorbex_page_music_play__deps: ['$ZorbexPage', 'zorbex_page_music_stop'],
  zorbex_page_music_play: function(path, loop, seconds) {
    _zorbex_page_music_stop();
    var page = ZorbexPage.state();
    if (typeof Audio === 'undefined') return;
    var element = new Audio(UTF8ToString(path));
    element.loop = !!loop;
    element.preload = 'auto';
    if (seconds > 0) {
      element.addEventListener('loadedmetadata', function() {
        var length = element.duration;
        if (!(length > 0) || !isFinite(length)) element.currentTime = seconds;
        else element.currentTime = loop ? seconds % length : Math.min(seconds, length);
      }, {once: true});
    }
    if (page.musicVolume !== undefined) element.volume = page.musicVolume;
    var music = {element: element, started: false, source: null};
    page.music = music;
    ZorbexPage.connectMusic(music);
    ZorbexPage.startMusic(music);
  },

  // The player's music volume, 0 to 1, kept for the next piece too.
  zorbex_page_music_volume__deps: ['$ZorbexPage'],
  zorbex_page_music_volume: function(gain) {
    var page = ZorbexPage.state();
    page.musicVolume = gain;
    if (page.music) page.music.element.volume = gain;
  },

  zorbex_page_music_stop__deps: ['$ZorbexPage'],
  zorbex_page_music_stop: function() {
    var page = ZorbexPage.state();
    var music = page.music;
    page.music = null;
    if (!music) return;
    music.element.pause();
    music.element.removeAttribute('src');
    music.element.load();
    if (music.source) music.source.disconnect();
  },

  zorbex_page_audio_close__deps: ['$ZorbexPage', 'zorbex_page_music_stop'],
  zorbex_page_audio_close: function() {
    _zorbex_page_music_stop();
    var page = ZorbexPage.state();
    if (page.context) page.context.close();
    page.context = null;
    page.sounds = {};
  },

  // The pause holds music and effects where they are.
  zorbex_page_audio_pause__deps: ['$ZorbexPage'],
  zorbex_page_audio_pause: function(paused) {
    var page = ZorbexPage.state();
    page.paused = !!paused;
    if (page.music && page.music.started) {
      if (paused) page.music.element.pause(); else page.music.element.play().catch(function() {});
    }
    if (!page.context) return;
    if (paused) page.context.suspend();
    else if (page.context.state !== 'closed') page.context.resume().then(ZorbexPage.audioStarted, function() {});
  },
});
