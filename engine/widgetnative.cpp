#include "engine/widgetnative.h"

#include "engine/screenengine.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

WidgetNative::WidgetNative(ScreenEngine *engine, QWidget *parent, QSize size)
    : QWidget(parent), m_engine(engine) {
    setAutoFillBackground(false);
    // The engine paints every pixel of the widget (the cell painter clears its picture), so
    // the window's background under it need not be painted first for every frame.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resizeTo(size);
    followInspector();
}

void WidgetNative::resizeTo(QSize size) {
    if (size == m_requestedSize)
        return;
    m_requestedSize = size;
    resize(size);
}

void WidgetNative::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    // The grid is laid out for the whole widget even when only part of it is exposed; the
    // painter clips to the exposed part.
    m_engine->paintFrame(painter, rect(), renderEngineId, event->rect());
}

void WidgetNative::followInspector() {
    const bool on = m_engine->isInspecting();
    setMouseTracking(on);
    // Switched on by a key, with the pointer resting over the picture.
    if (on && underMouse())
        update(m_engine->moveInspector(mapFromGlobal(QCursor::pos()), rect()));
}

void WidgetNative::mouseMoveEvent(QMouseEvent *event) {
    if (m_engine->isInspecting())
        update(m_engine->moveInspector(event->position().toPoint(), rect()));
    QWidget::mouseMoveEvent(event);
}

void WidgetNative::leaveEvent(QEvent *event) {
    if (m_engine->isInspecting())
        update(m_engine->moveInspector(std::nullopt, rect()));
    QWidget::leaveEvent(event);
}

void WidgetNative::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && m_engine->pickInspectedCell()) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}
