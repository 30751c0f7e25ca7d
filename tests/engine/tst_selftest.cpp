#include "engine/selftest.h"
#include "settings/settingsrecord.h"

#include <QtTest>

namespace {

// Runs the pattern over a frame of `length` bytes and keeps the frame between steps, as the
// frame store does between painted frames.
class Run {
public:
    Run(quint8 selected, int cols, int rows, quint16 mode, int length, quint32 seed = 1)
        : m_selected(selected), m_cols(cols), m_rows(rows), m_mode(mode),
          m_frame(size_t(length), 0), m_pattern(seed) {}

    // Advances `frames` painted frames; returns the frame after the last one.
    const std::vector<quint8> &advance(int frames = 1) {
        for (int i = 0; i < frames; ++i)
            m_pattern.step(m_selected, m_frame, m_cols, m_rows, m_mode);
        return m_frame;
    }

    std::vector<quint8> &frame() { return m_frame; }
    const SelfTestPattern &pattern() const { return m_pattern; }
    void select(quint8 selected) { m_selected = selected; }

private:
    quint8 m_selected;
    int m_cols;
    int m_rows;
    quint16 m_mode;
    std::vector<quint8> m_frame;
    SelfTestPattern m_pattern;
};

int countOf(const std::vector<quint8> &frame, quint8 value) {
    return int(std::count(frame.begin(), frame.end(), value));
}

// Whether byte i is 255 exactly where `lit(i)` holds and 0 elsewhere.
template <typename Lit> bool matches(const std::vector<quint8> &frame, Lit lit) {
    for (size_t i = 0; i < frame.size(); ++i)
        if (frame[i] != (lit(i) ? 255 : 0))
            return false;
    return true;
}

} // namespace

class TestSelfTest : public QObject {
    Q_OBJECT

private slots:
    void fillSnake();
    void unfillSnake();
    void colourTestRgb();
    void colourTestRgbw();
    void colourTestMono();
    void blockFill();
    void blockFillRgbw();
    void randomFill();
    void testAllOrder();
    void reselectingRunningTestKeepsStep();
};

void TestSelfTest::fillSnake() {
    // Defaults: 17 x 10 RGB, n = 510.
    Run run(SelfTestPattern::FillSnake, 17, 10, ColourMode::Rgb, 510);
    run.frame().assign(510, 77);              // whatever was received is overwritten
    QCOMPARE(countOf(run.advance(), 0), 510); // step 0: all black
    const auto &frame = run.advance();        // step 1: first cell red
    QCOMPARE(std::vector<quint8>(frame.begin(), frame.begin() + 4),
             (std::vector<quint8>{255, 0, 0, 0}));
    run.advance(); // step 2: yellow
    QCOMPARE(run.frame()[1], quint8(255));
    QCOMPARE(run.frame()[2], quint8(0));
    run.advance(); // step 3: white
    QCOMPARE(run.frame()[2], quint8(255));
    QCOMPARE(run.frame()[3], quint8(0));
    // The last of the 510 frames has every byte but the last lit.
    run.advance(506);
    QCOMPARE(run.pattern().stepCount(), 510u);
    QCOMPARE(countOf(run.frame(), 255), 509);
    QCOMPARE(run.frame()[509], quint8(0));
    // Frame 511 starts over from black.
    QCOMPARE(countOf(run.advance(), 0), 510);
    QCOMPARE(run.pattern().pattern(), quint8(SelfTestPattern::FillSnake));
    QCOMPARE(run.pattern().stepCount(), 1u);
}

void TestSelfTest::unfillSnake() {
    Run run(SelfTestPattern::UnfillSnake, 5, 2, ColourMode::Monochrome, 10);
    QCOMPARE(countOf(run.advance(), 255), 10);
    run.advance(4); // step 4
    QVERIFY(matches(run.frame(), [](size_t i) { return i >= 4; }));
    run.advance(5); // step 9: only the last byte is lit
    QVERIFY(matches(run.frame(), [](size_t i) { return i == 9; }));
    QCOMPARE(countOf(run.advance(), 255), 10); // starts over
}

void TestSelfTest::colourTestRgb() {
    Run run(SelfTestPattern::ColourOnOff, 17, 10, ColourMode::Rgb, 510);
    QCOMPARE(countOf(run.advance(), 0), 510); // frame 0 off
    // Frames 1, 3, ... 63 are white, the even frames between them black.
    for (int frame = 1; frame <= 63; frame += 2) {
        QCOMPARE(countOf(run.advance(), 255), 510);
        QCOMPARE(countOf(run.advance(), 0), 510);
    }
    // Frame 65: k = 8 * 65 / 510 = 1, red.
    QVERIFY(matches(run.advance(), [](size_t i) { return i % 3 == 0; }));
    run.advance(); // 66 off
    // Frame 129: k = 2, green; frame 193: k = 3, blue; 257: red + blue; 321: red + green;
    // 385: green + blue.
    run.advance(62);
    QVERIFY(matches(run.advance(), [](size_t i) { return i % 3 == 1; }));
    run.advance(63);
    QVERIFY(matches(run.advance(), [](size_t i) { return i % 3 == 2; }));
    run.advance(63);
    QVERIFY(matches(run.advance(), [](size_t i) { return i % 3 != 1; }));
    run.advance(63);
    QVERIFY(matches(run.advance(), [](size_t i) { return i % 3 != 2; }));
    run.advance(63);
    QVERIFY(matches(run.advance(), [](size_t i) { return i % 3 != 0; }));
    // Up to frame 446 (off); frame 447, k = 7, ends the pattern and leaves the frame as it is.
    run.advance(61);
    QCOMPARE(run.pattern().stepCount(), 447u);
    QCOMPARE(countOf(run.frame(), 0), 510);
    run.frame()[5] = 42;
    run.advance();
    QCOMPARE(run.frame()[5], quint8(42));
    QCOMPARE(run.pattern().stepCount(), 511u);
    // The next frame restarts the colour test at its off frame.
    QCOMPARE(countOf(run.advance(), 0), 510);
    QCOMPARE(run.pattern().pattern(), quint8(SelfTestPattern::ColourOnOff));
    QCOMPARE(run.pattern().stepCount(), 1u);
}

void TestSelfTest::colourTestRgbw() {
    // n = 80: k = 8 * s / 80 = s / 10.
    Run run(SelfTestPattern::ColourOnOff, 5, 4, ColourMode::Rgbw, 80);
    const auto at = [&run](int step) {
        while (run.pattern().stepCount() != quint32(step))
            run.advance();
        return run.advance();
    };
    QCOMPARE(countOf(at(1), 255), 80);
    QVERIFY(matches(at(11), [](size_t i) { return i % 4 == 0; }));
    QVERIFY(matches(at(21), [](size_t i) { return i % 4 == 2; }));
    QVERIFY(matches(at(31), [](size_t i) { return i % 4 == 3; }));
    QVERIFY(matches(at(41), [](size_t i) { return i % 4 != 2; }));
    QVERIFY(matches(at(51), [](size_t i) { return i % 4 != 3; }));
    QVERIFY(matches(at(61), [](size_t i) { return i % 4 != 0; }));
    // RGBW has no end entry: k = 7 shows red again and the pattern runs its n frames.
    QVERIFY(matches(at(71), [](size_t i) { return i % 4 == 0; }));
    QCOMPARE(countOf(at(79), 255), 20);
    QCOMPARE(run.pattern().stepCount(), 80u);
}

void TestSelfTest::colourTestMono() {
    // Mono-type modes: a white frame during the first eighth, then the pattern ends.
    Run run(SelfTestPattern::ColourOnOff, 10, 10, ColourMode::BarVertical, 100);
    run.advance(2);
    QCOMPARE(countOf(run.frame(), 255), 100);
    run.advance(10); // up to frame 11: 8 * 11 / 100 = 0
    QCOMPARE(countOf(run.frame(), 255), 100);
    run.advance(); // frame 12 off
    QCOMPARE(countOf(run.frame(), 0), 100);
    run.advance(); // frame 13: k = 1, the end
    QCOMPARE(countOf(run.frame(), 0), 100);
    QCOMPARE(run.pattern().stepCount(), 101u);
}

void TestSelfTest::blockFill() {
    // 17 x 10 RGB: insets 0 ... 4, then one unchanged frame, then the cycle restarts.
    Run run(SelfTestPattern::BlockFill, 17, 10, ColourMode::Rgb, 510);
    for (int inset = 0; inset <= 4; ++inset) {
        const auto &frame = run.advance();
        QVERIFY2(matches(frame,
                         [inset](size_t i) {
                             const int cell = int(i / 3);
                             const int row = cell / 17;
                             const int col = cell % 17;
                             return row >= inset && row < 10 - inset && col >= inset &&
                                    col < 17 - inset;
                         }),
                 qPrintable(QStringLiteral("inset %1").arg(inset)));
    }
    const std::vector<quint8> last = run.frame();
    QCOMPARE(countOf(last, 255), 9 * 2 * 3); // inset 4: columns 4 ... 12, rows 4 ... 5
    QCOMPARE(run.advance(), last);
    QCOMPARE(run.pattern().stepCount(), 511u);
    QCOMPARE(countOf(run.advance(), 255), 510); // inset 0 again
}

void TestSelfTest::blockFillRgbw() {
    // Four bytes per cell in RGBW, one in the mono-type modes.
    Run rgbw(SelfTestPattern::BlockFill, 4, 4, ColourMode::Rgbw, 64);
    rgbw.advance(2);
    QVERIFY(matches(rgbw.frame(), [](size_t i) {
        const int cell = int(i / 4);
        return cell == 5 || cell == 6 || cell == 9 || cell == 10;
    }));
    Run mono(SelfTestPattern::BlockFill, 4, 4, ColourMode::DmxValues, 16);
    mono.advance(2);
    QVERIFY(matches(mono.frame(), [](size_t i) { return i == 5 || i == 6 || i == 9 || i == 10; }));
}

void TestSelfTest::randomFill() {
    Run run(SelfTestPattern::RandomFill, 10, 10, ColourMode::Monochrome, 100, 1234);
    run.frame().assign(100, 7);
    const std::vector<quint8> before = run.frame();
    run.advance();
    int changed = 0;
    for (size_t i = 0; i < 100; ++i)
        changed += run.frame()[i] != before[i];
    QVERIFY(changed <= 1); // one byte drawn, which may already hold the value
    // Values accumulate over the received data for n frames, then the pattern repeats.
    run.advance(99);
    QCOMPARE(run.pattern().stepCount(), 100u);
    QVERIFY(countOf(run.frame(), 7) > 20);
    QVERIFY(countOf(run.frame(), 7) < 100);
    // The same seed draws the same sequence.
    Run again(SelfTestPattern::RandomFill, 10, 10, ColourMode::Monochrome, 100, 1234);
    again.frame().assign(100, 7);
    QCOMPARE(again.advance(100), run.frame());
}

void TestSelfTest::testAllOrder() {
    // 4 x 2 mono, n = 8: fill snake 8 frames (pattern 0), fill snake 8 (1), colour test 2
    // (white, then k = 1 ends it), unfill 8, random 8, block fill 2 (inset 0, then the end),
    // and over again from pattern 0.
    Run run(SelfTestPattern::All, 4, 2, ColourMode::Monochrome, 8);
    QList<int> patterns;
    for (int frame = 0; frame < 37 + 8; ++frame) {
        run.advance();
        patterns.append(run.pattern().pattern());
    }
    QList<int> expected;
    for (auto [pattern, frames] :
         {std::pair{0, 8}, {1, 8}, {2, 2}, {3, 8}, {4, 8}, {5, 2}, {0, 8}, {1, 1}})
        for (int i = 0; i < frames; ++i)
            expected.append(pattern);
    QCOMPARE(patterns, expected);
}

void TestSelfTest::reselectingRunningTestKeepsStep() {
    Run run(SelfTestPattern::UnfillSnake, 5, 2, ColourMode::Monochrome, 10);
    run.advance(4);
    run.select(SelfTestPattern::UnfillSnake);
    run.advance();
    QCOMPARE(run.pattern().stepCount(), 5u);
    // Switching to Test All continues the running pattern and its step.
    run.select(SelfTestPattern::All);
    run.advance();
    QCOMPARE(run.pattern().pattern(), quint8(SelfTestPattern::UnfillSnake));
    QCOMPARE(run.pattern().stepCount(), 6u);
    // Another test restarts at its first step.
    run.select(SelfTestPattern::FillSnake);
    run.advance();
    QCOMPARE(run.pattern().pattern(), quint8(SelfTestPattern::FillSnake));
    QCOMPARE(run.pattern().stepCount(), 1u);
}

QTEST_MAIN(TestSelfTest)
#include "tst_selftest.moc"
