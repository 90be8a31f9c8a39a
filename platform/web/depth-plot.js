// Varnelle web page: the depth plot (#depth-plot). The window depth (0 at
// the near plane to 1 at the far one) against the distance in front of the
// eye, from near to far, through the projection OpenGL holds for the
// viewer's station and for your camera; the scene's extent (every point of
// it lies within the cones' reach of the origin) shaded, and the followed
// point marked on each curve. #depth-caption says how much of the depth
// range the scene gets. A perspective projection gives most of the range to
// the near end: the nearer the near plane, the more of it.
//
// For whoever reads the page from outside (the browser test): each curve
// (polyline[data-camera]) carries data-samples, its [distance, depth]
// pairs, as JSON.
(function() {
  'use strict';
  var svgNamespace = 'http://www.w3.org/2000/svg';
  var words = varnellePage.words;
  var say = varnellePage.say;
  var prose = varnellePage.prose;
  var plot = document.getElementById('depth-plot');
  var caption = document.getElementById('depth-caption');
  // The plot's size in its own units (its viewBox): as wide as it is shown,
  // in CSS pixels, so that its text keeps its size on a phone (never
  // narrower than the narrowest), and its margins, and the samples along
  // each curve.
  var narrowest = 280;
  var width = 480;
  var height = 300;
  var left = 56;
  var right = 24;
  var top = 16;
  var bottom = 44;
  var samples = 96;
  var percent = 100;
  var colours = {viewer: '#1d4fb8', yours: '#c8643c'};
  var scene = null;
  var followed = null;

  // Column-major entries of a matrix: row r, column c.
  function entry(m, r, c) {
    return m[c * 4 + r];
  }

  // The window depth of a point this far in front of the eye, through a
  // projection: its clip z over its w, from -1..1 to 0..1.
  function windowDepth(projection, distance) {
    var z = -distance;
    var clipZ = entry(projection, 2, 2) * z + entry(projection, 2, 3);
    var clipW = entry(projection, 3, 2) * z + entry(projection, 3, 3);
    return (clipZ / clipW + 1) / 2;
  }

  // Near and far, in front of the eye, from the projection itself.
  function planes(projection) {
    var a = entry(projection, 2, 2);
    var b = entry(projection, 2, 3);
    if (entry(projection, 3, 2) != 0) return {near: b / (a - 1), far: b / (a + 1)};
    return {near: (b + 1) / a, far: (b - 1) / a};
  }

  // How far in front of the eye the scene lies: its reach either side of
  // the origin's distance.
  function sceneExtent(state) {
    var originDistance = -entry(state.modelview, 2, 3);
    return {from: originDistance - scene.reach, to: originDistance + scene.reach};
  }

  function element(name, attributes, parent) {
    var e = document.createElementNS(svgNamespace, name);
    Object.keys(attributes).forEach(function(key) { e.setAttribute(key, attributes[key]); });
    (parent || plot).appendChild(e);
    return e;
  }

  function text(x, y, words, anchor) {
    var t = element('text', {x: x, y: y, 'text-anchor': anchor || 'middle', 'font-size': 14, fill: '#1d2330'});
    t.textContent = words;
    return t;
  }

  function draw() {
    var cameras = {};
    var viewer = varnellePage.latest('station');
    var yours = varnellePage.latest('yoursCamera');
    if (viewer) cameras.viewer = viewer;
    if (yours) cameras.yours = yours;
    var names = Object.keys(cameras);
    if (!scene || names.length == 0) return;
    var spans = names.map(function(name) { return planes(cameras[name].projection); });
    var lowest = Math.min.apply(null, spans.map(function(s) { return Math.min(s.near, s.far); }));
    var highest = Math.max.apply(null, spans.map(function(s) { return Math.max(s.near, s.far); }));
    if (!(highest > lowest)) return;
    var x = function(d) { return left + (d - lowest) / (highest - lowest) * (width - left - right); };
    var y = function(depth) { return height - bottom - depth * (height - top - bottom); };
    width = Math.max(narrowest, Math.round(plot.getBoundingClientRect().width) || width);
    plot.setAttribute('viewBox', '0 0 ' + width + ' ' + height);
    plot.textContent = '';
    element('rect', {x: left, y: top, width: width - left - right, height: height - top - bottom,
                     fill: '#f7f8fa', stroke: '#d5dae2'});
    var shares = {};
    names.forEach(function(name, i) {
      var state = cameras[name];
      var span = spans[i];
      var extent = sceneExtent(state);
      var from = Math.max(extent.from, Math.min(span.near, span.far));
      var to = Math.min(extent.to, Math.max(span.near, span.far));
      if (to > from) {
        element('rect', {x: x(from), y: top, width: x(to) - x(from), height: height - top - bottom,
                         fill: colours[name], 'fill-opacity': 0.12, 'data-camera': name});
        shares[name] = {from: from, to: to,
          share: Math.abs(windowDepth(state.projection, to) - windowDepth(state.projection, from))};
      }
      var points = [];
      for (var k = 0; k <= samples; k++) {
        var d = span.near + (span.far - span.near) * k / samples;
        points.push([d, windowDepth(state.projection, d)]);
      }
      element('polyline', {
        points: points.map(function(p) { return x(p[0]).toFixed(2) + ',' + y(p[1]).toFixed(2); }).join(' '),
        fill: 'none', stroke: colours[name], 'stroke-width': 2.5, 'data-camera': name,
        'data-samples': JSON.stringify(points),
      });
      var point = followed && followed[name];
      if (point && point.clip[3] > 0) {
        var distance = -point.eye[2];
        element('circle', {cx: x(distance), cy: y(point.window[2]), r: 5, fill: '#fff', stroke: colours[name],
                           'stroke-width': 2.5, 'data-camera': name});
      }
    });
    // The axes: depth 0 and 1, the distances at either end.
    text(left - 6, y(0) + 5, '0', 'end');
    text(left - 6, y(1) + 5, '1', 'end');
    text(left, height - bottom + 18, prose(lowest.toFixed(1)));
    text(width - right, height - bottom + 18, prose(highest.toFixed(1)));
    text((left + width - right) / 2, height - 8, words.depthAxis);
    var vertical = text(14, (top + height - bottom) / 2, words.depthValue);
    vertical.setAttribute('transform', 'rotate(-90 14 ' + (top + height - bottom) / 2 + ')');
    var share = function(name, who) {
      var s = shares[name];
      return s ? say(words.depthShare, {who: who, share: prose((percent * s.share).toFixed(1)),
                                        from: prose(s.from.toFixed(1)), to: prose(s.to.toFixed(1))})
        : say(words.depthNoScene, {who: who});
    };
    caption.textContent = [say(words.depthScene, {reach: prose(scene.reach)}),
      share('viewer', words.depthViewer), share('yours', words.depthYours), words.depthLesson].join(' ');
  }

  var drawSoon = varnellePage.onceAfterFrame(draw);

  ['station', 'yoursCamera'].forEach(function(kind) { varnellePage.listen(kind, drawSoon); });
  new ResizeObserver(drawSoon).observe(plot);
  varnellePage.listen('followed', function(chains) {
    followed = chains;
    drawSoon();
  });
  varnellePage.listen('observerReady', function(instance) {
    scene = instance.scene();
    document.getElementById('depth-section').hidden = false;
    drawSoon();
  });
})();
