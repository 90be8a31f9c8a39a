// Varnelle web page: the outside view's program (observer.js and
// observer.wasm), fetched and compiled once, of which each panel that draws
// makes an instance on a canvas of its own; and a failure to load any of it
// said where the panels would be. Offered as varnellePage.use('programs'):
//   create(canvas, name, options)  resolves to an instance (options go to
//                                  its Module), or rejects with why not
//   loadFailed(what, reason)       say what could not be loaded, and why
(function() {
  'use strict';

  var words = varnellePage.words;
  // A file of the page fetched, or a failure that names it (with the
  // server's status, if it answered).
  function fetched(file) {
    var missing = varnellePage.say(words.fileNotFetched, {file: file});
    return fetch(file).then(function(response) {
      if (!response.ok) throw new Error(missing + ', ' + response.status);
      return response;
    }, function() {
      throw new Error(missing);
    });
  }

  // A script of the page loaded, or a failure that names it.
  function loadScript(file) {
    return new Promise(function(resolve, reject) {
      var script = document.createElement('script');
      script.src = file;
      script.onload = resolve;
      script.onerror = function() { reject(new Error(varnellePage.say(words.fileNotFetched, {file: file}))); };
      document.head.appendChild(script);
    });
  }

  // compileStreaming needs the server to say application/wasm; otherwise the
  // program is compiled from its bytes.
  var wasm = 'observer.wasm';
  var compiled = fetched(wasm).then(function(response) {
    return WebAssembly.compileStreaming(response.clone()).catch(function() {
      return response.arrayBuffer().then(function(bytes) { return WebAssembly.compile(bytes); });
    });
  });
  var script = loadScript('observer.js');

  function create(canvas, name, options) {
    return script.then(function() {
      return new Promise(function(resolve, reject) {
        var module = Object.assign({
          canvas: canvas,
          print: function(line) { console.info(name + ': ' + line); },
          printErr: function(line) { console.warn(name + ': ' + line); },
          instantiateWasm: function(imports, receive) {
            compiled.then(function(module) {
              return WebAssembly.instantiate(module, imports).then(function(instance) {
                receive(instance, module);
              });
            }).catch(reject);
            return {};
          },
          onAbort: function(what) { reject(new Error(String(what))); },
        }, options || {});
        createVarnelleObserver(module).then(resolve, reject);
      });
    });
  }

  function loadFailed(what, reason) {
    console.warn(what + ': ' + reason.message);
    varnellePage.sayLoadFailed(varnellePage.say(words.loadFailed, {what: what, why: reason.message}));
  }

  varnellePage.offer('programs', {create: create, loadFailed: loadFailed});
})();
