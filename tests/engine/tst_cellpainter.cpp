#include "engine/celllayout.h"
#include "engine/cellpainter.h"
#include "settings/settingsrecord.h"
#include "testpictures.h"

#include <QPainter>
#include <QPicture>
#include <QRandomGenerator>
#include <QtTest>

namespace {

const QRgb black = qRgb(0, 0, 0);
const QRgb white = qRgb(255, 255, 255);
const QRgb grey = qRgb(160, 160, 164);

PaintParams gridParams(int cols, int rows, quint16 mode, quint16 shape, QSize size) {
    PaintParams params;
    params.cols = cols;
    params.rows = rows;
    params.colourMode = mode;
    params.shape = shape;
    params.sizeX = size.width();
    params.sizeY = size.height();
    return params;
}

std::span<const quint8> bytes(const QByteArray &frame) {
    return {reinterpret_cast<const quint8 *>(frame.constData()), size_t(frame.size())};
}

QByteArray frameOf(std::initializer_list<int> values) {
    QByteArray frame;
    for (int v : values)
        frame.append(char(v));
    return frame;
}

QString pictureName(const QString &suffix = {}) {
    QString name = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        name += QLatin1Char('_') + QString::fromLatin1(QTest::currentDataTag());
    return suffix.isEmpty() ? name : name + QLatin1Char('_') + suffix;
}

// Through a painter on the picture, as a widget paints.
void paintInto(QImage &picture, const PaintParams &params, const QByteArray &frame) {
    QPainter painter(&picture);
    CellPainter().paint(painter, picture.rect(), bytes(frame), params);
}

QImage render(const PaintParams &params, const QByteArray &frame, QSize size,
              const QString &suffix = {}) {
    QImage picture(size, QImage::Format_RGB32);
    paintInto(picture, params, frame);
    savePicture(picture, pictureName(suffix));
    return picture;
}

bool containsColour(const QImage &picture, const QRect &area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (picture.pixel(x, y) == colour)
                return true;
    return false;
}

} // namespace

class TestCellPainter : public QObject {
    Q_OBJECT

private slots:
    void geometryAndMargins_data();
    void geometryAndMargins();
    void zeroGridPaintsBackground();
    void colourModes_data();
    void colourModes();
    void shapes_data();
    void shapes();
    void unofferedShapeIsFilledRectangle();
    void levelAndInvert();
    void rotationsAndMirrors_data();
    void rotationsAndMirrors();
    void rotationStretchesToScreen();
    void bufferShorterThanGrid();
    void barAndNumber();
    void barShapes_data();
    void barShapes();
    void fastPathsPaintSamePixels_data();
    void fastPathsPaintSamePixels();
};

void TestCellPainter::geometryAndMargins_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("offY");
    QTest::newRow("1000x500") << 500 << 0;
    QTest::newRow("1000x505") << 505 << 2;
}

void TestCellPainter::geometryAndMargins() {
    QFETCH(int, height);
    QFETCH(int, offY);
    const CellGrid grid = cellGrid(1000, height, 17, 10);
    QCOMPARE(grid.cellW, 58);
    QCOMPARE(grid.offX, 7);
    QCOMPARE(grid.cellH, 50);
    QCOMPARE(grid.offY, offY);

    // Cell n of the top row is red n + 1, so every column's extent can be told apart.
    QByteArray frame(17 * 10 * 3, char(0));
    for (int n = 0; n < 170; ++n)
        frame[n * 3] = char(n % 17 + 1);
    const QImage picture =
        render(gridParams(17, 10, ColourMode::Rgb, ShapeKind::RectangleFilled, {1000, height}),
               frame, {1000, height});
    const int y = offY;
    QCOMPARE(picture.pixel(6, y), black);
    for (int col = 0; col < 17; ++col) {
        QCOMPARE(picture.pixel(7 + 58 * col, y), qRgb(col + 1, 0, 0));
        QCOMPARE(picture.pixel(7 + 58 * col + 57, y), qRgb(col + 1, 0, 0));
    }
    QCOMPARE(picture.pixel(992, y), qRgb(17, 0, 0));
    QCOMPARE(picture.pixel(993, y), black);
    QCOMPARE(picture.pixel(999, y), black);
    // Rows: the last cell row ends at offY + 499; the leftover rows are background.
    QCOMPARE(picture.pixel(7, offY + 499), qRgb(1, 0, 0));
    if (offY > 0) {
        QCOMPARE(picture.pixel(7, offY - 1), black);
        QCOMPARE(picture.pixel(7, offY + 500), black);
    }
}

void TestCellPainter::zeroGridPaintsBackground() {
    QCOMPARE(cellGrid(1000, 500, 0, 10).isEmpty(), true);
    QCOMPARE(cellGrid(1000, 500, 17, 0).isEmpty(), true);
    const QByteArray frame(30, char(255));
    for (const auto &[cols, rows] : {std::pair{0, 10}, std::pair{17, 0}}) {
        for (quint16 shape : {ShapeKind::RectangleFilled, ShapeKind::EllipseFilled}) {
            QImage picture(200, 100, QImage::Format_RGB32);
            picture.fill(Qt::red);
            paintInto(picture, gridParams(cols, rows, ColourMode::Rgb, shape, {200, 100}), frame);
            QImage expected(200, 100, QImage::Format_RGB32);
            expected.fill(Qt::black);
            QCOMPARE(picture, expected);
        }
    }
}

void TestCellPainter::colourModes_data() {
    QTest::addColumn<quint16>("mode");
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QRgb>("first");
    QTest::addColumn<QRgb>("second");
    QTest::newRow("monochrome") << ColourMode::Monochrome << frameOf({200, 17})
                                << qRgb(200, 200, 200) << qRgb(17, 17, 17);
    QTest::newRow("rgb") << ColourMode::Rgb << frameOf({10, 20, 30, 40, 50, 60}) << qRgb(10, 20, 30)
                         << qRgb(40, 50, 60);
    // Each of red, green and blue takes a third of white: (2c + w) / 3.
    QTest::newRow("rgbw") << ColourMode::Rgbw << frameOf({255, 0, 0, 255, 0, 90, 30, 60})
                          << qRgb(255, 85, 85) << qRgb(20, 80, 40);
    QTest::newRow("unknown mode 3")
        << quint16(3) << frameOf({255, 255, 255, 255, 255, 255}) << black << black;
    QTest::newRow("unknown mode 16")
        << quint16(16) << frameOf({255, 255, 255, 255, 255, 255}) << black << black;
}

void TestCellPainter::colourModes() {
    QFETCH(quint16, mode);
    QFETCH(QByteArray, frame);
    QFETCH(QRgb, first);
    QFETCH(QRgb, second);
    const QImage picture =
        render(gridParams(2, 1, mode, ShapeKind::RectangleFilled, {200, 100}), frame, {200, 100});
    QCOMPARE(picture.pixel(50, 50), first);
    QCOMPARE(picture.pixel(150, 50), second);
}

void TestCellPainter::shapes_data() {
    QTest::addColumn<quint16>("shape");
    QTest::addColumn<QList<QPoint>>("lit");
    QTest::addColumn<QList<QPoint>>("dark");
    // One 100 x 100 red cell at the left, the green one beside it must not be touched by it.
    QTest::newRow("filled rectangle")
        << ShapeKind::RectangleFilled << QList<QPoint>{{0, 0}, {50, 50}, {99, 99}}
        << QList<QPoint>{};
    // Outline of the cell rectangle with a one-pixel pen.
    QTest::newRow("rectangle") << ShapeKind::Rectangle
                               << QList<QPoint>{{0, 0}, {0, 50}, {50, 0}, {99, 0}}
                               << QList<QPoint>{{50, 50}, {2, 2}, {97, 50}};
    // Inner rectangle 25..74 stroked with a 50-pixel pen: a disc of radius about 50.
    QTest::newRow("filled ellipse")
        << ShapeKind::EllipseFilled << QList<QPoint>{{50, 40}, {50, 3}, {3, 50}, {80, 80}}
        << QList<QPoint>{{2, 2}, {97, 2}, {2, 97}};
    QTest::newRow("ellipse") << ShapeKind::Ellipse << QList<QPoint>{{0, 50}, {50, 0}}
                             << QList<QPoint>{{50, 50}, {2, 2}, {20, 50}};
}

void TestCellPainter::shapes() {
    QFETCH(quint16, shape);
    QFETCH(QList<QPoint>, lit);
    QFETCH(QList<QPoint>, dark);
    const QImage picture = render(gridParams(2, 1, ColourMode::Rgb, shape, {200, 100}),
                                  frameOf({255, 0, 0, 0, 255, 0}), {200, 100});
    // The second cell shows the same shape in its own colour at its own place.
    for (const QPoint &p : lit) {
        QVERIFY2(picture.pixel(p) == qRgb(255, 0, 0),
                 qPrintable(QStringLiteral("(%1, %2) not lit").arg(p.x()).arg(p.y())));
        QCOMPARE(picture.pixel(p + QPoint(100, 0)), qRgb(0, 255, 0));
    }
    for (const QPoint &p : dark) {
        QVERIFY2(picture.pixel(p) == black,
                 qPrintable(QStringLiteral("(%1, %2) not dark").arg(p.x()).arg(p.y())));
        QCOMPARE(picture.pixel(p + QPoint(100, 0)), black);
    }
}

void TestCellPainter::unofferedShapeIsFilledRectangle() {
    const QByteArray frame = frameOf({255, 0, 0, 0, 255, 0, 1, 2, 3});
    const QImage three =
        render(gridParams(3, 1, ColourMode::Rgb, 3, {300, 100}), frame, {300, 100}, "shape3");
    const QImage filled =
        render(gridParams(3, 1, ColourMode::Rgb, 0, {300, 100}), frame, {300, 100}, "shape0");
    QCOMPARE(three, filled);
    QCOMPARE(three.pixel(150, 50), qRgb(0, 255, 0));
}

void TestCellPainter::levelAndInvert() {
    QCOMPARE(levelScale(255, false, 128), quint8(128));
    QCOMPARE(levelScale(0, true, 255), quint8(255));
    QCOMPARE(levelScale(255, true, 255), quint8(0));
    QCOMPARE(levelScale(0, true, 128), quint8(128));
    QCOMPARE(levelScale(100, false, 0), quint8(0));
    QCOMPARE(levelScale(77, false, 255), quint8(77));
    // floor(level * x / 255): 200 * 100 / 255 = 78.43
    QCOMPARE(levelScale(100, false, 200), quint8(78));

    PaintParams params = gridParams(2, 1, ColourMode::Monochrome, 0, {200, 100});
    params.level = 128;
    QImage picture = render(params, frameOf({255, 0}), {200, 100}, "level128");
    QCOMPARE(picture.pixel(50, 50), qRgb(128, 128, 128));
    QCOMPARE(picture.pixel(150, 50), black);
    params.level = 255;
    params.invert = true;
    picture = render(params, frameOf({255, 0}), {200, 100}, "invert");
    QCOMPARE(picture.pixel(50, 50), black);
    QCOMPARE(picture.pixel(150, 50), white);
    // RGBW: the level applies to every byte before the white mix.
    params = gridParams(1, 1, ColourMode::Rgbw, 0, {100, 100});
    params.level = 51;
    picture = render(params, frameOf({255, 0, 0, 255}), {100, 100}, "rgbw_level51");
    QCOMPARE(picture.pixel(50, 50), qRgb(51, 17, 17));
}

void TestCellPainter::rotationsAndMirrors_data() {
    QTest::addColumn<quint16>("rotation");
    QTest::addColumn<bool>("leftRight");
    QTest::addColumn<bool>("topBottom");
    QTest::addColumn<int>("litCorner"); // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right
    QTest::newRow("none") << quint16(0) << false << false << 0;
    QTest::newRow("rotate 90") << quint16(90) << false << false << 1;
    QTest::newRow("rotate 180") << quint16(180) << false << false << 3;
    QTest::newRow("rotate 270") << quint16(270) << false << false << 2;
    QTest::newRow("rotate 45 is none") << quint16(45) << false << false << 0;
    QTest::newRow("mirror left-right") << quint16(0) << true << false << 1;
    QTest::newRow("mirror top-bottom") << quint16(0) << false << true << 2;
    QTest::newRow("mirror both") << quint16(0) << true << true << 3;
    // The mirror acts on the picture before it is rotated.
    QTest::newRow("rotate 90 mirror left-right") << quint16(90) << true << false << 3;
    QTest::newRow("rotate 180 mirror top-bottom") << quint16(180) << false << true << 1;
}

void TestCellPainter::rotationsAndMirrors() {
    QFETCH(quint16, rotation);
    QFETCH(bool, leftRight);
    QFETCH(bool, topBottom);
    QFETCH(int, litCorner);
    // 4 x 2 cells of 50 x 50 on 200 x 100; only cell 0 (top left) is lit.
    PaintParams params = gridParams(4, 2, ColourMode::Monochrome, 0, {200, 100});
    params.rotation = rotation;
    params.mirrorLeftRight = leftRight;
    params.mirrorTopBottom = topBottom;
    QByteArray frame(8, char(0));
    frame[0] = char(255);
    const QImage picture = render(params, frame, {200, 100});
    const QPoint corners[4] = {{5, 5}, {194, 5}, {5, 94}, {194, 94}};
    for (int c = 0; c < 4; ++c)
        QVERIFY2((picture.pixel(corners[c]) == white) == (c == litCorner),
                 qPrintable(QStringLiteral("corner %1").arg(c)));
}

void TestCellPainter::rotationStretchesToScreen() {
    // Rotation 90 on a 1920 x 1080 screen: the picture's left edge lands on the screen's top
    // edge and the grid is stretched to cover the screen.
    PaintParams params = gridParams(16, 9, ColourMode::Rgb, 0, {1920, 1080});
    params.rotation = 90;
    QByteArray frame(16 * 9 * 3, char(0));
    for (int row = 0; row < 9; ++row)
        frame[row * 16 * 3] = char(255); // column 0 red
    frame[15 * 3 + 2] = char(255);       // top-right cell blue
    const QImage picture = render(params, frame, {1920, 1080});
    // Column 0 (the left edge) becomes the top band: 1080 / 16 rows high, full width.
    QCOMPARE(picture.pixel(2, 2), qRgb(255, 0, 0));
    QCOMPARE(picture.pixel(1917, 2), qRgb(255, 0, 0));
    QCOMPARE(picture.pixel(960, 60), qRgb(255, 0, 0));
    QCOMPARE(picture.pixel(960, 75), black);
    // The top-right cell lands at the bottom right.
    QCOMPARE(picture.pixel(1915, 1075), qRgb(0, 0, 255));
    QCOMPARE(CellPainter::directApplies(params), false);
}

void TestCellPainter::bufferShorterThanGrid() {
    // 100 bytes hold 33 RGB cells; cell 33 would need bytes 99 ... 101.
    const QByteArray frame(100, char(255));
    const QImage picture =
        render(gridParams(17, 10, ColourMode::Rgb, 0, {1000, 500}), frame, {1000, 500});
    const CellGrid grid = cellGrid(1000, 500, 17, 10);
    QCOMPARE(picture.pixel(cellRect(grid, 1, 15).center()), white); // cell 32
    QCOMPARE(picture.pixel(cellRect(grid, 1, 16).center()), black); // cell 33
    QCOMPARE(picture.pixel(cellRect(grid, 9, 16).center()), black);
}

void TestCellPainter::barAndNumber() {
    // Value 128 at level 255, cellH 50: the bar covers rows top + 24 ... top + 48.
    const CellGrid grid = cellGrid(1000, 500, 17, 10);
    const QRect cell = cellRect(grid, 0, 0);
    QCOMPARE(barRect(grid, 0, 0, 128, 0), QRect(QPoint(cell.left(), 24), QPoint(cell.right(), 48)));
    QCOMPARE(barRect(grid, 0, 0, 0, 0).height(), 0);
    QCOMPARE(barRect(grid, 0, 0, 255, 0), cell);
    QCOMPARE(numberPixelSize(grid), 25);

    QByteArray frame(170, char(0));
    frame[0] = char(128);
    const QSize size(1000, 500);
    const QImage both =
        render(gridParams(17, 10, ColourMode::BarAndDmxValues, 0, size), frame, size, "both");
    const int x = cell.left();
    QCOMPARE(both.pixel(x, 23), black);
    QCOMPARE(both.pixel(x, 24), white);
    QCOMPARE(both.pixel(x, 48), white);
    QCOMPARE(both.pixel(x, 49), black);
    QCOMPARE(both.pixel(cell.right(), 30), white);
    // "128" in grey on top of the bar, centred in the cell.
    QVERIFY(containsColour(both, cell.adjusted(0, 24, 0, 0), grey));
    QCOMPARE(both.pixel(cell.left() + 2, 30), white);

    const QImage bar =
        render(gridParams(17, 10, ColourMode::BarVertical, 0, size), frame, size, "bar");
    QVERIFY(!containsColour(bar, cell, grey));
    QCOMPARE(bar.pixel(cell.center().x(), 30), white);
    // A bar of value 0 is empty: the next cell stays background.
    QCOMPARE(bar.pixel(cellRect(grid, 0, 1).center().x(), 49), black);

    const QImage numbers =
        render(gridParams(17, 10, ColourMode::DmxValues, 0, size), frame, size, "numbers");
    QVERIFY(containsColour(numbers, cell, grey));
    QVERIFY(!containsColour(numbers, cell, white));
    // Value 0 is written too.
    QVERIFY(containsColour(numbers, cellRect(grid, 0, 1), grey));
}

void TestCellPainter::barShapes_data() {
    QTest::addColumn<quint16>("shape");
    QTest::addColumn<QList<QPoint>>("lit");
    QTest::addColumn<QList<QPoint>>("dark");
    // Value 255 in a 100 x 100 cell.
    QTest::newRow("rectangle outline")
        << ShapeKind::Rectangle << QList<QPoint>{{0, 50}, {50, 0}} << QList<QPoint>{{50, 50}};
    QTest::newRow("disc") << ShapeKind::EllipseFilled << QList<QPoint>{{50, 40}, {50, 5}}
                          << QList<QPoint>{{2, 2}};
    QTest::newRow("ellipse outline")
        << ShapeKind::Ellipse << QList<QPoint>{{0, 50}, {50, 0}} << QList<QPoint>{{50, 50}, {2, 2}};
}

void TestCellPainter::barShapes() {
    QFETCH(quint16, shape);
    QFETCH(QList<QPoint>, lit);
    QFETCH(QList<QPoint>, dark);
    const QImage picture = render(gridParams(1, 1, ColourMode::BarVertical, shape, {100, 100}),
                                  frameOf({255}), {100, 100});
    for (const QPoint &p : lit)
        QCOMPARE(picture.pixel(p), white);
    for (const QPoint &p : dark)
        QCOMPARE(picture.pixel(p), black);
    // Half a value gives a smaller shape: the outer point of the full one is background.
    const QImage half = render(gridParams(1, 1, ColourMode::BarVertical, shape, {100, 100}),
                               frameOf({128}), {100, 100}, "half");
    QCOMPARE(half.pixel(50, 0), black);
}

void TestCellPainter::fastPathsPaintSamePixels_data() {
    QTest::addColumn<int>("cols");
    QTest::addColumn<int>("rows");
    QTest::addColumn<quint16>("mode");
    QTest::addColumn<quint16>("shape");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<quint16>("rotation");
    QTest::addColumn<int>("mirror");
    QTest::addColumn<int>("frameLength"); // -1: the whole grid
    QTest::addColumn<int>("level");

    const QSize hd(1920, 1080);
    const quint16 rgb = ColourMode::Rgb;
    const quint16 mono = ColourMode::Monochrome;
    const quint16 rgbw = ColourMode::Rgbw;
    QTest::newRow("17x10 rgb 1000x500") << 17 << 10 << rgb << quint16(0) << QSize(1000, 500)
                                        << QSize(1000, 500) << quint16(0) << 0 << -1 << 255;
    QTest::newRow("17x10 rgb hd") << 17 << 10 << rgb << quint16(0) << hd << hd << quint16(0) << 0
                                  << -1 << 255;
    QTest::newRow("192x108 rgb hd")
        << 192 << 108 << rgb << quint16(0) << hd << hd << quint16(0) << 0 << -1 << 255;
    QTest::newRow("480x270 mono hd")
        << 480 << 270 << mono << quint16(0) << hd << hd << quint16(0) << 0 << -1 << 255;
    QTest::newRow("7x3 rgbw odd size level invert")
        << 7 << 3 << rgbw << quint16(0) << QSize(333, 217) << QSize(333, 217) << quint16(0) << 0
        << -1 << -100;
    QTest::newRow("more columns than pixels") << 200 << 3 << mono << quint16(0) << QSize(97, 61)
                                              << QSize(97, 61) << quint16(0) << 0 << -1 << 255;
    QTest::newRow("rotate 180") << 17 << 10 << rgb << quint16(0) << QSize(1001, 507)
                                << QSize(1001, 507) << quint16(180) << 0 << -1 << 255;
    QTest::newRow("mirror left-right") << 17 << 10 << rgb << quint16(0) << QSize(1001, 507)
                                       << QSize(1001, 507) << quint16(0) << 2 << -1 << 255;
    QTest::newRow("mirror top-bottom") << 17 << 10 << rgb << quint16(0) << QSize(1001, 507)
                                       << QSize(1001, 507) << quint16(0) << 1 << -1 << 255;
    QTest::newRow("mirror both") << 31 << 17 << mono << quint16(0) << QSize(1001, 507)
                                 << QSize(1001, 507) << quint16(0) << 3 << -1 << 255;
    QTest::newRow("rotate 180 mirror left-right")
        << 17 << 10 << rgbw << quint16(0) << QSize(640, 480) << QSize(640, 480) << quint16(180) << 2
        << -1 << 128;
    // A screen size that differs from the picture moves mirrored cells partly outside it.
    QTest::newRow("mirror with larger screen") << 17 << 10 << rgb << quint16(0) << QSize(1000, 500)
                                               << QSize(1100, 530) << quint16(0) << 3 << -1 << 255;
    QTest::newRow("rotate 180 smaller screen") << 17 << 10 << rgb << quint16(0) << QSize(1000, 500)
                                               << QSize(900, 450) << quint16(180) << 0 << -1 << 255;
    QTest::newRow("short frame mid row") << 17 << 10 << rgb << quint16(0) << QSize(1000, 500)
                                         << QSize(1000, 500) << quint16(0) << 1 << 100 << 255;
    QTest::newRow("shape 3") << 17 << 10 << rgb << quint16(3) << QSize(1000, 500)
                             << QSize(1000, 500) << quint16(0) << 0 << -1 << 255;

    // Outlines and ellipses: one stamp drawn by QPainter, copied to every cell.
    const quint16 disc = ShapeKind::EllipseFilled;
    const quint16 ring = ShapeKind::Ellipse;
    const quint16 box = ShapeKind::Rectangle;
    QTest::newRow("17x10 rgb filled ellipses hd")
        << 17 << 10 << rgb << disc << hd << hd << quint16(0) << 0 << -1 << 255;
    QTest::newRow("192x108 rgb filled ellipses hd")
        << 192 << 108 << rgb << disc << hd << hd << quint16(0) << 0 << -1 << 255;
    QTest::newRow("480x270 mono filled ellipses hd")
        << 480 << 270 << mono << disc << hd << hd << quint16(0) << 0 << -1 << 255;
    QTest::newRow("640x360 mono filled ellipses hd")
        << 640 << 360 << mono << disc << hd << hd << quint16(0) << 0 << -1 << 255;
    QTest::newRow("17x10 rgbw filled ellipses odd size")
        << 17 << 10 << rgbw << disc << QSize(1001, 507) << QSize(1001, 507) << quint16(0) << 0
        << 1000 << 200;
    QTest::newRow("tall cells filled ellipses") << 5 << 2 << rgb << disc << QSize(300, 700)
                                                << QSize(300, 700) << quint16(0) << 0 << -1 << 255;
    QTest::newRow("17x10 rgb ellipses hd")
        << 17 << 10 << rgb << ring << hd << hd << quint16(0) << 0 << -1 << 255;
    QTest::newRow("192x108 rgb ellipses 1000x500")
        << 192 << 108 << rgb << ring << QSize(1000, 500) << QSize(1000, 500) << quint16(0) << 0
        << -1 << 255;
    QTest::newRow("17x10 rgb rectangles 1000x505")
        << 17 << 10 << rgb << box << QSize(1000, 505) << QSize(1000, 505) << quint16(0) << 0 << -1
        << 255;
    QTest::newRow("480x270 mono rectangles hd")
        << 480 << 270 << mono << box << hd << hd << quint16(0) << 0 << 70000 << 255;
    QTest::newRow("more columns than pixels ellipses")
        << 200 << 3 << mono << disc << QSize(97, 61) << QSize(97, 61) << quint16(0) << 0 << -1
        << 255;
    QTest::newRow("one cell filled ellipse") << 1 << 1 << rgb << disc << QSize(640, 480)
                                             << QSize(640, 480) << quint16(0) << 0 << -1 << 255;
}

void TestCellPainter::fastPathsPaintSamePixels() {
    QFETCH(int, cols);
    QFETCH(int, rows);
    QFETCH(quint16, mode);
    QFETCH(quint16, shape);
    QFETCH(QSize, size);
    QFETCH(QSize, screen);
    QFETCH(quint16, rotation);
    QFETCH(int, mirror);
    QFETCH(int, frameLength);
    QFETCH(int, level);

    PaintParams params = gridParams(cols, rows, mode, shape, screen);
    params.rotation = rotation;
    params.mirrorLeftRight = mirror & 2;
    params.mirrorTopBottom = mirror & 1;
    params.level = quint8(qAbs(level));
    params.invert = level < 0;
    const bool direct = CellPainter::directApplies(params);
    QVERIFY(direct || CellPainter::stampApplies(params));

    const int length = frameLength < 0 ? cols * rows * channelsPerCell(mode) : frameLength;
    QByteArray frame(length, Qt::Uninitialized);
    QRandomGenerator random(quint32(length) * 7919u + quint32(cols));
    for (char &byte : frame)
        byte = char(random.bounded(256));

    CellPainter painter;
    QImage fast(size, QImage::Format_RGB32);
    QImage reference(size, QImage::Format_RGB32);
    fast.fill(Qt::red);
    const auto paintFast = [&] {
        if (direct) {
            QPainter target(&fast);
            painter.paintDirect(target, fast.rect(), bytes(frame), params);
        } else
            painter.paintStamped(fast, bytes(frame), params);
    };
    paintFast();
    painter.paintWithPainter(reference, bytes(frame), params);
    savePicture(fast, pictureName("fast"));
    savePicture(reference, pictureName("painter"));
    QCOMPARE(fast, reference);
    // The same painter again (scratch buffers and stamp reused) paints the same.
    paintFast();
    QCOMPARE(fast, reference);
    if (direct && rows < 32) {
        // A painter that is not the raster engine's (as the OpenGL widget's) gets one scan
        // line per cell row, stretched to the cell height. A recording keeps a copy of the
        // whole image per row, so only the grids of few rows go through one.
        QPicture recording;
        {
            QPainter recorder(&recording);
            painter.paintDirect(recorder, fast.rect(), bytes(frame), params);
        }
        fast.fill(Qt::red);
        QPainter(&fast).drawPicture(0, 0, recording);
        QCOMPARE(fast, reference);
    }
}

QTEST_MAIN(TestCellPainter)
#include "tst_cellpainter.moc"
