// Varnelle web page: the words of the learner's own camera in English. The
// camera check gives a reason and the arguments it concerns; these say it,
// from the values the inputs hold. Offered as varnellePage.use('words').
(function() {
  'use strict';
  var degree = '\u00b0';
  var precisionAdvice = ': OpenGL\'s single-precision matrices cannot hold the volume they give. ' +
    'Bring them nearer to the scene\'s sizes.';

  // Each reason in words: said(names, value) where names are the arguments
  // concerned, and value gives an input's value as a message writes it:
  // value.shown(name) (a vector's name gives its three), value.number(name),
  // value.unreadable(name) (typed, but no number the browser can read), and
  // value.limit, the largest size the check lets through.
  var reasons = {
    notANumber: function(names, value) {
      return value.unreadable(names[0])
        ? names[0] + ' cannot be read as a number: it is too large for one, or not written as one.'
        : names[0] + ' is empty or not a number.';
    },
    outOfRange: function(names, value) {
      return names[0] + ' is ' + value.shown(names[0]) + ': keep every value between -' + value.limit +
        ' and ' + value.limit + ', where the page can show it.';
    },
    fovyNotPositive: function(names, value) {
      return 'fovy is ' + value.shown('fovy') + degree + ': a field of view must be more than 0' + degree +
        ' (and less than 180' + degree + '); at 0' + degree + ' the camera sees nothing.';
    },
    fovyNotBelowHalfTurn: function(names, value) {
      return 'fovy is ' + value.shown('fovy') + degree + ': a field of view must be less than 180' + degree +
        '; at 180' + degree + ' and beyond, what the camera sees has no edge.';
    },
    aspectNotPositive: function(names, value) {
      return 'aspect is ' + value.shown('aspect') + ': the aspect, the width of what the camera sees ' +
        'over its height, must be more than 0.';
    },
    nearNotInFront: function(names, value) {
      return 'near is ' + value.shown('near') + ': a perspective camera\'s near plane must be in ' +
        'front of the eye, at a distance more than 0.';
    },
    farNotInFront: function(names, value) {
      return 'far is ' + value.shown('far') + ': a perspective camera\'s far plane must be in front ' +
        'of the eye, at a distance more than 0.';
    },
    noWidth: function(names, value) {
      return 'left and right are ' + pair(value, 'left', 'right') + ': the volume would have no width.';
    },
    noHeight: function(names, value) {
      return 'bottom and top are ' + pair(value, 'bottom', 'top') + ': the volume would have no height.';
    },
    noDepth: function(names, value) {
      return 'near and far are ' + pair(value, 'near', 'far') + ': the volume would have no depth.';
    },
    eyeAtCenter: function(names, value) {
      return 'eye and center are the same point ' + value.shown('eye') +
        ': there is no line of sight to look along.';
    },
    upOfLengthZero: function(names, value) {
      return 'up is ' + value.shown('up') + ': a vector of length 0 gives no direction for up.';
    },
    upAlongSight: function(names, value) {
      return 'up ' + value.shown('up') + ' lies along the line of sight, from eye to center: ' +
        'gluLookAt cannot tell which way is up or right, and the matrix it builds sends every ' +
        'point to the middle of the picture.';
    },
    precisionAcross: function(names, value) {
      return names.length == 1
        ? 'aspect is ' + value.shown('aspect') + ', too narrow or too wide a picture' + precisionAdvice
        : 'left and right are ' + value.shown('left') + ' and ' + value.shown('right') + precisionAdvice;
    },
    precisionUp: function(names, value) {
      return names.length == 1
        ? 'fovy is ' + value.shown('fovy') + degree + ', too narrow or too wide an angle' + precisionAdvice
        : 'bottom and top are ' + value.shown('bottom') + ' and ' + value.shown('top') + precisionAdvice;
    },
    precisionDepth: function(names, value) {
      return 'near and far are ' + value.shown('near') + ' and ' + value.shown('far') +
        ', too far apart or too close' + precisionAdvice;
    },
    precisionView: function(names, value) {
      return 'eye ' + value.shown('eye') + ' and center ' + value.shown('center') + precisionAdvice;
    },
    depthReversed: function(names, value) {
      return 'Note: far (' + value.shown('far') + ') is nearer than near (' + value.shown('near') +
        '). OpenGL takes it, but depth comes out reversed: the depth test then keeps what is ' +
        'farthest and hides what is nearer.';
    },
    fovyNearHalfTurn: function(names, value) {
      return 'Note: fovy is ' + value.shown('fovy') + degree + ', close to 180' + degree + ': the ' +
        'camera sees almost half of everything around it, and the picture\'s edges are stretched ' +
        'beyond recognition.';
    },
  };

  // Two values, "both 5" when they are equal; in full when six digits would
  // show them the same.
  function pair(value, first, second) {
    if (value.number(first) === value.number(second)) return 'both ' + value.shown(first);
    var apart = value.shown(first) != value.shown(second);
    return (apart ? value.shown(first) + ' and ' + value.shown(second)
      : String(value.number(first)) + ' and ' + String(value.number(second))) +
      ', too close for OpenGL\'s single precision to tell apart';
  }

  varnellePage.offer('words', {
    reasons: reasons,
    // A number too large to show as one.
    tooLarge: 'too large for a number',
    projectionKinds: {perspective: 'perspective', orthographic: 'orthographic'},
    projection: 'projection',
    slider: function(name) { return name + ' slider'; },
    nearFar: 'near, far',
    copied: 'Copied',
    copy: 'Copy',
    copyAddress: 'Copy the address',
    // The point followed: a cone's tip by its colour and the axis it
    // points along; the steps of its chain and the cameras.
    coneTip: function(cone) {
      var names = ['x', 'y', 'z'];
      var axis = cone.axis.findIndex(function(v) { return v != 0; });
      return 'the ' + cone.colour + ' tip, on ' + (cone.axis[axis] > 0 ? '+' : '\u2212') + names[axis] +
        ' (' + cone.tip.map(function(v) { return String(v + 0); }).join(', ') + ')';
    },
    chainStep: {eye: 'eye', clip: 'clip', device: 'normalised device', window: 'window'},
    chainCamera: {viewer: 'viewer', yours: 'yours'},
    chainStepHeading: 'coordinates',
    chainCameraHeading: 'camera',
    // The depth plot.
    depthAxis: 'distance in front of the eye',
    depthValue: 'window depth',
    depthCaption: function(shares, reach, percent) {
      var said = function(name, who) {
        var s = shares[name];
        return s ? who + ' gives the scene ' + (percent * s.share).toFixed(1) + ' % of the depth range (from ' +
          s.from.toFixed(1) + ' to ' + s.to.toFixed(1) + ' in front of the eye)' : who + ' does not hold the scene';
      };
      return 'The scene lies within ' + reach + ' units of the origin. ' + said('viewer', 'The viewer\'s station') +
        '; ' + said('yours', 'your camera') + '. What the depth buffer tells apart, it tells apart only ' +
        'within that share; a nearer near plane gives the scene less of it.';
    },
  });
})();
