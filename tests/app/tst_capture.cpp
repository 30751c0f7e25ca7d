#include "app/capturename.h"
#include "app/picturefolder.h"
#include "app/tessaview.h"
#include "engine/screenengine.h"
#include "rdm/configurator.h"
#include "settings/settingsstore.h"
#include "testsettingsstore.h"

#include <QImageReader>
#include <QPainter>
#include <QtTest>

namespace {

// The window with the platform's save dialog and the clock replaced: the dialog answers
// `chosenFile` (empty = cancelled) and every capture is stamped with `now`.
class CaptureWindow : public Tessaview {
public:
    CaptureWindow() : Tessaview({QStringLiteral("tessaview")}) {
        // The engine applies its settings at the first painted frame; before it there is no
        // picture to save.
        QImage canvas(64, 64, QImage::Format_RGB32);
        QPainter painter(&canvas);
        engine()->applyStaged();
        engine()->paintFrame(painter, canvas.rect(), 0);
    }

    QString chosenFile;
    QDateTime now{QDate(2024, 3, 7), QTime(9, 5, 2, 45)};
    int dialogCalls = 0;
    QString caption, proposedFile, filters;

protected:
    QString chooseCaptureFile(const QString &c, const QString &p, const QString &f) override {
        ++dialogCalls;
        caption = c;
        proposedFile = p;
        filters = f;
        return chosenFile;
    }
    QDateTime captureTime() const override { return now; }
};

const QString stamp = QStringLiteral("20240307090502045");

} // namespace

class TestCapture : public QObject {
    Q_OBJECT
    std::unique_ptr<TemporarySettingsStore> m_store;
    std::unique_ptr<QTemporaryDir> m_shots;

private slots:
    void initTestCase() {
        // The pictures folder is $HOME/Pictures here (see main): it must be a folder of ours.
        QVERIFY(pictureFolder().startsWith(QDir::homePath()));
        QVERIFY(pictureFolder().endsWith(QLatin1Char('/')));
        QVERIFY(QDir().mkpath(pictureFolder()));
    }

    void init() {
        m_store = std::make_unique<TemporarySettingsStore>();
        m_shots = std::make_unique<QTemporaryDir>();
        QDir(pictureFolder()).removeRecursively();
        QDir().mkpath(pictureFolder());
        // Art-Net alone keeps a frame (inside the test's private network namespace).
        SettingsRecord live;
        live.UseAcnnet = false;
        live.UpdateCheck = 0;
        SettingsStore::saveSettings(live, SettingsStore::livePreset);
    }
    void cleanup() {
        m_shots.reset();
        m_store.reset();
    }

    void timeStampHasSeventeenDigits() {
        QCOMPARE(CaptureName::timeStamp(QDateTime(QDate(2024, 3, 7), QTime(9, 5, 2, 45))), stamp);
        // 24-hour clock.
        QCOMPARE(CaptureName::timeStamp(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59, 999))),
                 QStringLiteral("19991231235959999"));
    }

    void templatesOfChosenFiles_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("expected");
        QTest::newRow("png") << "D:/shots/show.png"
                             << "D:/shots/show_$$$DATE_TIME$$$.png";
        // Base name up to the first ".", suffix after the last one.
        QTest::newRow("a.b.jpg") << "D:/shots/a.b.jpg"
                                 << "D:/shots/a_$$$DATE_TIME$$$.jpg";
        QTest::newRow("noext") << "D:/shots/noext"
                               << "D:/shots/noext_$$$DATE_TIME$$$.bmp";
        QTest::newRow("dotted folder") << "/tmp/my.shots/x"
                                       << "/tmp/my.shots/x_$$$DATE_TIME$$$.bmp";
    }
    void templatesOfChosenFiles() {
        QFETCH(QString, chosen);
        QFETCH(QString, expected);
        QCOMPARE(CaptureName::templateForChosenFile(chosen), expected);
    }

    void distinctNamesCountBeforeTheSuffix() {
        const QString dir = m_shots->path();
        const QString name = dir + QStringLiteral("/show_1.png");
        QCOMPARE(CaptureName::distinctFileName(name), name);
        QFile(name).open(QIODevice::WriteOnly);
        QCOMPARE(CaptureName::distinctFileName(name), dir + QStringLiteral("/show_1_1.png"));
        QFile(dir + QStringLiteral("/show_1_1.png")).open(QIODevice::WriteOnly);
        QCOMPARE(CaptureName::distinctFileName(name), dir + QStringLiteral("/show_1_2.png"));
        // A "." in a folder name is no suffix.
        QDir(dir).mkdir(QStringLiteral("a.b"));
        const QString plain = dir + QStringLiteral("/a.b/plain");
        QFile(plain).open(QIODevice::WriteOnly);
        QCOMPARE(CaptureName::distinctFileName(plain), plain + QStringLiteral("_1"));
    }

    void firstOperatorCaptureAsksOnce() {
        CaptureWindow window;
        window.chosenFile = m_shots->filePath(QStringLiteral("show.png"));
        window.slotSaveScreenToBitmapByUser();
        QCOMPARE(window.dialogCalls, 1);
        QCOMPARE(window.caption, QStringLiteral("Save Bitmap as"));
        // The folder ends with "/" and the pattern adds another one.
        QCOMPARE(window.proposedFile, pictureFolder() + QStringLiteral("/Tessaview.bmp"));
        QVERIFY(window.filters.startsWith(QStringLiteral("Windows Bitmap (*.bmp);;")));
        QCOMPARE(window.filters.count(QStringLiteral(";;")), 8);
        const QString first = m_shots->filePath(QStringLiteral("show_%1.png").arg(stamp));
        QVERIFY(QFileInfo::exists(first));
        QCOMPARE(QImageReader(first).format(), QByteArray("png"));

        // Later captures go next to the first without a dialog.
        window.now = window.now.addMSecs(1);
        window.slotSaveScreenToBitmapByUser();
        QCOMPARE(window.dialogCalls, 1);
        QVERIFY(QFileInfo::exists(m_shots->filePath("show_20240307090502046.png")));
    }

    void suffixChoosesTheFormat_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("a.b.jpg") << "a.b.jpg"
                                 << "a_%1.jpg" << QByteArray("jpeg");
        QTest::newRow("noext") << "noext"
                               << "noext_%1.bmp" << QByteArray("bmp");
    }
    void suffixChoosesTheFormat() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QByteArray, format);
        CaptureWindow window;
        window.chosenFile = m_shots->filePath(chosen);
        window.slotSaveScreenToBitmapByUser();
        const QString file = m_shots->filePath(written.arg(stamp));
        QVERIFY2(QFileInfo::exists(file), qPrintable(file));
        QCOMPARE(QImageReader(file).format(), format);
        QCOMPARE(window.captureTemplate(), m_shots->filePath(written.arg("$$$DATE_TIME$$$")));
    }

    void cancelledDialogSavesIntoThePicturesFolder() {
        CaptureWindow window;
        window.slotSaveScreenToBitmapByUser();
        QCOMPARE(window.dialogCalls, 1);
        const QString file = pictureFolder() + QStringLiteral("/Tessaview_%1.bmp").arg(stamp);
        QVERIFY(QFileInfo::exists(file));
        QCOMPARE(QDir(pictureFolder()).entryList(QDir::Files),
                 QStringList{QStringLiteral("Tessaview_%1.bmp").arg(stamp)});
        // Cancelling is remembered too: the next capture asks no more.
        window.now = window.now.addSecs(1);
        window.slotSaveScreenToBitmapByUser();
        QCOMPARE(window.dialogCalls, 1);
        QCOMPARE(QDir(pictureFolder()).entryList(QDir::Files).size(), 2);
    }

    void rdmCaptureOfAScene() {
        CaptureWindow window;
        // Both forms of the device model's capture signal reach the window.
        window.configurator()->slotSetCapturePreset(12);
        window.now = window.now.addMSecs(1);
        window.configurator()->slotSetCapturePreset(300, 10, 20, 30);
        QCOMPARE(window.dialogCalls, 0);
        QStringList files = QDir(pictureFolder()).entryList(QDir::Files);
        files.sort();
        QCOMPARE(files, (QStringList{"Tessaview_RDM_Scene_12_20240307090502045.bmp",
                                     "Tessaview_RDM_Scene_300_20240307090502046.bmp"}));
        QCOMPARE(QImageReader(pictureFolder() + files[0]).format(), QByteArray("bmp"));
    }

    void capturesInOneMillisecondKeepEachOther() {
        CaptureWindow window;
        window.chosenFile = m_shots->filePath(QStringLiteral("show.png"));
        window.slotSaveScreenToBitmapByUser();
        window.slotSaveScreenToBitmapByUser();
        window.slotSaveScreenToBitmapByUser();
        QStringList files = QDir(m_shots->path()).entryList(QDir::Files);
        files.sort();
        QCOMPARE(files, (QStringList{"show_20240307090502045.png", "show_20240307090502045_1.png",
                                     "show_20240307090502045_2.png"}));

        window.slotSaveScreenToBitmapByRdm(7);
        window.slotSaveScreenToBitmapByRdm(7);
        files = QDir(pictureFolder()).entryList(QDir::Files);
        files.sort();
        QCOMPARE(files, (QStringList{"Tessaview_RDM_Scene_7_20240307090502045.bmp",
                                     "Tessaview_RDM_Scene_7_20240307090502045_1.bmp"}));
    }

    void pictureHasOnePixelPerCell() {
        CaptureWindow window;
        QCOMPARE(window.settings().DmxSizeX, quint16(17));
        QCOMPARE(window.settings().DmxSizeY, quint16(10));
        QCOMPARE(window.settings().DmxUseRgb, ColourMode::Rgb);
        // Cell k takes bytes 3k ... 3k+2 as red, green and blue.
        window.engine()->frameStore().modify(FrameStore::Writer::Engine, [](std::span<quint8> f) {
            for (std::size_t i = 0; i + 2 < f.size(); i += 3) {
                const auto cell = quint8(i / 3);
                f[i] = cell;
                f[i + 1] = quint8(255 - cell);
                f[i + 2] = quint8(cell * 3);
            }
        });
        window.slotSaveScreenToBitmapByRdm(1);
        const QString file =
            pictureFolder() + QStringLiteral("Tessaview_RDM_Scene_1_%1.bmp").arg(stamp);
        const QImage saved(file);
        QCOMPARE(saved.size(), QSize(17, 10));
        for (int row = 0; row < 10; ++row)
            for (int col = 0; col < 17; ++col) {
                const int cell = row * 17 + col;
                QCOMPARE(saved.pixel(col, row), qRgb(cell, 255 - cell, quint8(cell * 3)));
            }
    }
};

int main(int argc, char *argv[]) {
    // A home of our own, so the pictures folder is a temporary one and no user folder
    // decides where captures go.
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    QApplication app(argc, argv);
    TestCapture test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_capture.moc"
