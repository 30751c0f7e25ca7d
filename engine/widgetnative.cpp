#include "engine/widgetnative.h"

#include "engine/screenengine.h"

#include <QPainter>

WidgetNative::WidgetNative(ScreenEngine *engine, QWidget *parent, QSize size)
    : QWidget(parent), m_engine(engine) {
    setAutoFillBackground(false);
    // The engine paints every pixel of the widget (the cell painter clears its picture), so
    // the window's background under it need not be painted first for every frame.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resizeTo(size);
}

void WidgetNative::resizeTo(QSize size) {
    if (size == m_requestedSize)
        return;
    m_requestedSize = size;
    resize(size);
}

void WidgetNative::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    // The grid is laid out for the whole widget even when only part of it is exposed; the
    // painter clips to the exposed part.
    m_engine->paintFrame(painter, rect(), renderEngineId);
}
