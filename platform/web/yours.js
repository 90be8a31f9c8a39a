// Varnelle web page: your own camera (#yours). An instance of the outside
// view's program on #yours-view takes the arguments the learner types; it
// checks them and applies a sound camera with the real glOrtho or
// gluPerspective and gluLookAt, then draws the viewer's scene through it.
// The calls it made and the matrices OpenGL then holds come back through
// the viewer's own recorder (#yours-calls, #yours-projection,
// #yours-modelview), and the outside view draws the camera's volume in
// coral. The inputs are built from the camera's arguments as the program
// describes them (their names, order, calls and sliders). A senseless value
// gets a message (#yours-warning) that names the input and why, and the
// input is marked; the picture, the volume, the calls and the matrices stay
// those of the last sound camera. A sound but surprising camera (far nearer
// than near, an angle close to 180 degrees) is applied with a note. The
// check gives a reason; the words are the page's (words-en.js, words-fr.js).
//
// Your camera follows the viewer (#yours-follow, checked at load): each of
// the viewer's station applications fills every input with its arguments,
// at full precision, and is applied here too. Changing any input stops
// following; checking the box again follows again (#yours-from-station
// takes the latest station once). An address with a camera in it
// (?kind=perspective&fovy=25&aspect=1.5&near=40&far=160&eye=0,50,100&
// center=0,0,0&up=0,1,0, or kind=orthographic with left, right, bottom,
// top, near and far) opens with that camera, checked as a typed one, and
// #yours-link always gives the address of the camera shown. A drag on the
// picture turns your eye round the centre at the same distance; the wheel
// or a pinch brings it nearer or farther. Each change shows by the next
// animation frame. While it follows, the outside view draws no second
// volume: it would lie on the viewer's. Nothing here reaches the viewer.
//
// For whoever reads the page from outside (the browser test): #yours-calls
// carries data-shows, the number of sound cameras shown, and #yours-view
// data-ready once its program has loaded.
(function() {
  'use strict';
  function element(id) {
    return document.getElementById(id);
  }
  var format = varnellePage.use('format');
  var programs = varnellePage.use('programs');
  var words = varnellePage.words;
  var say = varnellePage.say;
  var form = element('yours-inputs');
  var warning = element('yours-warning');
  var callsPanel = element('yours-calls');
  var copyButton = element('yours-copy');
  var pointer = varnellePage.use('pointer');
  var axes = ['x', 'y', 'z'];
  // The orthographic station's view, the identity, as gluLookAt's arguments
  // make it: from the origin, looking at (0, 0, -1), with +y up.
  var identityView = [0, 0, 0, 0, 0, -1, 0, 1, 0];
  // How long the copy button says it has copied, milliseconds.
  var copiedMs = 1500;

  // The program's instance that draws through the camera and the table of
  // the camera's arguments (null until it has loaded), the kind input,
  // whether the learner has made a camera, whether an update waits for the
  // next animation frame, and how many sound cameras were shown.
  var preview = null;
  var table = null;
  var kindInput = null;
  var made = false;
  var updatePending = false;
  var shown = 0;
  var followInput = element('yours-follow');
  var linkElement = element('yours-link');
  // Significant digits an eye moved by hand keeps.
  var movedDigits = 9;

  function input(name) {
    return element('yours-' + name);
  }

  // The arguments of a kind of projection, in the table's order.
  function argumentsOf(perspective) {
    return table.arguments.filter(function(a) {
      return a.use == 'both' || (a.use == 'perspective') == perspective;
    });
  }

  function perspectiveChosen() {
    return kindInput.value == 'perspective';
  }

  // A number as typed: NaN for an empty or unreadable input.
  function typed(name) {
    var text = input(name).value.trim();
    return text === '' ? NaN : Number(text);
  }

  function camera() {
    var c = {perspective: perspectiveChosen()};
    table.arguments.forEach(function(a) { c[a.name] = typed(a.name); });
    return c;
  }

  // Only the chosen projection's own inputs show.
  function showKind() {
    form.querySelectorAll('fieldset[data-use]').forEach(function(fieldset) {
      fieldset.hidden = fieldset.dataset.use != 'both' &&
        (fieldset.dataset.use == 'perspective') != perspectiveChosen();
    });
  }

  // A slider shows its input's number, if it is one.
  function syncSlider(name) {
    var slider = element('yours-' + name + '-slider');
    if (slider && isFinite(typed(name))) slider.value = String(typed(name));
  }

  function setNumber(name, value) {
    input(name).value = String(value);
    fitWidth(input(name));
    syncSlider(name);
  }

  // A number's input as wide as its value (the page's style keeps it from
  // being narrower than usual): a station's exact values are long.
  function fitWidth(number) {
    number.style.width = 'calc(' + number.value.length + 'ch + 2em)';
  }

  // The inputs: the projection's kind, then one group of inputs for each
  // call (near and far together), each argument labelled by its name, the
  // coordinates of a vector on one line under the vector's name.
  function buildInputs() {
    var kindLabel = document.createElement('label');
    kindLabel.textContent = words.projection + ' ';
    kindInput = document.createElement('select');
    kindInput.id = 'yours-kind';
    ['perspective', 'orthographic'].forEach(function(kind) {
      var option = document.createElement('option');
      option.value = kind;
      option.textContent = words.projectionKinds[kind];
      kindInput.appendChild(option);
    });
    kindLabel.appendChild(kindInput);
    form.appendChild(kindLabel);
    var fieldset = null;
    var group = undefined;
    table.arguments.forEach(function(a) {
      if (a.call !== group) {
        group = a.call;
        fieldset = document.createElement('fieldset');
        fieldset.dataset.use = a.use;
        var legend = document.createElement('legend');
        legend.textContent = a.call || words.nearFar;
        fieldset.appendChild(legend);
        form.appendChild(fieldset);
      }
      var parts = a.name.split('-');
      var label = document.createElement('label');
      // A vector's coordinates: its name before x, then y and z alone.
      label.textContent = (parts.length == 2 && parts[1] != 'x' ? parts[1] : parts.join(' ')) + ' ';
      var number = document.createElement('input');
      number.id = 'yours-' + a.name;
      number.type = 'number';
      number.step = 'any';
      label.appendChild(number);
      if (a.slider) {
        var slider = document.createElement('input');
        slider.id = 'yours-' + a.name + '-slider';
        slider.type = 'range';
        slider.min = String(a.slider[0]);
        slider.max = String(a.slider[1]);
        slider.step = String(a.slider[2]);
        slider.setAttribute('aria-label', say(words.slider, {name: a.name}));
        label.appendChild(document.createTextNode(' '));
        label.appendChild(slider);
      }
      fieldset.appendChild(label);
      if (parts.length == 2 && parts[1] == 'z') fieldset.appendChild(document.createElement('br'));
    });
  }

  // Every input from the viewer's station application: its projection's
  // arguments and its view's, as it passed them (station 0 passes no view:
  // the identity's). The other projection's inputs keep what they hold.
  function fillFromStation(station) {
    var byName = {};
    station.calls.forEach(function(call) { byName[call.name] = call.arguments; });
    var perspective = Boolean(byName.gluPerspective);
    var projection = byName.gluPerspective || byName.glOrtho;
    if (!projection) return;
    kindInput.value = perspective ? 'perspective' : 'orthographic';
    var view = byName.gluLookAt || identityView;
    var projectionIndex = 0;
    var viewIndex = 0;
    argumentsOf(perspective).forEach(function(a) {
      if (a.call == 'gluLookAt') setNumber(a.name, view[viewIndex++]);
      else setNumber(a.name, projection[projectionIndex++]);
    });
    showKind();
  }

  // An input's value as a message writes it: at most six significant
  // digits, with the language's decimal sign; a vector's as (x, y, z).
  function valueText(name) {
    if (table.vectors.indexOf(name) >= 0) {
      return "(" + axes.map(function(axis) { return valueText(name + "-" + axis); }).join(", ") + ")";
    }
    var number = typed(name);
    return isFinite(number) ? varnellePage.prose(Number(number.toPrecision(6))) : words.tooLarge;
  }

  // Two inputs' values: "both 5" when they are equal, in full when six
  // digits would show them the same.
  function pair(first, second) {
    if (typed(first) === typed(second)) return say(words.pairBoth, {first: valueText(first)});
    var apart = valueText(first) != valueText(second);
    return say(words.pairClose, {
      first: apart ? valueText(first) : varnellePage.prose(typed(first)),
      second: apart ? valueText(second) : varnellePage.prose(typed(second)),
    });
  }

  // The check's reason in words: which of the table's texts says it, and
  // the values it names.
  function reasonWords(verdict) {
    var names = verdict.arguments;
    var reason = verdict.reason;
    if (reason == 'none') return '';
    if (reason == 'notANumber' && input(names[0]).validity.badInput) reason = 'unreadable';
    if (reason == 'precisionAcross' && names.length == 1) reason = 'precisionAspect';
    if (reason == 'precisionUp' && names.length == 1) reason = 'precisionFovy';
    var values = {name: names[0], limit: table.largest, precision: words.precision};
    if (names.length == 1 && table.vectors.indexOf(names[0]) < 0) values.value = valueText(names[0]);
    table.arguments.forEach(function(a) { values[a.name] = valueText(a.name); });
    table.vectors.forEach(function(vector) { values[vector] = valueText(vector); });
    values.pair = {noWidth: pair('left', 'right'), noHeight: pair('bottom', 'top'),
                   noDepth: pair('near', 'far')}[reason];
    return say(words.reasons[reason], values);
  }

  // The check's verdict: its reason in words, and the inputs it concerns
  // marked (a whole vector's name marks its three inputs): as invalid when
  // the camera was refused, as noted when it was applied.
  function showVerdict(verdict) {
    warning.textContent = reasonWords(verdict);
    warning.classList.toggle('note', verdict.applied);
    table.arguments.forEach(function(a) {
      var concerned = verdict.arguments.indexOf(a.name) >= 0 ||
        verdict.arguments.indexOf(a.name.split('-')[0]) >= 0;
      if (concerned && !verdict.applied) input(a.name).setAttribute('aria-invalid', 'true');
      else input(a.name).removeAttribute('aria-invalid');
      input(a.name).classList.toggle('noted', concerned && verdict.applied);
    });
  }

  function update() {
    updatePending = false;
    if (!preview || !made) return;
    showVerdict(preview.applyCamera(camera()));
    showLink();
  }

  // The camera the inputs hold as an address's query: its kind, then each
  // of its arguments by name, a vector's three coordinates together.
  function cameraQuery() {
    var perspective = perspectiveChosen();
    var query = new URLSearchParams();
    query.set('kind', perspective ? 'perspective' : 'orthographic');
    argumentsOf(perspective).forEach(function(a) {
      var parts = a.name.split('-');
      if (parts.length == 1) query.set(a.name, input(a.name).value);
      else if (parts[1] == 'x') {
        query.set(parts[0], axes.map(function(axis) { return input(parts[0] + '-' + axis).value; }).join(','));
      }
    });
    // The page's language, if the address chose one, stays.
    var language = new URLSearchParams(location.search).get('lang');
    if (language) query.set('lang', language);
    return query;
  }

  function showLink() {
    var address = location.origin + location.pathname + '?' + cameraQuery().toString().replace(/%2C/g, ',');
    linkElement.href = address;
    linkElement.textContent = address;
  }

  // The camera an address holds, into the inputs: true if it holds one.
  function fillFromAddress() {
    var query = new URLSearchParams(location.search);
    if (!query.has('kind')) return false;
    var perspective = query.get('kind') != 'orthographic';
    kindInput.value = perspective ? 'perspective' : 'orthographic';
    argumentsOf(perspective).forEach(function(a) {
      var parts = a.name.split('-');
      var text = parts.length == 1 ? query.get(a.name)
        : (query.get(parts[0]) || '').split(',')[axes.indexOf(parts[1])];
      input(a.name).value = text === null || text === undefined ? '' : text.trim();
      syncSlider(a.name);
    });
    showKind();
    return true;
  }

  // Follow the viewer's station, or stop.
  function follow(on) {
    followInput.checked = on;
    if (on) {
      var station = varnellePage.latest('station');
      if (station && table) fillFromStation(station);
      updateSoon();
    }
  }

  // Turn the eye round the centre: by yaw degrees about the camera's up,
  // pitch degrees about its right, and bring it factor times nearer.
  function turnEye(yaw, pitch, factor) {
    if (!table) return;
    var vector = function(name) { return axes.map(function(axis) { return typed(name + '-' + axis); }); };
    var eye = vector('eye');
    var center = vector('center');
    var up = vector('up');
    var offset = eye.map(function(v, i) { return v - center[i]; });
    var distance = Math.hypot.apply(null, offset);
    if (!(distance > 0) || !isFinite(distance)) return;
    var unit = function(v) {
      var n = Math.hypot.apply(null, v);
      return v.map(function(x) { return x / n; });
    };
    var cross = function(a, b) {
      return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]];
    };
    // Rodrigues' formula: v turned by the angle (degrees) about the unit axis.
    var turned = function(v, axis, degrees) {
      var angle = degrees * Math.PI / 180;
      var c = Math.cos(angle);
      var s = Math.sin(angle);
      var across = cross(axis, v);
      var along = (axis[0] * v[0] + axis[1] * v[1] + axis[2] * v[2]) * (1 - c);
      return v.map(function(x, i) { return x * c + across[i] * s + axis[i] * along; });
    };
    var upAxis = unit(up);
    var rightAxis = unit(cross(offset, upAxis));
    var moved = turned(offset, upAxis, yaw);
    if (isFinite(rightAxis[0])) moved = turned(moved, rightAxis, pitch);
    moved = unit(moved).map(function(x) { return x * distance / factor; });
    axes.forEach(function(axis, i) {
      setNumber('eye-' + axis, Number((center[i] + moved[i]).toPrecision(movedDigits)));
    });
    followInput.checked = false;
    updateSoon();
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
    callsPanel.textContent = format.callsText(state.calls);
    callsPanel.dataset.shows = String(shown);
    element('yours-projection').textContent = format.matrixText(state.projection);
    element('yours-modelview').textContent = format.matrixText(state.modelview);
    varnellePage.tell('yours', followInput.checked ? null : state);
    varnellePage.tell('yoursCamera', state);
  }

  form.addEventListener('input', function(event) {
    followInput.checked = false;
    var id = event.target.id;
    if (/-slider$/.test(id)) {
      var number = input(id.slice('yours-'.length, -'-slider'.length));
      number.value = event.target.value;
      fitWidth(number);
    } else {
      syncSlider(id.slice('yours-'.length));
      if (event.target.type == 'number') fitWidth(event.target);
    }
    if (event.target == kindInput) showKind();
    updateSoon();
  });

  element('yours-from-station').addEventListener('click', function() {
    var station = varnellePage.latest('station');
    if (station && table) fillFromStation(station);
    updateSoon();
  });

  followInput.addEventListener('change', function() { follow(followInput.checked); });
  // Following, your camera takes each station once the viewer's frame is on
  // the screen.
  varnellePage.listen('station', function(station) {
    if (followInput.checked && table) {
      varnellePage.afterFrame(function() {
        if (!followInput.checked) return;
        fillFromStation(varnellePage.latest('station'));
        made = true;
        update();
      });
    }
  });
  element('yours-view').addEventListener('mousedown', function(event) { event.preventDefault(); });
  pointer.attach(element('yours-view'), turnEye);

  // A button that copies an element's text: through the clipboard where the
  // page may use it (a secure context, such as 127.0.0.1), else by
  // selecting it; the button says so a moment.
  function copies(button, source, label) {
    button.addEventListener('click', function() {
      var copied = function() {
        button.textContent = words.copied;
        setTimeout(function() { button.textContent = label; }, copiedMs);
      };
      var bySelection = function() {
        var range = document.createRange();
        range.selectNodeContents(source);
        var selection = window.getSelection();
        selection.removeAllRanges();
        selection.addRange(range);
        if (document.execCommand('copy')) copied();
      };
      if (navigator.clipboard && window.isSecureContext) {
        navigator.clipboard.writeText(source.textContent).then(copied, bySelection);
      } else {
        bySelection();
      }
    });
  }
  copies(copyButton, callsPanel, words.copy);
  copies(element('yours-link-copy'), linkElement, words.copyAddress);

  // Made once the outside view has drawn its first picture (or could not,
  // or its script could not be loaded), in a task of its own.
  var creating = false;
  ['outsideSettled', 'panelFailed'].forEach(function(kind) {
    varnellePage.listen(kind, function() {
      if (creating) return;
      creating = true;
      varnellePage.afterFrame(create);
    });
  });
  function create() {
    programs.create(element('yours-view'), 'your camera', {onStationApplied: applied}).then(function(instance) {
      preview = instance;
      table = instance.cameraArguments();
      buildInputs();
      if (fillFromAddress()) {
        followInput.checked = false;
      } else {
        var station = varnellePage.latest('station');
        if (station) fillFromStation(station);
      }
      showKind();
      element('yours').hidden = false;
      element('yours-view').dataset.ready = 'true';
      // Never an empty picture: the camera is made at once.
      updateSoon();
    }, function(reason) { programs.loadFailed(words.whatYours, reason); });
  }
})();
