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

protected:
    void paintGL() override;

private:
    static constexpr int renderEngineId = 1;

    ScreenEngine *m_engine;
    QSize m_requestedSize{-1, -1};
};
