// Median paint time of one frame at 1920 x 1080 and 3840 x 2160 for several grids and shapes,
// beside the time of a plain fill of the whole picture at the same size (and as a multiple of
// it), and the same frame in a window on a private X server (xcb platform, no window manager):
// repaint, the flush to the server and the server's copy into its frame buffer. An extra row
// gives that window on the offscreen platform, which flushes nowhere. Every frame gets new
// data, as with a live console.
//   build/bench/bench_paint   (re-runs itself through scripts/in-netns.sh)
#include "bench/innetns.h"
#include "bench/xvfb.h"
#include "engine/cellpainter.h"
#include "engine/screenengine.h"
#include "engine/widgetnative.h"
#include "settings/settingsrecord.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QWindow>

#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
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

const Case cases[] = {
    {"17x10 RGB, filled rectangles", 17, 10, ColourMode::Rgb, ShapeKind::RectangleFilled},
    {"17x10 RGB, filled ellipses", 17, 10, ColourMode::Rgb, ShapeKind::EllipseFilled},
    {"192x108 RGB, filled rectangles", 192, 108, ColourMode::Rgb, ShapeKind::RectangleFilled},
    {"192x108 RGB, filled ellipses", 192, 108, ColourMode::Rgb, ShapeKind::EllipseFilled},
    {"480x270 Mono, filled rectangles", 480, 270, ColourMode::Monochrome,
     ShapeKind::RectangleFilled},
    {"480x270 Mono, filled ellipses", 480, 270, ColourMode::Monochrome, ShapeKind::EllipseFilled},
};
const QSize sizes[] = {QSize(1920, 1080), QSize(3840, 2160)};

std::unique_ptr<ScreenEngine> engineFor(const Case &c, QSize screen) {
    SettingsRecord settings;
    settings.DmxSizeX = quint16(c.cols);
    settings.DmxSizeY = quint16(c.rows);
    settings.DmxUseRgb = c.mode;
    settings.ShapeType = c.shape;
    settings.SizeX = quint16(screen.width());
    settings.SizeY = quint16(screen.height());
    settings.DmxChannelPerUniverse = 512;
    auto engine = std::make_unique<ScreenEngine>();
    engine->configure(nullptr, settings, 0, 0, {});
    // The status overlay of the first 1000 frames after an apply is not what a live picture
    // costs: it is run out on a tiny picture first.
    QImage tiny(16, 9, QImage::Format_RGB32);
    for (int frame = 0; frame < 1000; ++frame) {
        QPainter painter(&tiny);
        engine->applyStaged();
        engine->paintFrame(painter, tiny.rect(), 0);
    }
    return engine;
}

std::function<void()> newDataFor(ScreenEngine &engine, QRandomGenerator &random) {
    return [&engine, &random] {
        engine.frameStore().modify(FrameStore::Writer::ArtNet, [&random](std::span<quint8> f) {
            for (quint8 &byte : f)
                byte = quint8(random.generate());
        });
    };
}

// One frame in a window at (0, 0): the paint into the backing store and its flush; on X, the
// round trip after it returns once the server has copied the picture into its frame buffer.
double windowMs(ScreenEngine &engine, QSize screen, const std::function<void()> &newData) {
    WidgetNative widget(&engine, nullptr, screen);
    widget.move(0, 0);
    widget.show();
    QElapsedTimer waited;
    waited.start();
    while (!(widget.windowHandle() && widget.windowHandle()->isExposed()) &&
           waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    Display *display = x11 ? x11->display() : nullptr;
    return medianMs(newData, [&] {
        widget.repaint();
        if (display)
            XSync(display, False);
    });
}

// The extra row: the first case's window on the offscreen platform, run as a process of its
// own since the platform is chosen once per process.
int offscreenRow(int argc, char **argv) {
    QApplication app(argc, argv);
    std::printf("\n%-34s %12s %12s\n", "window on the offscreen platform", "1920x1080",
                "3840x2160");
    std::printf("%-34s", cases[0].name);
    for (const QSize screen : sizes) {
        auto engine = engineFor(cases[0], screen);
        QRandomGenerator random(7);
        std::printf(" %9.2f ms", windowMs(*engine, screen, newDataFor(*engine, random)));
    }
    std::printf("\n");
    return 0;
}

} // namespace

int main(int argc, char **argv) {
    if (argc == 2 && std::strcmp(argv[1], "--offscreen") == 0)
        return offscreenRow(argc, argv);
    if (!runInPrivateNetwork(argc, argv))
        return 2;
    PrivateXvfb xvfb(sizes[1]);
    if (!xvfb.isRunning())
        return 2;
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    std::printf("Xvfb %s, xcb platform\n", xvfb.display().constData());

    for (const QSize screen : sizes) {
        QImage target(screen, QImage::Format_RGB32);
        const QRect rect(QPoint(0, 0), screen);

        // The plain fill: the least any paint of a full picture costs.
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
        std::printf("%-34s %12s %8s %18s %12s\n", "grid", "paintFrame", "x fill",
                    "one call per cell", "X window");
        for (const Case &c : cases) {
            auto engine = engineFor(c, screen);
            QRandomGenerator random(7);
            const auto newData = newDataFor(*engine, random);
            const double engineMs = medianMs(newData, [&] {
                QPainter painter(&target);
                engine->applyStaged();
                engine->paintFrame(painter, rect, 0);
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
                engine->frameStore().snapshot(frame);
                cellPainter.paintWithPainter(
                    picture,
                    {reinterpret_cast<const quint8 *>(frame.constData()), size_t(frame.size())},
                    params);
                QPainter painter(&target);
                painter.drawImage(0, 0, picture);
            });
            const double xMs = windowMs(*engine, screen, newData);
            std::printf("%-34s %9.2f ms %8.1f %15.2f ms %9.2f ms\n", c.name, engineMs,
                        engineMs / fillMs, painterMs, xMs);
            std::fflush(stdout);
        }
    }

    QProcess offscreen;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    offscreen.setProcessEnvironment(env);
    offscreen.setProcessChannelMode(QProcess::ForwardedChannels);
    offscreen.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--offscreen")});
    offscreen.waitForFinished(120000);
    return 0;
}
