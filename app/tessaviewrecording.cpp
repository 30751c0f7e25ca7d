// Recording what the network sends into a capture file, and replaying a capture into the
// picture instead of the network.
#include "app/capturename.h"
#include "app/picturefolder.h"
#include "app/tessaview.h"
#include "app/tessaviewactions.h"
#include "capture/networkrecorder.h"
#include "capture/replayfeed.h"
#include "dialogs/replaywindow.h"
#include "engine/screenengine.h"
#include "engine/statustext.h"

#include <QAction>
#include <QFileDialog>
#include <QMessageBox>

#include <cstdio>

namespace {

// The overlay's recording and replay figures change by the second.
constexpr int activityRefreshMs = 500;

} // namespace

QString Tessaview::chooseReplayFile() {
    return QFileDialog::getOpenFileName(
        this, tr("Replay Capture"), pictureFolder(),
        tr("Packet captures (*.pcap *.pcapng *.cap);;All files (*)"));
}

void Tessaview::slotRecordNetwork() {
    if (m_pRecorder && m_pRecorder->isRecording()) {
        stopRecording();
        return;
    }
    startRecording(CaptureName::distinctFileName(
        QStringLiteral("%1Tessaview_%2.pcap")
            .arg(pictureFolder(), captureTime().toString(QStringLiteral("yyyyMMdd_hhmmsszzz")))));
}

void Tessaview::startRecording(const QString &fileName) {
    if (!m_pRecorder) {
        m_pRecorder = std::make_unique<NetworkRecorder>();
        connect(m_pRecorder.get(), &NetworkRecorder::failed, this, [this](const QString &reason) {
            stopRecording();
            tellOperator(reason);
        });
    }
    const QString error = m_pRecorder->start(fileName);
    m_pActions->recordNetwork()->setChecked(error.isEmpty());
    if (!error.isEmpty()) {
        tellOperator(error);
        return;
    }
    m_pEngine->setDatagramTap(m_pRecorder.get());
    std::fprintf(stderr, "Recording into %s\n", qPrintable(fileName));
    showActivity();
}

void Tessaview::stopRecording() {
    m_pActions->recordNetwork()->setChecked(false);
    if (!m_pRecorder || !m_pRecorder->isRecording())
        return;
    m_pEngine->setDatagramTap(nullptr);
    m_pRecorder->stop();
    std::fprintf(stderr, "Recorded %llu datagrams into %s, %llu not recorded\n",
                 static_cast<unsigned long long>(m_pRecorder->packetsWritten()),
                 qPrintable(m_pRecorder->fileName()),
                 static_cast<unsigned long long>(m_pRecorder->notRecorded()));
    showActivity();
}

void Tessaview::slotReplayCapture() {
    const QString fileName = chooseReplayFile();
    if (!fileName.isEmpty())
        startReplay(fileName, false);
}

void Tessaview::startReplay(const QString &fileName, bool loop) {
    if (!m_pReplay) {
        ScreenEngine *engine = m_pEngine.get();
        m_pReplay = std::make_unique<ReplayFeed>(ReplayTargets{
            [engine] { return engine->artnetNode(); }, [engine] { return engine->sacnReceiver(); },
            [engine](bool on) { engine->setReplaying(on); },
            [engine] { engine->restartReceivers(); }});
        connect(m_pReplay.get(), &ReplayFeed::finished, this, &Tessaview::stopReplay);
    }
    const QString error = m_pReplay->start(fileName, loop);
    if (!error.isEmpty()) {
        tellOperator(error);
        return;
    }
    if (!m_pReplayWindow) {
        m_pReplayWindow = std::make_unique<ReplayWindow>(*m_pReplay, this);
        connect(m_pReplayWindow.get(), &QDialog::finished, this, [this] { stopReplay(QString()); });
    }
    m_pReplayWindow->show();
    showActivity();
}

void Tessaview::stopReplay(const QString &message) {
    if (m_pReplay)
        m_pReplay->stop();
    if (m_pReplayWindow)
        m_pReplayWindow->hide();
    if (!message.isEmpty())
        tellOperator(message);
    showActivity();
}

void Tessaview::showActivity() {
    QString text;
    if (m_pRecorder && m_pRecorder->isRecording())
        text += statustext::recording(m_pRecorder->bytesWritten(), m_pRecorder->recordingMs());
    if (m_pReplay && m_pReplay->isActive())
        text += statustext::replay(m_pReplay->fileName(), m_pReplay->positionNs() / 1'000'000,
                                   m_pReplay->lengthNs() / 1'000'000, m_pReplay->speed(),
                                   m_pReplay->isPaused());
    m_pEngine->setActivityText(text);
    if (text.isEmpty())
        m_activityTimer.stop();
    else if (!m_activityTimer.isActive())
        m_activityTimer.start(activityRefreshMs);
}

void Tessaview::tellOperator(const QString &message) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
    auto *box =
        new QMessageBox(QMessageBox::Warning, tr("Tessaview"), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}
