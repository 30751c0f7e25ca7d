#include "engine/lossbehaviour.h"

#include <QtTest>

// Two universe slots of three channels on a fake clock (ms): slot 0 last heard from sACN at
// 1000 ms, slot 1 never heard since the start at 0.
namespace {

constexpr qint64 ns = 1'000'000;
const std::vector<FrameStore::Heard> heard{{1000 * ns, FrameStore::Writer::Sacn}, {0, {}}};

QByteArray painted(LossBehaviour &loss, const LossBehaviour::Modes &modes, qint64 nowMs) {
    QByteArray frame = QByteArray::fromHex("101010202020");
    loss.apply(std::span(reinterpret_cast<quint8 *>(frame.data()), size_t(frame.size())), 3, heard,
               modes, 0, nowMs * ns);
    return frame.toHex();
}

} // namespace

class TestLossBehaviour : public QObject {
    Q_OBJECT

private slots:
    // Scene 0 holding for ever changes nothing, whenever data stops.
    void holdingForEverIsInert() {
        QVERIFY(LossBehaviour::inert({}));
        QVERIFY(!LossBehaviour::inert({{0, 0, 10, 255}, holdForEver, {}}));
        QVERIFY(!LossBehaviour::inert({holdForEver, {sceneAllChannels, 0, 10, 255}, {}}));
    }

    // Fail mode: 1 s delay (10), 2 s hold (20). sACN's loss time is 2.5 s, so data heard at 1 s
    // is lost at 3.5 s, the look shows from 4.5 s and black from 6.5 s. The start-up mode
    // (full at level 128 after 0.5 s, for ever) covers the universe never heard.
    void delayLookBlackAndStartup() {
        LossBehaviour loss;
        LossBehaviour::Modes modes{{1, 10, 20, 128},
                                   {sceneAllChannels, 5, sceneTimeForEver, 128},
                                   QByteArray::fromHex("ff8000ffffff")};
        QCOMPARE(painted(loss, modes, 400), QByteArray("101010202020"));  // live, start delay
        QCOMPARE(painted(loss, modes, 3400), QByteArray("101010808080")); // live, start-up full
        QVERIFY(!loss.changed(heard, modes, 0, 4400 * ns));               // lost, still delayed
        QVERIFY(loss.changed(heard, modes, 0, 4500 * ns));
        QCOMPARE(painted(loss, modes, 4500), QByteArray("804000808080")); // the scene at 128
        QCOMPARE(painted(loss, modes, 6500), QByteArray("000000808080")); // hold time over
        modes.fail = {sceneAllChannels, 0, sceneTimeForEver, 0};
        QCOMPARE(painted(loss, modes, 60000), QByteArray("000000808080")); // zero
        modes.fail.uiLevel = 255;
        QCOMPARE(painted(loss, modes, 60000), QByteArray("ffffff808080")); // full
    }
};

QTEST_APPLESS_MAIN(TestLossBehaviour)
#include "tst_lossbehaviour.moc"
