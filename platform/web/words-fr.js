// Varnelle, la page web : tous les textes qu'elle montre, en français. La
// table anglaise (words-en.js) a les mêmes entrées ; le test du navigateur
// échoue s'il en manque une d'un côté. Les textes à {noms} sont complétés
// par la page ; la trace, les appels et les matrices restent tels que la
// visionneuse et OpenGL les écrivent.
var varnelleWords = varnelleWords || {};
varnelleWords.fr = {
  languageName: 'Français',
  // La virgule décimale de la prose (le code et les matrices gardent le point).
  decimalPoint: ',',
  heading: 'Varnelle : la caméra d\'OpenGL, vue de près',
  intro: 'Varnelle est une petite visionneuse OpenGL pour apprendre comment on règle une caméra : une ' +
    'sphère éclairée et six cônes colorés, vus depuis quatre postes de caméra, l\'un en projection ' +
    'orthographique, les trois autres en perspective. Cliquez sur l\'image, puis utilisez les touches (ou ' +
    'les boutons en dessous). À côté, la même caméra vue de l\'extérieur, les appels que son poste a faits ' +
    'et les matrices que garde OpenGL, au fil des changements.',
  otherLanguage: 'This page in English',

  viewerLabel: 'la visionneuse',
  canvasLabel: 'l\'image de la visionneuse',
  keyNextStation: 'poste suivant',
  keyFullScreen: 'plein écran',
  keyBackground: 'fond',
  keyWireframe: 'fil de fer',
  keyStop: 'arrêter',
  viewerHelp: 'L\'image prend toutes les touches de caractère, Tab compris. Pour la quitter au clavier, ' +
    'appuyez sur la flèche vers le bas (\u2193) : elle mène aux boutons sous l\'image. La touche F6 du ' +
    'navigateur quitte aussi la page.',
  ended: 'La visionneuse s\'est terminée avec le code de sortie {status}. Rechargez la page pour la relancer.',
  describeOrthographic: 'Poste {station} : orthographique, regard selon -z depuis l\'origine',
  describePerspective: 'Poste {station} : perspective depuis {eye}',
  describe: '{station} ; fond {background} ; {polygons} ; {width} sur {height} pixels{fullScreen}.',
  backgrounds: ['gris', 'blanc', 'noir'],
  polygonsFilled: 'polygones pleins',
  polygonsWireframe: 'fil de fer',
  inFullScreen: ', en plein écran',

  outsideLabel: 'la caméra vue de l\'extérieur',
  outsideHeading: 'La caméra vue de l\'extérieur',
  outsideCanvasLabel: 'la scène et le volume de vue du poste de la visionneuse, vus de l\'extérieur',
  outsideHelp: 'Faites glisser pour tourner autour de la scène ; la molette ou deux doigts rapprochent.',
  reset: 'Revenir au point de vue de la documentation',

  loadFailedPanels: 'Les panneaux autour de la visionneuse n\'ont pas pu être chargés ({file} est introuvable).',
  loadFailed: '{what} n\'a pas pu être chargée ({why}).',
  loadFailedOne: 'La visionneuse fonctionne sans elle ; rechargez la page pour réessayer.',
  loadFailedMany: 'La visionneuse fonctionne sans elles ; rechargez la page pour réessayer.',
  fileNotFetched: '{file} est introuvable',
  whatOutside: 'La caméra vue de l\'extérieur',
  whatYours: 'Votre caméra',

  yoursLabel: 'votre caméra',
  yoursHeading: 'Votre caméra',
  yoursIntro: 'Elle suit le poste de la visionneuse jusqu\'à ce que vous changiez une valeur : son image, ' +
    'son volume dans la vue extérieure (en corail), ses appels et ses matrices vous suivent alors. Faites ' +
    'glisser son image pour tourner l\'œil autour du centre ; la molette ou deux doigts le rapprochent. Rien ' +
    'ici n\'atteint la visionneuse.',
  follow: 'Suivre le poste de la visionneuse',
  fromStation: 'Reprendre le poste de la visionneuse',
  linkLabel: 'L\'adresse de cette caméra :',
  copyAddress: 'Copier l\'adresse',
  yoursViewLabel: 'la scène vue par votre caméra',
  yoursPanelsLabel: 'vos appels et vos matrices',
  yoursCalls: 'Vos appels',
  copy: 'Copier',
  copied: 'Copié',
  projection: 'projection',
  projectionKinds: {perspective: 'perspective', orthographic: 'orthographique'},
  nearFar: 'near, far (plans proche et lointain)',
  slider: 'curseur de {name}',
  tooLarge: 'trop grand pour un nombre',

  reasons: {
    notANumber: '{name} est vide ou n\'est pas un nombre.',
    unreadable: '{name} ne se lit pas comme un nombre : trop grand pour en être un, ou mal écrit.',
    outOfRange: '{name} vaut {value} : gardez chaque valeur entre -{limit} et {limit}, ce que la page peut ' +
      'montrer.',
    fovyNotPositive: 'fovy vaut {fovy}\u00b0 : un champ de vision doit dépasser 0\u00b0 (et rester sous ' +
      '180\u00b0) ; à 0\u00b0 la caméra ne voit rien.',
    fovyNotBelowHalfTurn: 'fovy vaut {fovy}\u00b0 : un champ de vision doit rester sous 180\u00b0 ; à ' +
      '180\u00b0 et au-delà, ce que voit la caméra n\'a plus de bord.',
    aspectNotPositive: 'aspect vaut {aspect} : le rapport largeur sur hauteur de ce que voit la caméra doit ' +
      'être positif.',
    nearNotInFront: 'near vaut {near} : le plan de découpe proche d\'une caméra en perspective doit se ' +
      'trouver devant l\'œil, à une distance positive.',
    farNotInFront: 'far vaut {far} : le plan de découpe lointain d\'une caméra en perspective doit se ' +
      'trouver devant l\'œil, à une distance positive.',
    noWidth: 'left et right valent {pair} : le volume de vue n\'aurait pas de largeur.',
    noHeight: 'bottom et top valent {pair} : le volume de vue n\'aurait pas de hauteur.',
    noDepth: 'near et far valent {pair} : le volume de vue n\'aurait pas de profondeur.',
    eyeAtCenter: 'eye et center sont le même point {eye} : il n\'y a pas de direction de visée.',
    upOfLengthZero: 'up vaut {up} : un vecteur de longueur nulle ne donne aucune direction vers le haut.',
    upAlongSight: 'up {up} est aligné sur la direction de visée, de eye vers center : gluLookAt ne peut ' +
      'pas savoir où sont le haut et la droite, et la matrice qu\'il construit envoie tous les points au ' +
      'milieu de l\'image.',
    precisionAspect: 'aspect vaut {aspect}, une image trop étroite ou trop large : {precision}',
    precisionAcross: 'left et right valent {left} et {right} : {precision}',
    precisionFovy: 'fovy vaut {fovy}\u00b0, un angle trop étroit ou trop large : {precision}',
    precisionUp: 'bottom et top valent {bottom} et {top} : {precision}',
    precisionDepth: 'near et far valent {near} et {far}, trop éloignés ou trop proches : {precision}',
    precisionView: 'eye {eye} et center {center} : {precision}',
    depthReversed: 'Remarque : far ({far}) est plus proche que near ({near}). OpenGL l\'accepte, mais la ' +
      'profondeur s\'inverse : le test de profondeur garde alors le plus lointain et cache le plus proche.',
    fovyNearHalfTurn: 'Remarque : fovy vaut {fovy}\u00b0, près de 180\u00b0 : la caméra voit presque la ' +
      'moitié de ce qui l\'entoure, et les bords de l\'image sont étirés au point d\'être méconnaissables.',
  },
  precision: 'les matrices d\'OpenGL, en simple précision, ne peuvent pas contenir le volume de vue qu\'ils ' +
    'donnent. Rapprochez-les des dimensions de la scène.',
  pairBoth: 'tous deux {first}',
  pairClose: '{first} et {second}, trop proches pour que la simple précision d\'OpenGL les distingue',

  pointHeading: 'Un point suivi',
  pointLabel: 'Point',
  pointHelp: 'Porté de la scène jusqu\'à son pixel par le poste de la visionneuse et par votre caméra, et ' +
    'marqué sur les deux images et dans la vue extérieure.',
  coneTip: 'la pointe {colour}, sur {axis} ({tip})',
  colours: {red: 'rouge', green: 'verte', blue: 'bleue', yellow: 'jaune', magenta: 'magenta', cyan: 'cyan'},
  chainStepHeading: 'coordonnées',
  chainCameraHeading: 'caméra',
  chainStep: {eye: 'repère de l\'œil', clip: 'découpage (clip)', device: 'normalisées', window: 'fenêtre'},
  chainCamera: {viewer: 'visionneuse', yours: 'la vôtre'},

  depthHeading: 'Profondeur',
  depthAxis: 'distance devant l\'œil',
  depthValue: 'profondeur en fenêtre',
  depthScene: 'La scène tient à {reach} unités de l\'origine.',
  depthShare: '{who} lui donne {share} % de l\'intervalle de profondeur (de {from} à {to} devant l\'œil).',
  depthNoScene: '{who} ne contient pas la scène.',
  depthViewer: 'Le poste de la visionneuse',
  depthYours: 'Votre caméra',
  depthLesson: 'Le tampon de profondeur ne distingue les points que dans cette part : un plan proche plus ' +
    'près de l\'œil en laisse moins à la scène.',

  traceHeading: 'Trace',
  traceLabel: 'trace',
  traceOmitted: '{count} lignes plus anciennes ne sont plus montrées ici ; la console du navigateur les ' +
    'a toutes.',
  callsHeading: 'Les appels du dernier poste',
  matricesLabel: 'les matrices',
  matricesHelp: 'Ligne par ligne, comme les écrivent les mathématiques ; OpenGL les range colonne par ' +
    'colonne.',
  keyCard: ' Enter   poste de caméra suivant  0 -> 1 -> 2 -> 3 -> 0\n' +
    ' F       plein écran              oui / non (celui du navigateur)\n' +
    ' f       fond suivant             gris -> blanc -> noir -> gris\n' +
    ' z       polygones                pleins <-> fil de fer\n' +
    ' Escape  arrêter la visionneuse   code de sortie 0\n\n' +
    ' Majuscules et minuscules sont des touches différentes.\n' +
    ' Toute autre touche de caractère écrit « K » dans la trace\n' +
    ' et ne fait rien d\'autre ; les flèches et les touches de\n' +
    ' fonction n\'écrivent rien. Une touche maintenue se répète.',
};
