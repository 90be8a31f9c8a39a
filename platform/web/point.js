// Varnelle web page: one point followed live (#point-section). The learner
// chooses a cone's tip (#point); the outside view's program carries it from
// the scene to its pixel with the documentation's own formulas, through
// the viewer's latest station and through your camera, and #point-chain
// shows each step: eye, clip and normalised device coordinates, then the
// window's (x and y in pixels with one decimal, depth with four). The
// point is marked in the outside view and over both pictures, where it
// lands. The chains go to the depth plot as news ("followed").
//
// For whoever reads the page from outside (the browser test): each cell of
// #point-chain carries data-value, the number at full precision.
(function() {
  'use strict';
  var words = varnellePage.words;
  var select = document.getElementById('point');
  var table = document.getElementById('point-chain');
  var marks = {viewer: document.getElementById('point-mark-viewer'),
               yours: document.getElementById('point-mark-yours')};
  var canvases = {viewer: varnellePage.viewerCanvas, yours: document.getElementById('yours-view')};
  // Decimals shown: coordinates, window pixels, window depth.
  var decimals = 4;
  var pixelDecimals = 1;
  var depthDecimals = 4;
  var observer = null;
  var tips = [];

  // The steps of the chain: its name, the numbers it takes from a followed
  // point, and their decimals.
  var steps = [
    {name: 'eye', numbers: function(f) { return f.eye; }, decimals: [decimals, decimals, decimals, decimals]},
    {name: 'clip', numbers: function(f) { return f.clip; }, decimals: [decimals, decimals, decimals, decimals]},
    {name: 'device', numbers: function(f) { return f.device; }, decimals: [decimals, decimals, decimals]},
    {name: 'window', numbers: function(f) { return f.window; },
     decimals: [pixelDecimals, pixelDecimals, depthDecimals]},
  ];

  // A cone's tip by its colour and the axis it points along.
  function tipName(cone) {
    var names = ['x', 'y', 'z'];
    var axis = cone.axis.findIndex(function(v) { return v != 0; });
    return varnellePage.say(words.coneTip, {
      colour: words.colours[cone.colour],
      axis: (cone.axis[axis] > 0 ? '+' : '\u2212') + names[axis],
      tip: cone.tip.map(function(v) { return varnellePage.prose(v + 0); }).join(', '),
    });
  }

  function chosenTip() {
    return tips[Number(select.value)] || null;
  }

  // Where a point lands on a canvas, or null when it is out of the picture
  // (behind the eye, or beyond the clip volume's sides).
  function placeMark(which, followed) {
    var mark = marks[which];
    var canvas = canvases[which];
    var inside = followed && followed.clip[3] > 0 &&
      Math.abs(followed.device[0]) <= 1 && Math.abs(followed.device[1]) <= 1;
    mark.hidden = !inside;
    if (!inside) return;
    var border = (canvas.offsetWidth - canvas.clientWidth) / 2;
    var scaleX = canvas.clientWidth / canvas.width;
    var scaleY = canvas.clientHeight / canvas.height;
    mark.style.left = (border + followed.window[0] * scaleX) + 'px';
    mark.style.top = (border + (canvas.height - followed.window[1]) * scaleY) + 'px';
  }

  function cell(row, text, value) {
    var td = document.createElement('td');
    td.textContent = text;
    if (value !== undefined) td.dataset.value = String(value);
    row.appendChild(td);
    return td;
  }

  // The table: a row for each step and camera, a column for each coordinate.
  function showChains(chains) {
    table.textContent = '';
    var head = table.insertRow();
    [words.chainStepHeading, words.chainCameraHeading, 'x', 'y', 'z', 'w'].forEach(function(name) {
      var th = document.createElement('th');
      th.textContent = name;
      head.appendChild(th);
    });
    steps.forEach(function(step) {
      ['viewer', 'yours'].forEach(function(which) {
        var row = table.insertRow();
        row.dataset.step = step.name;
        row.dataset.camera = which;
        var th = document.createElement('th');
        th.textContent = words.chainStep[step.name];
        row.appendChild(th);
        var camera = document.createElement('th');
        camera.textContent = words.chainCamera[which];
        row.appendChild(camera);
        var followed = chains[which];
        step.decimals.forEach(function(d, i) {
          var value = followed ? step.numbers(followed)[i] : undefined;
          cell(row, value === undefined ? '' : value.toFixed(d), value);
        });
      });
    });
  }

  var followSoon = varnellePage.onceAfterFrame(follow);

  function follow() {
    var tip = chosenTip();
    if (!observer || !tip) return;
    var chains = {};
    var viewer = varnellePage.latest('station');
    var yours = varnellePage.latest('yoursCamera');
    if (viewer) chains.viewer = observer.followPoint(tip.tip, viewer);
    if (yours) chains.yours = observer.followPoint(tip.tip, yours);
    showChains(chains);
    placeMark('viewer', chains.viewer);
    placeMark('yours', chains.yours);
    varnellePage.tell('followed', {tip: tip, viewer: chains.viewer, yours: chains.yours});
  }

  // A tip chosen: marked in the outside view, and followed.
  function choose() {
    var tip = chosenTip();
    if (tip) varnellePage.tell('point', tip.tip);
    followSoon();
  }

  select.addEventListener('change', choose);
  ['station', 'yoursCamera'].forEach(function(kind) { varnellePage.listen(kind, followSoon); });
  // The marks follow the pictures when the page's layout changes.
  new ResizeObserver(followSoon).observe(canvases.viewer);
  new ResizeObserver(followSoon).observe(canvases.yours);
  varnellePage.listen('observerReady', function(instance) {
    observer = instance;
    tips = instance.scene().cones;
    varnellePage.offer('scene', instance.scene());
    select.textContent = '';
    tips.forEach(function(cone, i) {
      var option = document.createElement('option');
      option.value = String(i);
      option.textContent = tipName(cone);
      select.appendChild(option);
    });
    document.getElementById('point-section').hidden = false;
    choose();
  });
})();
