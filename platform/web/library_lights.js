/*
 * Varnelle web layer, shared by the viewer and the outside view's program:
 * the emulation's lighting takes every light as directional, the direction
 * being its position; a light with w = 1 (here, the one at the scene's
 * origin) must shine from its place to each vertex instead. The vertex
 * shaders the emulation hands to WebGL are amended before they are
 * compiled, in the context the program makes (Browser.createContext, as
 * GLUT's window does).
 */
var LibraryVarnelleLights = {
  $VarnelleLights__deps: ['$Browser'],
  $VarnelleLights__postset: 'Browser.moduleContextCreatedCallbacks.push(VarnelleLights.placePositionalLights);',
  $VarnelleLights: {
    // In the emulation's vertex shaders, light i's direction is
    // normalize(u_lightPosition<i>).xyz, right only for w = 0. Make it the
    // direction from the vertex to the light, which for w = 0 is the same:
    // position.xyz * vertex.w - vertex.xyz * position.w, in eye coordinates.
    placePositionalLights: function() {
      var context = Module.ctx;
      var shaderSource = context.shaderSource;
      context.shaderSource = function(shader, source) {
        var amended = source.replace(/normalize\((u_lightPosition\d+)\)\.xyz/g, function(whole, light) {
          return 'normalize(' + light + '.xyz * ecPosition.w - ecPosition.xyz * ' + light + '.w)';
        });
        return shaderSource.call(context, shader, amended);
      };
    },
  },
};

mergeInto(LibraryManager.library, LibraryVarnelleLights);
