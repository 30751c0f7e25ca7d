#include "engine/widgetopengl.h"

#include "engine/screenengine.h"

#include <QPainter>
#include <QSurfaceFormat>

WidgetOpenGL::WidgetOpenGL(ScreenEngine *engine, QWidget *parent, QSize size)
    : QOpenGLWidget(parent), m_engine(engine) {
    QSurfaceFormat surfaceFormat = format();
    surfaceFormat.setSamples(4);
    setFormat(surfaceFormat);
    setAutoFillBackground(false);
    resizeTo(size);
}

void WidgetOpenGL::resizeTo(QSize size) {
    if (size == m_requestedSize)
        return;
    m_requestedSize = size;
    resize(size);
}

// QOpenGLWidget's paint event binds the widget's framebuffer and then calls paintGL, so the
// painter opened here draws into that framebuffer.
void WidgetOpenGL::paintGL() {
    QPainter painter(this);
    m_engine->paintFrame(painter, rect(), renderEngineId);
}
