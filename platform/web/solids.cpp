// Varnelle web layer: how freeglut's solids reach WebGL.
//
// freeglut draws each solid from separate vertex and normal arrays with
// indexed triangle strips (glDrawElements). Two things stand between that
// and the browser: emscripten's emulation copies, from separate arrays, only
// as many vertices as a draw has indices, so strips whose indices reach
// further in the arrays draw the wrong vertices; and WebGL has no polygon
// modes. So the solids' indexed draws come here (freeglut_shim/fg_internal.h
// routes them) and are unpacked into plain arrays of the same vertices and
// normals, drawn with glDrawArrays: as the same triangles, in the same
// winding, while the polygon mode is GL_FILL, and as the edges of those
// triangles while it is GL_LINE. glPolygonMode only records the mode.
#include <GL/gl.h>

namespace {

// The mode glPolygonMode last set for front and back faces: GL_FILL or GL_LINE.
GLenum polygonMode = GL_FILL;

// The arrays freeglut last handed to glVertexPointer and glNormalPointer:
// always three packed floats per vertex, indexed by unsigned shorts.
const GLfloat* vertexArray = nullptr;
const GLfloat* normalArray = nullptr;
// Floats in one vertex or normal.
const int coordinates = 3;

// One unpacked vertex: position, then normal.
struct Vertex {
    GLfloat position[coordinates];
    GLfloat normal[coordinates];
};
// Room for this many vertices: a multiple of 6, the vertices of a
// triangle's three edges, and of 3, those of a filled triangle.
const int batchSize = 6 * 256;
Vertex batch[batchSize] = {};
// Vertices held in batch, 0..batchSize.
int batchCount = 0;

// Draw the unpacked vertices as filled triangles or as lines, and empty the batch.
void flushBatch()
{
    if (batchCount == 0) {
        return;
    }
    glVertexPointer(coordinates, GL_FLOAT, sizeof(Vertex), batch[0].position);
    glNormalPointer(GL_FLOAT, sizeof(Vertex), batch[0].normal);
    glDrawArrays(polygonMode == GL_LINE ? GL_LINES : GL_TRIANGLES, 0, batchCount);
    batchCount = 0;
}

void addVertex(GLushort index)
{
    Vertex& vertex = batch[batchCount++];
    const GLfloat* position = vertexArray + index * coordinates;
    const GLfloat* normal = normalArray + index * coordinates;
    for (int c = 0; c < coordinates; ++c) {
        vertex.position[c] = position[c];
        vertex.normal[c] = normal[c];
    }
}

// Add triangle (a, b, c), in that winding: its three vertices, or its three
// edges in order round it.
void addTriangle(GLushort a, GLushort b, GLushort c)
{
    const int edgeVertices = 6;
    if (batchCount + edgeVertices > batchSize) {
        flushBatch();
    }
    if (polygonMode == GL_LINE) {
        const GLushort ends[edgeVertices] = {a, b, b, c, c, a};
        for (GLushort end : ends) {
            addVertex(end);
        }
    } else {
        addVertex(a);
        addVertex(b);
        addVertex(c);
    }
}

} // namespace

extern "C" void glPolygonMode(GLenum face, GLenum mode)
{
    // Only front-and-back is ever set; one mode serves both.
    (void)face;
    polygonMode = mode;
}

extern "C" void webVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    // freeglut's solids give three packed floats a vertex.
    (void)size;
    (void)type;
    (void)stride;
    vertexArray = static_cast<const GLfloat*>(pointer);
}

extern "C" void webNormalPointer(GLenum type, GLsizei stride, const void* pointer)
{
    (void)type;
    (void)stride;
    normalArray = static_cast<const GLfloat*>(pointer);
}

extern "C" void webDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices)
{
    bool triangles = mode == GL_TRIANGLES || mode == GL_TRIANGLE_STRIP;
    if (!triangles || type != GL_UNSIGNED_SHORT || vertexArray == nullptr ||
        normalArray == nullptr) {
        // No solid drawn here takes this way.
        glDrawElements(mode, count, type, indices);
        return;
    }
    const GLushort* index = static_cast<const GLushort*>(indices);
    if (mode == GL_TRIANGLES) {
        for (GLsizei i = 0; i + 2 < count; i += 3) {
            addTriangle(index[i], index[i + 1], index[i + 2]);
        }
    } else {
        // In a strip every other triangle is turned round, keeping one winding.
        for (GLsizei i = 0; i + 2 < count; ++i) {
            GLushort first = index[i];
            GLushort second = index[i + 1];
            GLushort third = index[i + 2];
            if (i % 2 == 0) {
                addTriangle(first, second, third);
            } else {
                addTriangle(second, first, third);
            }
        }
    }
    flushBatch();
}
