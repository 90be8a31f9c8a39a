// Varnelle: the scene and how it is drawn each frame.
#include "render.h"

#include <cstdio>

#include <GL/glut.h>

#include "app/app.h"

// The palette, RGBA in [0, 1].
const GLfloat grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};
const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const GLfloat lightGrey[4] = {0.75f, 0.75f, 0.75f, 1.0f};
const GLfloat red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
const GLfloat green[4] = {0.0f, 1.0f, 0.0f, 1.0f};
const GLfloat blue[4] = {0.0f, 0.0f, 1.0f, 1.0f};
const GLfloat yellow[4] = {1.0f, 1.0f, 0.0f, 1.0f};
const GLfloat magenta[4] = {1.0f, 0.0f, 1.0f, 1.0f};
const GLfloat cyan[4] = {0.0f, 1.0f, 1.0f, 1.0f};

const GLfloat* const backgroundColours[backgroundCount] = {grey, white, black};

// A point light at the origin, inside the sphere and at the base of every cone.
const GLfloat light0Position[4] = {0.0f, 0.0f, 0.0f, 1.0f};
// Light arriving from the -x, +y, +z side.
const GLfloat light1Position[4] = {-1.0f, 1.0f, 1.0f, 0.0f};
// Light arriving from the +x, -y, +z side.
const GLfloat light2Position[4] = {1.0f, -1.0f, 1.0f, 0.0f};

// Specular exponent of the front-face material, 0..128.
static const GLfloat shininess = 50.0f;

// Sphere at the origin: radius in scene units, slices and stacks.
static const GLdouble sphereRadius = 2.0;
static const GLint sphereSlices = 72;
static const GLint sphereStacks = 72;

// Cones from the origin outwards: base radius and height in scene units.
static const GLdouble coneBase = 1.0;
static const GLdouble coneHeight = 10.0;
static const GLint coneSlices = 36;
static const GLint coneStacks = 10;

// Turns that carry each cone's axis to the next one's, in degrees.
static const GLfloat quarterTurn = 90.0f;
static const GLfloat halfTurn = 180.0f;
// Rotation axes, unit vectors in scene coordinates.
static const GLfloat xAxis[3] = {1.0f, 0.0f, 0.0f};
static const GLfloat yAxis[3] = {0.0f, 1.0f, 0.0f};

void initRendering()
{
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);
    glMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightGrey);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, lightGrey);
    glLightfv(GL_LIGHT2, GL_DIFFUSE, lightGrey);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHT2);
    glDepthFunc(GL_LESS);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glEnable(GL_AUTO_NORMAL);
}

// Turn the current modelview matrix about an axis, in degrees.
static void turn(GLfloat degrees, const GLfloat axis[3])
{
    glRotatef(degrees, axis[0], axis[1], axis[2]);
}

// Draw one cone along the current +z axis with the given diffuse colour.
static void drawCone(const GLfloat* colour)
{
    glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
    glutSolidCone(coneBase, coneHeight, coneSlices, coneStacks);
}

void drawScene()
{
    glPushMatrix();
    glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
    glutSolidSphere(sphereRadius, sphereSlices, sphereStacks);
    // The rotations accumulate: each turns the previous cone's axis.
    // +z
    drawCone(red);
    // +x
    turn(quarterTurn, yAxis);
    drawCone(green);
    // -z
    turn(quarterTurn, yAxis);
    drawCone(blue);
    // -x
    turn(quarterTurn, yAxis);
    drawCone(yellow);
    // -y
    turn(quarterTurn, xAxis);
    drawCone(magenta);
    // +y
    turn(halfTurn, xAxis);
    drawCone(cyan);
    glPopMatrix();
}

void display()
{
    std::printf("D\n");
    const GLfloat* background = backgroundColours[viewerState.backgroundIndex];
    glClearColor(background[0], background[1], background[2], background[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // The modelview matrix holds the station's view, so the lights stay fixed
    // to the scene whichever station is active.
    glLightfv(GL_LIGHT0, GL_POSITION, light0Position);
    glLightfv(GL_LIGHT1, GL_POSITION, light1Position);
    glLightfv(GL_LIGHT2, GL_POSITION, light2Position);

    glPolygonMode(GL_FRONT_AND_BACK, viewerState.filled == 1 ? GL_FILL : GL_LINE);

    glPushMatrix();
    drawScene();
    glPopMatrix();

    glFlush();
    glutSwapBuffers();

    // Only one pending code is read per frame; others wait for later frames.
    GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        std::printf("Attention erreur %d\n", static_cast<int>(error));
    }
}
