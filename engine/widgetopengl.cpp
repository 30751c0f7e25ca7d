#include "engine/widgetopengl.h"

#include "engine/screenengine.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QSurfaceFormat>

WidgetOpenGL::WidgetOpenGL(ScreenEngine *engine, QWidget *parent, QSize size)
    : QOpenGLWidget(parent), m_engine(engine) {
    QSurfaceFormat surfaceFormat = format();
    surfaceFormat.setSamples(4);
    setFormat(surfaceFormat);
    setAutoFillBackground(false);
    resizeTo(size);
    followInspector();
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

void WidgetOpenGL::followInspector() {
    const bool on = m_engine->isInspecting();
    setMouseTracking(on);
    // Switched on by a key, with the pointer resting over the picture.
    if (on && underMouse())
        update(m_engine->moveInspector(mapFromGlobal(QCursor::pos()), rect()));
}

void WidgetOpenGL::mouseMoveEvent(QMouseEvent *event) {
    if (m_engine->isInspecting())
        update(m_engine->moveInspector(event->position().toPoint(), rect()));
    QOpenGLWidget::mouseMoveEvent(event);
}

void WidgetOpenGL::leaveEvent(QEvent *event) {
    if (m_engine->isInspecting())
        update(m_engine->moveInspector(std::nullopt, rect()));
    QOpenGLWidget::leaveEvent(event);
}

void WidgetOpenGL::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && m_engine->pickInspectedCell()) {
        event->accept();
        return;
    }
    QOpenGLWidget::mousePressEvent(event);
}
