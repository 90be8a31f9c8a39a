// Varnelle web page: your own camera (#yours). Loaded with the outside
// view's program (learning.js), it makes a second instance of that program
// on #yours-view and hands it the arguments the learner types; the program
// checks them and applies a sound camera with the real glOrtho or
// gluPerspective and gluLookAt, then draws the viewer's scene through it.
// The calls it made and the matrices OpenGL then holds come back through
// the viewer's own recorder (#yours-calls, #yours-projection,
// #yours-modelview), and the outside view draws the camera's volume in
// coral. A senseless value gets a message (#yours-warning) that names the
// input and why, and the input is marked; the picture, the volume, the
// calls and the matrices stay those of the last sound camera. A sound but
// surprising camera (far nearer than near, an angle close to 180°) is
// applied with a note. The check gives a reason; the words are the page's.
//
// The inputs open with the viewer's station as the page shows it; the
// camera is made at the learner's first change, or first press of
// #yours-from-station, which fills every input with the arguments of the
// viewer's latest station application, at full precision. Each change shows
// by the next animation frame. Nothing here reaches the viewer.
//
// For whoever reads the page from outside (the browser test): #yours-calls
// carries data-shows, the number of sound cameras shown, and #yours-view
// data-ready once its program has loaded.
(function() {
  'use strict';
  function element(id) {
    return document.getElementById(id);
  }
  var kindInput = element('yours-kind');
  var warning = element('yours-warning');
  var callsPanel = element('yours-calls');
  var copyButton = element('yours-copy');
  // The inputs by their names (their ids after "yours-"), in the calls'
  // order: gluPerspective's or glOrtho's, near and far, then gluLookAt's.
  var lensNames = ['fovy', 'aspect'];
  var boxNames = ['left', 'right', 'bottom', 'top'];
  var depthNames = ['near', 'far'];
  var vectorNames = ['eye', 'center', 'up'];
  var axes = ['x', 'y', 'z'];
  var viewNames = [];
  vectorNames.forEach(function(vector) {
    axes.forEach(function(axis) { viewNames.push(vector + '-' + axis); });
  });
  var numberNames = lensNames.concat(boxNames, depthNames, viewNames);
  // The inputs that have a slider beside them (id "yours-NAME-slider").
  var sliderNames = lensNames.concat(depthNames);
  // The orthographic station's view, the identity, as gluLookAt's arguments
  // make it: from the origin, looking at (0, 0, -1), with +y up.
  var identityView = [0, 0, 0, 0, 0, -1, 0, 1, 0];
  // How long the copy button says it has copied, milliseconds.
  var copiedMs = 1500;

  // The program's instance that draws through the camera (null until it
  // has loaded), whether the learner has made a camera, whether an update
  // waits for the next animation frame, and how many sound cameras were shown.
  var preview = null;
  var made = false;
  var updatePending = false;
  var shown = 0;

  function input(name) {
    return element('yours-' + name);
  }

  // A number as typed: NaN for an empty or unreadable input.
  function typed(name) {
    var text = input(name).value.trim();
    return text === '' ? NaN : Number(text);
  }

  function camera() {
    var c = {perspective: kindInput.value == 'perspective'};
    lensNames.concat(boxNames, depthNames).forEach(function(name) { c[name] = typed(name); });
    vectorNames.forEach(function(vector) {
      c[vector] = axes.map(function(axis) { return typed(vector + '-' + axis); });
    });
    return c;
  }

  // Only the chosen projection's own inputs show.
  function showKind() {
    var perspective = kindInput.value == 'perspective';
    element('yours-lens').hidden = !perspective;
    element('yours-box').hidden = perspective;
  }

  // A slider shows its input's number, if it is one.
  function syncSlider(name) {
    var slider = element('yours-' + name + '-slider');
    if (slider && isFinite(typed(name))) slider.value = String(typed(name));
  }

  function setNumber(name, value) {
    input(name).value = String(value);
    syncSlider(name);
  }

  // Every input from the viewer's station application: its projection's
  // arguments and its view's, as it passed them (station 0 passes no view:
  // the identity's). The other projection's inputs keep what they hold.
  function fillFromStation(station) {
    var byName = {};
    station.calls.forEach(function(call) { byName[call.name] = call.arguments; });
    var projection = byName.gluPerspective ? lensNames.concat(depthNames)
      : boxNames.concat(depthNames);
    var values = byName.gluPerspective || byName.glOrtho;
    if (!values) return;
    kindInput.value = byName.gluPerspective ? 'perspective' : 'orthographic';
    projection.forEach(function(name, i) { setNumber(name, values[i]); });
    var view = byName.gluLookAt || identityView;
    viewNames.forEach(function(name, i) { setNumber(name, view[i]); });
    showKind();
  }

  // A number as a message writes it: at most six significant digits.
  function shownNumber(value) {
    return String(Number(value.toPrecision(6)));
  }
  // An input's value as a message writes it; a vector's as (x, y, z).
  function shownValue(name) {
    if (vectorNames.indexOf(name) >= 0) {
      return '(' + axes.map(function(axis) { return shownValue(name + '-' + axis); }).join(', ') + ')';
    }
    var value = typed(name);
    return isFinite(value) ? shownNumber(value) : 'too large for a number';
  }
  // Two inputs' values, "both 5" when they are equal.
  // in full when six digits would show them the same.
  function pairWords(first, second) {
    if (typed(first) === typed(second)) return 'both ' + shownValue(first);
    var apart = shownValue(first) != shownValue(second);
    return (apart ? shownValue(first) + ' and ' + shownValue(second)
      : String(typed(first)) + ' and ' + String(typed(second))) +
      ', too close for OpenGL\'s single precision to tell apart';
  }
  var degree = '\u00b0';
  var precisionAdvice = ': OpenGL\'s single-precision matrices cannot hold the volume they give. ' +
    'Bring them nearer to the scene\'s sizes.';
  // The check's reasons in words, each from the names of the arguments
  // concerned; the values are read from the inputs.
  var reasonWords = {
    notANumber: function(names) {
      return input(names[0]).validity.badInput
        ? names[0] + ' cannot be read as a number: it is too large for one, or not written as one.'
        : names[0] + ' is empty or not a number.';
    },
    outOfRange: function(names) {
      return names[0] + ' is ' + shownValue(names[0]) + ': keep every value between -1000000 and ' +
        '1000000, where the page can show it.';
    },
    fovyNotPositive: function() {
      return 'fovy is ' + shownValue('fovy') + degree + ': a field of view must be more than 0' + degree +
        ' (and less than 180' + degree + '); at 0' + degree + ' the camera sees nothing.';
    },
    fovyNotBelowHalfTurn: function() {
      return 'fovy is ' + shownValue('fovy') + degree + ': a field of view must be less than 180' + degree +
        '; at 180' + degree + ' and beyond, what the camera sees has no edge.';
    },
    aspectNotPositive: function() {
      return 'aspect is ' + shownValue('aspect') + ': the aspect, the width of what the camera sees over ' +
        'its height, must be more than 0.';
    },
    nearNotInFront: function() {
      return 'near is ' + shownValue('near') + ': a perspective camera\'s near plane must be in front of ' +
        'the eye, at a distance more than 0.';
    },
    farNotInFront: function() {
      return 'far is ' + shownValue('far') + ': a perspective camera\'s far plane must be in front of ' +
        'the eye, at a distance more than 0.';
    },
    noWidth: function() {
      return 'left and right are ' + pairWords('left', 'right') + ': the volume would have no width.';
    },
    noHeight: function() {
      return 'bottom and top are ' + pairWords('bottom', 'top') + ': the volume would have no height.';
    },
    noDepth: function() {
      return 'near and far are ' + pairWords('near', 'far') + ': the volume would have no depth.';
    },
    eyeAtCenter: function() {
      return 'eye and center are the same point ' + shownValue('eye') +
        ': there is no line of sight to look along.';
    },
    upOfLengthZero: function() {
      return 'up is ' + shownValue('up') + ': a vector of length 0 gives no direction for up.';
    },
    upAlongSight: function() {
      return 'up ' + shownValue('up') + ' lies along the line of sight, from eye to center: gluLookAt ' +
        'cannot tell which way is up or right, and the matrix it builds sends every point to the ' +
        'middle of the picture.';
    },
    precisionAcross: function(names) {
      return names.length == 1
        ? 'aspect is ' + shownValue('aspect') + ', too narrow or too wide a picture' + precisionAdvice
        : 'left and right are ' + shownValue('left') + ' and ' + shownValue('right') + precisionAdvice;
    },
    precisionUp: function(names) {
      return names.length == 1
        ? 'fovy is ' + shownValue('fovy') + degree + ', too narrow or too wide an angle' + precisionAdvice
        : 'bottom and top are ' + shownValue('bottom') + ' and ' + shownValue('top') + precisionAdvice;
    },
    precisionDepth: function() {
      return 'near and far are ' + shownValue('near') + ' and ' + shownValue('far') +
        ', too far apart or too close' + precisionAdvice;
    },
    precisionView: function() {
      return 'eye ' + shownValue('eye') + ' and center ' + shownValue('center') + precisionAdvice;
    },
    depthReversed: function() {
      return 'Note: far (' + shownValue('far') + ') is nearer than near (' + shownValue('near') +
        '). OpenGL takes it, but depth comes out reversed: the depth test then keeps what is ' +
        'farthest and hides what is nearer.';
    },
    fovyNearHalfTurn: function() {
      return 'Note: fovy is ' + shownValue('fovy') + degree + ', close to 180' + degree + ': the camera ' +
        'sees almost half of everything around it, and the picture\'s edges are stretched beyond ' +
        'recognition.';
    },
  };

  // The check's verdict: its reason in words, and the inputs it concerns
  // marked (a whole vector's name marks its three inputs): as invalid when
  // the camera was refused, as noted when it was applied.
  function showVerdict(verdict) {
    var words = reasonWords[verdict.reason];
    warning.textContent = words ? words(verdict.arguments) : '';
    warning.classList.toggle('note', verdict.applied);
    numberNames.forEach(function(name) {
      var concerned = verdict.arguments.indexOf(name) >= 0 ||
        verdict.arguments.indexOf(name.split('-')[0]) >= 0;
      if (concerned && !verdict.applied) input(name).setAttribute('aria-invalid', 'true');
      else input(name).removeAttribute('aria-invalid');
      input(name).classList.toggle('noted', concerned && verdict.applied);
    });
  }

  function update() {
    updatePending = false;
    if (!preview || !made) return;
    showVerdict(preview.applyCamera(camera()));
  }

  // Make the camera from the inputs in the next animation frame, once,
  // however many changes come before it.
  function updateSoon() {
    made = true;
    if (updatePending) return;
    updatePending = true;
    requestAnimationFrame(update);
  }

  // A sound camera applied: its calls and what OpenGL then holds, read back.
  function applied(state) {
    shown++;
    callsPanel.textContent = varnellePanels.callsText(state.calls);
    callsPanel.dataset.shows = String(shown);
    element('yours-projection').textContent = varnellePanels.matrixText(state.projection);
    element('yours-modelview').textContent = varnellePanels.matrixText(state.modelview);
    varnellePanels.showYours(state);
  }

  element('yours-inputs').addEventListener('input', function(event) {
    var id = event.target.id;
    if (/-slider$/.test(id)) input(id.slice('yours-'.length, -'-slider'.length)).value = event.target.value;
    else if (sliderNames.indexOf(id.slice('yours-'.length)) >= 0) syncSlider(id.slice('yours-'.length));
    if (event.target == kindInput) showKind();
    updateSoon();
  });

  element('yours-from-station').addEventListener('click', function() {
    if (varnellePanels.latest) fillFromStation(varnellePanels.latest);
    updateSoon();
  });

  // Copy the calls as text: through the clipboard where the page may use it
  // (a secure context, such as 127.0.0.1), else by selecting them.
  copyButton.addEventListener('click', function() {
    var text = callsPanel.textContent;
    var copied = function() {
      copyButton.textContent = 'Copied';
      setTimeout(function() { copyButton.textContent = 'Copy'; }, copiedMs);
    };
    var bySelection = function() {
      var range = document.createRange();
      range.selectNodeContents(callsPanel);
      var selection = window.getSelection();
      selection.removeAllRanges();
      selection.addRange(range);
      if (document.execCommand('copy')) copied();
    };
    if (navigator.clipboard && window.isSecureContext) {
      navigator.clipboard.writeText(text).then(copied, bySelection);
    } else {
      bySelection();
    }
  });

  if (varnellePanels.latest) fillFromStation(varnellePanels.latest);
  sliderNames.forEach(syncSlider);
  varnellePanels.createObserver(element('yours-view'), 'your camera', {onStationApplied: applied})
    .then(function(instance) {
      preview = instance;
      element('yours').hidden = false;
      element('yours-view').dataset.ready = 'true';
      if (made) update();
    }, function(reason) { varnellePanels.loadFailed('Your own camera', reason); });
})();
