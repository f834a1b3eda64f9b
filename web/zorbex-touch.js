// The touch controls: a stick wherever the left thumb lands, FIRE, BOMB, PAUSE and
// CONTINUE under the right one. They press the very keys the keyboard presses (Z, X, C, P
// and the arrows), so a run played by touch is a replay like any other. Shown while touch
// is the player's last input, hidden as soon as a key or a pad is used. A short tap (or a
// click) on the game's picture goes to the game as a point in its pixels: the menus choose
// the entry under it; play never sees it.
'use strict';

window.ZorbexTouch = (function() {
  var KEY = {fire: 0x2C, bomb: 0x2D, cont: 0x2E, pause: 0x19,
             up: 0xC8, down: 0xD0, left: 0xCB, right: 0xCD};
  var DEAD_ZONE = 10;         // px the thumb moves before the ship does
  var DIAGONAL = 0.38;        // sin 22.5°: eight directions of 45° each
  var SHORTEST_PRESS = 50;    // ms: a quick tap still lasts past the game's next frame
  var LONGEST_WAIT = 250;     // ms: ... but no longer waits for it than this
  var AUTOFIRE = 'zorbex-touch-autofire';
  var TAP_LONGEST = 350;      // ms: a finger down longer is no tap
  var TAP_WANDER = 12;        // px a tap may move; farther it steers

  function create(onShownChange) {
    var $ = function(id) { return document.getElementById(id); };
    var game = null, shown = false;
    var held = {fire: false, bomb: false, cont: false, pause: false},
        stick = {pointer: null, x: 0, y: 0, steering: false, bits: {up: false, down: false, left: false, right: false}};
    var sent = {}, pressedAt = {}, pressedFrame = {}, pending = null;
    var autofire = $('touch-autofire');
    try { autofire.checked = localStorage.getItem(AUTOFIRE) === '1'; } catch (e) {}

    function wanted() {
      var w = {fire: held.fire || (autofire.checked && stick.steering),
               bomb: held.bomb, cont: held.cont, pause: held.pause};
      for (var d in stick.bits) w[d] = stick.bits[d];
      return w;
    }

    function framesRun() { return game ? game._WebFramesStarted() : 0; }

    // Sends the keys that changed; a key let go too soon goes up a little later, once the
    // game has run a frame with it down however busy the machine is.
    function update() {
      if (pending) clearTimeout(pending);
      pending = null;
      var w = wanted(), now = performance.now(), later = 0;
      for (var name in KEY) {
        var down = !!w[name];
        if (down === !!sent[name]) continue;
        var age = now - pressedAt[name];  // the pause runs no frames: it waits no longer than this
        var early = age < SHORTEST_PRESS || (framesRun() < pressedFrame[name] + 2 && age < LONGEST_WAIT);
        if (!down && early) {
          later = Math.max(later, SHORTEST_PRESS - (now - pressedAt[name]), 16);
          continue;
        }
        if (down) {
          pressedAt[name] = now;
          pressedFrame[name] = framesRun();
        }
        sent[name] = down;
        if (game && game.zorbexInputOn !== false) game._WebKeyChanged(KEY[name], down ? 1 : 0);
      }
      if (later > 0) pending = setTimeout(update, later + 1);
    }

    function releaseAll() {
      for (var b in held) held[b] = false;
      stick.pointer = null;
      stick.steering = false;
      for (var d in stick.bits) stick.bits[d] = false;
      $('touch-stick').classList.remove('held');
      Array.prototype.forEach.call(document.querySelectorAll('#touch-buttons .held'),
                                   function(e) { e.classList.remove('held'); });
      update();
    }

    function show(on) {
      if (on === shown) return;
      shown = on;
      if (!on) releaseAll();
      $('touch').hidden = !on;
      document.body.classList.toggle('touch', on);
      onShownChange(on);
    }

    // ---- the stick: its centre is where the thumb landed
    // the fire that autofire holds waits until the thumb steers or stays, so a tap on a menu
    // entry is not fire on the entry under the cursor as well
    function steer(e) {
      var dx = e.clientX - stick.x, dy = e.clientY - stick.y, length = Math.hypot(dx, dy);
      var b = stick.bits, moving = length > DEAD_ZONE;
      if (moving) stick.steering = true;
      b.right = moving && dx > DIAGONAL * length;
      b.left = moving && dx < -DIAGONAL * length;
      b.down = moving && dy > DIAGONAL * length;
      b.up = moving && dy < -DIAGONAL * length;
      update();
    }

    var area = $('touch-stick'), knob = $('touch-knob');
    area.addEventListener('pointerdown', function(e) {
      if (stick.pointer !== null) return;
      stick.pointer = e.pointerId;
      var box = area.getBoundingClientRect();
      stick.x = e.clientX;
      stick.y = e.clientY;
      knob.style.left = (e.clientX - box.left) + 'px';
      knob.style.top = (e.clientY - box.top) + 'px';
      area.classList.add('held');
      area.setPointerCapture(e.pointerId);
      e.preventDefault();
      var pointer = e.pointerId;
      setTimeout(function() { if (stick.pointer === pointer) { stick.steering = true; update(); } }, TAP_LONGEST);
      steer(e);
    });
    area.addEventListener('pointermove', function(e) { if (e.pointerId === stick.pointer) steer(e); });
    var letGo = function(e) {
      if (e.pointerId !== stick.pointer) return;
      stick.pointer = null;
      stick.steering = false;
      for (var d in stick.bits) stick.bits[d] = false;
      area.classList.remove('held');
      update();
    };
    area.addEventListener('pointerup', letGo);
    area.addEventListener('pointercancel', letGo);

    // ---- the buttons: held while a finger is on them
    [['touch-fire', 'fire'], ['touch-bomb', 'bomb'], ['touch-continue', 'cont'], ['touch-pause', 'pause']]
      .forEach(function(pair) {
        var button = $(pair[0]), name = pair[1], pointers = {};
        var set = function() {
          held[name] = Object.keys(pointers).length > 0;
          button.classList.toggle('held', held[name]);
          update();
        };
        button.addEventListener('pointerdown', function(e) {
          pointers[e.pointerId] = true;
          button.setPointerCapture(e.pointerId);
          e.preventDefault();
          set();
        });
        var up = function(e) { delete pointers[e.pointerId]; set(); };
        button.addEventListener('pointerup', up);
        button.addEventListener('pointercancel', up);
        button.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      });

    autofire.addEventListener('change', function() {
      try { localStorage.setItem(AUTOFIRE, autofire.checked ? '1' : '0'); } catch (e) {}
      update();
    });

    // ---- taps on the game's picture, wherever they land (the stick lies over half of it)
    var downs = {};
    var screen = $('screen');
    screen.addEventListener('pointerdown', function(e) {
      if (e.button === 0 && !e.target.closest('#touch-buttons button'))
        downs[e.pointerId] = {x: e.clientX, y: e.clientY, at: performance.now()};
    }, true);
    screen.addEventListener('pointercancel', function(e) { delete downs[e.pointerId]; }, true);
    screen.addEventListener('pointerup', function(e) {
      var down = downs[e.pointerId];
      delete downs[e.pointerId];
      if (!down || !game || !game.canvas || game.zorbexInputOn === false) return;
      if (performance.now() - down.at > TAP_LONGEST ||
          Math.hypot(e.clientX - down.x, e.clientY - down.y) > TAP_WANDER) return;
      var box = game.canvas.getBoundingClientRect();
      var x = Math.floor((down.x - box.left) * 640 / box.width), y = Math.floor((down.y - box.top) * 480 / box.height);
      if (x >= 0 && y >= 0 && x < 640 && y < 480) game._WebTapped(x, y);
    }, true);

    // ---- which input came last
    document.addEventListener('pointerdown', function(e) { if (e.pointerType === 'touch') show(true); }, true);
    window.addEventListener('keydown', function(e) { if (e.isTrusted) show(false); }, true);

    return {
      // a finger already on a button as the game starts presses it at once
      attach: function(module) { game = module; sent = {}; update(); },
      show: show,
      shown: function() { return shown; },
      // the game-over prompt: CONTINUE shows while it does
      prompt: function(on) { $('touch-continue').hidden = !on; },
      // the page lost the focus: nothing stays held
      releaseAll: releaseAll,
    };
  }

  return {create: create};
})();
