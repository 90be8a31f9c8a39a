/*
 * Varnelle web layer, shared by the viewer and the outside view's program:
 * as soon as the emulation has linked one of its programs, it gives the
 * program's colour attribute, a_color, its default value (1, 1, 1, 1) with
 * vertexAttrib4fv at the location WebGL reports for it, without asking
 * whether there is one. A lit program's colour comes from the materials and
 * the lights alone, so a linker that drops unused attributes (Mesa's, under
 * Firefox) keeps no a_color: its location is -1, which WebGL takes as an
 * attribute index past MAX_VERTEX_ATTRIBS, and the viewer's next
 * glGetError reads GL_INVALID_VALUE. Everywhere else the emulation skips
 * the colour attribute when its location is -1, so here vertexAttrib4fv
 * does the same, in the context the program makes (Browser.createContext,
 * as GLUT's window does). Only the emulation calls the context's
 * vertexAttrib4fv: a program's glVertexAttrib4fv goes to vertexAttrib4f.
 */
var LibraryVarnelleAttributes = {
  $VarnelleAttributes__deps: ['$Browser'],
  $VarnelleAttributes__postset: 'Browser.moduleContextCreatedCallbacks.push(VarnelleAttributes.skipMissingAttributes);',
  $VarnelleAttributes: {
    // What getAttribLocation gives for an attribute the program lacks.
    missing: -1,

    skipMissingAttributes: function() {
      var context = Module.ctx;
      var vertexAttrib4fv = context.vertexAttrib4fv;
      context.vertexAttrib4fv = function(index, values) {
        if (index === VarnelleAttributes.missing) return;
        return vertexAttrib4fv.call(context, index, values);
      };
    },
  },
};

mergeInto(LibraryManager.library, LibraryVarnelleAttributes);
