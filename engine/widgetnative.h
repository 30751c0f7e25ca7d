#pragma once

#include <QSize>
#include <QWidget>

class ScreenEngine;

// The raster render widget (render engine id 0).
class WidgetNative : public QWidget {
    Q_OBJECT

public:
    WidgetNative(ScreenEngine *engine, QWidget *parent, QSize size);

    // Resizes only when the size differs from the last one asked for.
    void resizeTo(QSize size);
    // Tracks the pointer while the engine's inspector is on, so the box follows it.
    void followInspector();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int renderEngineId = 0;

    ScreenEngine *m_engine;
    QSize m_requestedSize{-1, -1};
};
