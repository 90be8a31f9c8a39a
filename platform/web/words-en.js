// Varnelle web page: every text the page shows, in English. The French
// table (words-fr.js) has the same entries; the browser test fails on an
// entry missing from either. Texts with {names} are filled in by the page;
// the trace, the calls and the matrices stay as the viewer and OpenGL
// write them.
var varnelleWords = varnelleWords || {};
varnelleWords.en = {
  languageName: 'English',
  // A decimal as prose writes it (code and matrices keep the point).
  decimalPoint: '.',
  heading: 'Varnelle: camera set-ups in OpenGL',
  intro: 'Varnelle is a small OpenGL viewer for learning how camera set-ups work: a lit sphere and six ' +
    'coloured cones seen through four camera stations, one orthographic and three perspective. Click the ' +
    'picture, then use the keys (or the buttons under it). With it, the same camera seen from outside, the ' +
    'calls its station made and the matrices OpenGL holds, as they change.',
  otherLanguage: 'Cette page en français',

  viewerLabel: 'the viewer',
  canvasLabel: 'the viewer\'s picture',
  keyNextStation: 'next station',
  keyFullScreen: 'full screen',
  keyBackground: 'background',
  keyWireframe: 'wireframe',
  keyStop: 'stop',
  viewerHelp: 'The picture takes every character key, Tab included. To leave it with the keyboard, press ' +
    'the down arrow (\u2193): it moves to the buttons under the picture. The browser\'s own F6 also leaves ' +
    'the page.',
  ended: 'The viewer ended with exit status {status}. Reload the page to start it again.',
  // What the picture shows, in words.
  describeOrthographic: 'Station {station}: orthographic, looking along -z from the origin',
  describePerspective: 'Station {station}: perspective from {eye}',
  describe: '{station}; {background} background; {polygons}; {width} by {height} pixels{fullScreen}.',
  backgrounds: ['grey', 'white', 'black'],
  polygonsFilled: 'filled polygons',
  polygonsWireframe: 'wireframe',
  inFullScreen: ', in full screen',

  outsideLabel: 'the camera seen from outside',
  outsideHeading: 'The camera seen from outside',
  outsideCanvasLabel: 'the scene and the viewing volume of the viewer\'s station, seen from outside',
  outsideHelp: 'Drag to turn round the scene, use the wheel or pinch to come nearer.',
  reset: 'Back to the documentation\'s view',

  loadFailedPanels: 'The panels around the viewer could not be loaded ({file} could not be fetched).',
  loadFailed: '{what} could not be loaded ({why}).',
  loadFailedOne: 'The viewer works without it; reload the page to try again.',
  loadFailedMany: 'The viewer works without them; reload the page to try again.',
  fileNotFetched: '{file} could not be fetched',
  whatOutside: 'The camera seen from outside',
  whatYours: 'Your own camera',

  yoursLabel: 'your own camera',
  yoursHeading: 'Your own camera',
  yoursIntro: 'It follows the viewer\'s station until you change a value: then watch its picture, its ' +
    'volume in the outside view (coral), its calls and its matrices follow you. Drag its picture to move ' +
    'your eye round the centre; the wheel or a pinch brings it nearer. Nothing here reaches the viewer.',
  follow: 'Follow the viewer\'s station',
  fromStation: 'From the viewer\'s station',
  linkLabel: 'This camera\'s address:',
  copyAddress: 'Copy the address',
  yoursViewLabel: 'the scene through your camera',
  yoursPanelsLabel: 'your calls and matrices',
  yoursCalls: 'Your calls',
  copy: 'Copy',
  copied: 'Copied',
  projection: 'projection',
  projectionKinds: {perspective: 'perspective', orthographic: 'orthographic'},
  nearFar: 'near, far',
  slider: '{name} slider',
  tooLarge: 'too large for a number',

  // Your camera's check: each reason in words, from the arguments' values.
  reasons: {
    notANumber: '{name} is empty or not a number.',
    unreadable: '{name} cannot be read as a number: it is too large for one, or not written as one.',
    outOfRange: '{name} is {value}: keep every value between -{limit} and {limit}, where the page can show it.',
    fovyNotPositive: 'fovy is {fovy}\u00b0: a field of view must be more than 0\u00b0 (and less than 180\u00b0); ' +
      'at 0\u00b0 the camera sees nothing.',
    fovyNotBelowHalfTurn: 'fovy is {fovy}\u00b0: a field of view must be less than 180\u00b0; at 180\u00b0 and ' +
      'beyond, what the camera sees has no edge.',
    aspectNotPositive: 'aspect is {aspect}: the aspect, the width of what the camera sees over its height, ' +
      'must be more than 0.',
    nearNotInFront: 'near is {near}: a perspective camera\'s near plane must be in front of the eye, at a ' +
      'distance more than 0.',
    farNotInFront: 'far is {far}: a perspective camera\'s far plane must be in front of the eye, at a ' +
      'distance more than 0.',
    noWidth: 'left and right are {pair}: the volume would have no width.',
    noHeight: 'bottom and top are {pair}: the volume would have no height.',
    noDepth: 'near and far are {pair}: the volume would have no depth.',
    eyeAtCenter: 'eye and center are the same point {eye}: there is no line of sight to look along.',
    upOfLengthZero: 'up is {up}: a vector of length 0 gives no direction for up.',
    upAlongSight: 'up {up} lies along the line of sight, from eye to center: gluLookAt cannot tell which way ' +
      'is up or right, and the matrix it builds sends every point to the middle of the picture.',
    precisionAspect: 'aspect is {aspect}, too narrow or too wide a picture: {precision}',
    precisionAcross: 'left and right are {left} and {right}: {precision}',
    precisionFovy: 'fovy is {fovy}\u00b0, too narrow or too wide an angle: {precision}',
    precisionUp: 'bottom and top are {bottom} and {top}: {precision}',
    precisionDepth: 'near and far are {near} and {far}, too far apart or too close: {precision}',
    precisionView: 'eye {eye} and center {center}: {precision}',
    depthReversed: 'Note: far ({far}) is nearer than near ({near}). OpenGL takes it, but depth comes out ' +
      'reversed: the depth test then keeps what is farthest and hides what is nearer.',
    fovyNearHalfTurn: 'Note: fovy is {fovy}\u00b0, close to 180\u00b0: the camera sees almost half of ' +
      'everything around it, and the picture\'s edges are stretched beyond recognition.',
  },
  precision: 'OpenGL\'s single-precision matrices cannot hold the volume they give. Bring them nearer to ' +
    'the scene\'s sizes.',
  pairBoth: 'both {first}',
  pairClose: '{first} and {second}, too close for OpenGL\'s single precision to tell apart',

  pointHeading: 'One point followed',
  pointLabel: 'Point',
  pointHelp: 'Carried from the scene to its pixel by the viewer\'s station and by your camera, and marked ' +
    'in both pictures and in the outside view.',
  coneTip: 'the {colour} tip, on {axis} ({tip})',
  colours: {red: 'red', green: 'green', blue: 'blue', yellow: 'yellow', magenta: 'magenta', cyan: 'cyan'},
  chainStepHeading: 'coordinates',
  chainCameraHeading: 'camera',
  chainStep: {eye: 'eye', clip: 'clip', device: 'normalised device', window: 'window'},
  chainCamera: {viewer: 'viewer', yours: 'yours'},

  depthHeading: 'Depth',
  depthAxis: 'distance in front of the eye',
  depthValue: 'window depth',
  depthScene: 'The scene lies within {reach} units of the origin.',
  depthShare: '{who} gives the scene {share} % of the depth range (from {from} to {to} in front of the eye).',
  depthNoScene: '{who} does not hold the scene.',
  depthViewer: 'The viewer\'s station',
  depthYours: 'Your camera',
  depthLesson: 'The depth buffer tells points apart only within that share: a nearer near plane gives ' +
    'the scene less of it.',

  traceHeading: 'Trace',
  traceLabel: 'trace',
  traceOmitted: '{count} earlier lines are left out here; the browser\'s console has every line.',
  callsHeading: 'The calls of the latest station',
  matricesLabel: 'the matrices',
  matricesHelp: 'Row by row, as mathematics writes them; OpenGL keeps them column by column.',
  keyCard: ' Enter   next camera station    0 -> 1 -> 2 -> 3 -> 0\n' +
    ' F       full screen            on / off (the browser\'s)\n' +
    ' f       next background        grey -> white -> black -> grey\n' +
    ' z       polygons               filled <-> wireframe\n' +
    ' Escape  stop the viewer        exit status 0\n\n' +
    ' Upper and lower case are different keys. Every other\n' +
    ' character key writes "K" to the trace and does nothing\n' +
    ' else; arrows and function keys write nothing at all.\n' +
    ' A held key repeats.',
};
