#pragma once

#include <QOpenGLWidget>
#include <QSize>

class ScreenEngine;

// The OpenGL render widget (render engine id 1). Create it only when openGlAvailable().
class WidgetOpenGL : public QOpenGLWidget {
    Q_OBJECT

public:
    WidgetOpenGL(ScreenEngine *engine, QWidget *parent, QSize size);

    // Resizes only when the size differs from the last one asked for.
    void resizeTo(QSize size);
    // Tracks the pointer while the engine's inspector is on, so the box follows it.
    void followInspector();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintGL() override;

private:
    static constexpr int renderEngineId = 1;

    ScreenEngine *m_engine;
    QSize m_requestedSize{-1, -1};
};
