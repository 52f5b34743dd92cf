#include "render/SceneState.h"

#include <GL/gl.h>

namespace {
const GLfloat LIGHT0_POSITION[] = {0.0f, 2.0f, 5.0f, 1.0f};
const GLfloat LIGHT0_DIFFUSE[] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat LIGHT0_AMBIENT[] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat LIGHT0_SPECULAR[] = {1.0f, 1.0f, 1.0f, 1.0f};
// The second light adds only a cyan highlight.
const GLfloat LIGHT1_POSITION[] = {-3.0f, -2.0f, 4.0f, 1.0f};
const GLfloat LIGHT1_DIFFUSE[] = {0.0f, 0.0f, 0.0f, 1.0f};
const GLfloat LIGHT1_AMBIENT[] = {0.0f, 0.0f, 0.0f, 1.0f};
const GLfloat LIGHT1_SPECULAR[] = {0.0f, 1.0f, 1.0f, 1.0f};
const GLfloat MATERIAL_AMBIENT[] = {0.1f, 0.1f, 0.1f, 1.0f};
const GLfloat MATERIAL_DIFFUSE[] = {0.6f, 0.6f, 0.6f, 1.0f};
const GLfloat MATERIAL_SPECULAR[] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat MATERIAL_SHININESS = 64.0f;

void SetUpLight(GLenum light, const GLfloat* position, const GLfloat* diffuse, const GLfloat* ambient,
                const GLfloat* specular)
{
    glEnable(light);
    glLightfv(light, GL_POSITION, position);
    glLightfv(light, GL_DIFFUSE, diffuse);
    glLightfv(light, GL_AMBIENT, ambient);
    glLightfv(light, GL_SPECULAR, specular);
}
}  // namespace

void SetUpSceneState()
{
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glFrontFace(GL_CCW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glLineWidth(2.0f);
    glEnable(GL_DITHER);
    glPolygonMode(GL_FRONT, GL_FILL);

    SetUpLight(GL_LIGHT0, LIGHT0_POSITION, LIGHT0_DIFFUSE, LIGHT0_AMBIENT, LIGHT0_SPECULAR);
    SetUpLight(GL_LIGHT1, LIGHT1_POSITION, LIGHT1_DIFFUSE, LIGHT1_AMBIENT, LIGHT1_SPECULAR);
    glMaterialfv(GL_FRONT, GL_AMBIENT, MATERIAL_AMBIENT);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, MATERIAL_DIFFUSE);
    glMaterialfv(GL_FRONT, GL_SPECULAR, MATERIAL_SPECULAR);
    glMaterialf(GL_FRONT, GL_SHININESS, MATERIAL_SHININESS);
    // The fish are drawn scaled; their normals must be renormalised.
    glEnable(GL_NORMALIZE);
}

void PositionSceneLights()
{
    glLightfv(GL_LIGHT0, GL_POSITION, LIGHT0_POSITION);
    glLightfv(GL_LIGHT1, GL_POSITION, LIGHT1_POSITION);
}

void BeginFishStage()
{
    glPushAttrib(GL_ENABLE_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_LIGHTING);
    PositionSceneLights();
}

void EndFishStage()
{
    glPopAttrib();
}
