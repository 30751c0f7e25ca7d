// Median paint time of one frame at 1920 x 1080 and 3840 x 2160 for several grids and shapes,
// beside the time of a plain fill of the whole picture at the same size (and as a multiple of
// it). Every frame gets new data, as with a live console.
#include "bench/innetns.h"
#include "engine/cellpainter.h"
#include "engine/screenengine.h"
#include "settings/settingsrecord.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Median milliseconds of `frame` over at least 15 runs and about `budgetMs` of work;
// `prepare` runs untimed before each frame.
double medianMs(const std::function<void()> &prepare, const std::function<void()> &frame,
                int budgetMs = 1500) {
    prepare();
    frame(); // warm up: first apply, picture allocation
    std::vector<double> times;
    QElapsedTimer total;
    total.start();
    while (times.size() < 15 || (total.elapsed() < budgetMs && times.size() < 400)) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        frame();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::nth_element(times.begin(), times.begin() + long(times.size() / 2), times.end());
    return times[times.size() / 2];
}

struct Case {
    const char *name;
    int cols;
    int rows;
    quint16 mode;
    quint16 shape;
};

} // namespace

int main(int argc, char **argv) {
    if (!runInPrivateNetwork(argc, argv))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const Case cases[] = {
        {"17x10 RGB, filled rectangles", 17, 10, ColourMode::Rgb, ShapeKind::RectangleFilled},
        {"17x10 RGB, filled ellipses", 17, 10, ColourMode::Rgb, ShapeKind::EllipseFilled},
        {"192x108 RGB, filled rectangles", 192, 108, ColourMode::Rgb, ShapeKind::RectangleFilled},
        {"192x108 RGB, filled ellipses", 192, 108, ColourMode::Rgb, ShapeKind::EllipseFilled},
        {"480x270 Mono, filled rectangles", 480, 270, ColourMode::Monochrome,
         ShapeKind::RectangleFilled},
        {"480x270 Mono, filled ellipses", 480, 270, ColourMode::Monochrome,
         ShapeKind::EllipseFilled},
    };

    for (const QSize screen : {QSize(1920, 1080), QSize(3840, 2160)}) {
        QImage target(screen, QImage::Format_RGB32);
        const QRect rect(QPoint(0, 0), screen);

        // The plain fill: the least any paint of a full 1920 x 1080 picture costs.
        int shade = 0;
        const double fillMs = medianMs([] {},
                                       [&] {
                                           QPainter painter(&target);
                                           painter.fillRect(rect, QColor(shade, 0, 0));
                                           shade = (shade + 1) % 256;
                                       });

        std::printf("\npaintFrame median at %dx%d (new data every frame)\n", screen.width(),
                    screen.height());
        std::printf("plain full-frame fill: %.2f ms\n\n", fillMs);
        std::printf("%-34s %12s %10s %18s\n", "grid", "paintFrame", "x fill", "one call per cell");
        for (const Case &c : cases) {
            SettingsRecord settings;
            settings.DmxSizeX = quint16(c.cols);
            settings.DmxSizeY = quint16(c.rows);
            settings.DmxUseRgb = c.mode;
            settings.ShapeType = c.shape;
            settings.SizeX = quint16(screen.width());
            settings.SizeY = quint16(screen.height());
            settings.DmxChannelPerUniverse = 512;

            ScreenEngine engine;
            engine.configure(nullptr, settings, 0, 0, {});
            // The status overlay of the first 1000 frames after an apply is not what a live
            // picture costs: it is run out on a tiny picture first.
            QImage tiny(16, 9, QImage::Format_RGB32);
            for (int frame = 0; frame < 1000; ++frame) {
                QPainter painter(&tiny);
                engine.paintFrame(painter, tiny.rect(), 0);
            }
            QRandomGenerator random(7);
            const auto newData = [&engine, &random] {
                engine.frameStore().modify(FrameStore::Writer::ArtNet,
                                           [&random](std::span<quint8> f) {
                                               for (quint8 &byte : f)
                                                   byte = quint8(random.generate());
                                           });
            };
            const double engineMs = medianMs(newData, [&] {
                QPainter painter(&target);
                engine.paintFrame(painter, rect, 0);
            });

            // The same frame through QPainter alone, for comparison.
            PaintParams params;
            params.cols = c.cols;
            params.rows = c.rows;
            params.colourMode = c.mode;
            params.shape = c.shape;
            params.sizeX = screen.width();
            params.sizeY = screen.height();
            QByteArray frame;
            QImage picture(screen, QImage::Format_RGB32);
            CellPainter cellPainter;
            const double painterMs = medianMs(newData, [&] {
                engine.frameStore().snapshot(frame);
                cellPainter.paintWithPainter(
                    picture,
                    {reinterpret_cast<const quint8 *>(frame.constData()), size_t(frame.size())},
                    params);
                QPainter painter(&target);
                painter.drawImage(0, 0, picture);
            });
            std::printf("%-34s %9.2f ms %10.1f %15.2f ms\n", c.name, engineMs, engineMs / fillMs,
                        painterMs);
        }
    }
    return 0;
}
