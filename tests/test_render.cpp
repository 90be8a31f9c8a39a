// The frame and the one-time OpenGL state, read back from a real context.
#include <cmath>

#include <gtest/gtest.h>

#include "app/app.h"
#include "camera/camera.h"
#include "cones.h"
#include "render/render.h"
#include "support.h"

namespace {

class Frame : public testing::Test {
protected:
    void SetUp() override { resetViewer(); }
};

// Draw one frame and return its trace.
std::string drawFrame()
{
    beginTrace();
    display();
    return endTrace();
}

TEST_F(Frame, ClearsToEachBackgroundColour)
{
    const GLfloat* expected[3] = {grey, white, black};
    for (int index = 0; index < 3; ++index) {
        SCOPED_TRACE(testing::Message() << "background " << index);
        viewerState.backgroundIndex = index;
        EXPECT_EQ(drawFrame(), "D\n");
        GLfloat clear[4] = {-1, -1, -1, -1};
        glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
        EXPECT_FLOAT_EQ(clear[3], 1.0f);
        // A corner of the window shows nothing but the background.
        EXPECT_TRUE(nearColour(readPixel(2, 2), expected[index]));
        EXPECT_TRUE(nearColour(readPixel(testWindowSize - 3, testWindowSize - 3), expected[index]));
    }
}

TEST_F(Frame, FillFlagChoosesFilledOrOutlinedPolygons)
{
    const struct {
        int filled;
        GLint mode;
    } cases[] = {{1, GL_FILL}, {0, GL_LINE}, {1, GL_FILL}};
    for (const auto& c : cases) {
        viewerState.filled = c.filled;
        drawFrame();
        GLint modes[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        EXPECT_EQ(modes[0], c.mode);
        EXPECT_EQ(modes[1], c.mode);
    }
}

// Count the background pixels in a strip along the green cone's axis, between
// 3 and 6 scene units out, well inside its outline.
int backgroundPixelsInsideGreenCone()
{
    int count = 0;
    const int pixelsPerUnit = testWindowSize / 20;
    const int centre = testWindowSize / 2;
    for (int x = centre + 3 * pixelsPerUnit; x < centre + 6 * pixelsPerUnit; ++x) {
        for (int y = centre - 4; y <= centre + 4; ++y) {
            count += nearColour(readPixel(x, y), grey) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(Frame, WireframeLeavesGapsThatFilledPolygonsDoNot)
{
    drawFrame();
    EXPECT_EQ(backgroundPixelsInsideGreenCone(), 0);
    viewerState.filled = 0;
    drawFrame();
    EXPECT_GT(backgroundPixelsInsideGreenCone(), 20);
}

// A pixel read back, RGB in 0..255.
std::array<int, 3> pixelBytes(const std::array<double, 3>& c)
{
    const double fullChannel = 255.0;
    return {static_cast<int>(std::lround(c[0] * fullChannel)),
            static_cast<int>(std::lround(c[1] * fullChannel)),
            static_cast<int>(std::lround(c[2] * fullChannel))};
}

TEST_F(Frame, OrthographicStationShowsEachConeWhereItPoints)
{
    drawFrame();
    const int unit = testWindowSize / 20;
    const int centre = testWindowSize / 2;
    for (const ConeSighting& cone : coneSightings) {
        // Window coordinates: y grows upwards.
        auto pixel = readPixel(centre + cone.right * unit, centre + cone.up * unit);
        EXPECT_EQ(dominant(pixelBytes(pixel)), cone.channels)
            << cone.name << ": " << pixel[0] << " " << pixel[1] << " " << pixel[2];
    }
    // The blue cone points away, hidden behind the sphere.
    int bluePixels = 0;
    for (int y = 0; y < testWindowSize; y += 2) {
        for (int x = 0; x < testWindowSize; x += 2) {
            bluePixels += dominant(pixelBytes(readPixel(x, y))) == blueChannel ? 1 : 0;
        }
    }
    EXPECT_EQ(bluePixels, 0);
}

TEST_F(Frame, LightsStayFixedToTheSceneAndTheViewIsKept)
{
    reshapePerspective3(testWindowSize, testWindowSize);
    Matrix view = currentMatrix(GL_MODELVIEW_MATRIX);
    drawFrame();
    EXPECT_EQ(currentMatrix(GL_MODELVIEW_MATRIX), view);
    const GLenum lights[3] = {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2};
    const GLfloat* positions[3] = {light0Position, light1Position, light2Position};
    for (int i = 0; i < 3; ++i) {
        GLfloat eyePosition[4] = {0, 0, 0, 0};
        glGetLightfv(lights[i], GL_POSITION, eyePosition);
        std::array<double, 4> expected = transform(view, positions[i]);
        for (int k = 0; k < 4; ++k) {
            EXPECT_NEAR(eyePosition[k], expected[k], 1e-3) << "light " << i << ", component " << k;
        }
    }
}

TEST_F(Frame, ReportsAPendingErrorOnceThenDrawsAsUsual)
{
    EXPECT_EQ(drawFrame(), "D\n");
    // An invalid capability leaves GL_INVALID_ENUM pending.
    glEnable(0xFFFF);
    EXPECT_EQ(drawFrame(), "D\nAttention erreur 1280\n");
    EXPECT_EQ(drawFrame(), "D\n");
    EXPECT_TRUE(nearColour(readPixel(2, 2), grey));
}

TEST(OneTimeState, SetsMaterialLightsAndDepthTestAndLeavesTheRestAlone)
{
    resetViewer();
    const GLenum enabled[] = {GL_LIGHTING, GL_LIGHT0,    GL_LIGHT1,     GL_LIGHT2,
                              GL_DEPTH_TEST, GL_NORMALIZE, GL_AUTO_NORMAL};
    for (GLenum capability : enabled) {
        EXPECT_TRUE(glIsEnabled(capability)) << "capability 0x" << std::hex << capability;
    }
    const GLenum disabled[] = {GL_CULL_FACE, GL_BLEND, GL_COLOR_MATERIAL, GL_LIGHT3, GL_FOG};
    for (GLenum capability : disabled) {
        EXPECT_FALSE(glIsEnabled(capability)) << "capability 0x" << std::hex << capability;
    }

    GLfloat v[4] = {0, 0, 0, 0};
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, v);
    EXPECT_TRUE(nearColour({v[0], v[1], v[2]}, white));
    glGetMaterialfv(GL_FRONT, GL_SHININESS, v);
    EXPECT_FLOAT_EQ(v[0], 50.0f);
    for (GLenum light : {GL_LIGHT0, GL_LIGHT1, GL_LIGHT2}) {
        glGetLightfv(light, GL_DIFFUSE, v);
        EXPECT_TRUE(nearColour({v[0], v[1], v[2]}, lightGrey));
    }
    // The back-face material keeps its defaults, even after frames set colours.
    const GLfloat defaultBackDiffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    glGetMaterialfv(GL_BACK, GL_DIFFUSE, v);
    EXPECT_TRUE(nearColour({v[0], v[1], v[2]}, defaultBackDiffuse));
    glGetMaterialfv(GL_BACK, GL_SPECULAR, v);
    EXPECT_TRUE(nearColour({v[0], v[1], v[2]}, black));
    // The lights' specular colours keep their defaults: white for light 0 only.
    glGetLightfv(GL_LIGHT1, GL_SPECULAR, v);
    EXPECT_TRUE(nearColour({v[0], v[1], v[2]}, black));

    GLint i = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &i);
    EXPECT_EQ(i, GL_LESS);
    glGetIntegerv(GL_SHADE_MODEL, &i);
    EXPECT_EQ(i, GL_SMOOTH);
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &i);
    EXPECT_EQ(i, GL_FALSE);
    glGetIntegerv(GL_LIGHT_MODEL_LOCAL_VIEWER, &i);
    EXPECT_EQ(i, GL_FALSE);
    glGetFloatv(GL_LINE_WIDTH, v);
    EXPECT_FLOAT_EQ(v[0], 1.0f);
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, v);
    EXPECT_FLOAT_EQ(v[0], 1.0f);

    // A double-buffered RGBA window with a depth buffer.
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_TRUE(doubleBuffered);
    glGetIntegerv(GL_DEPTH_BITS, &i);
    EXPECT_GT(i, 0);
}

} // namespace
