#pragma once

#include <QByteArray>
#include <QSize>
#include <QtGlobal>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

// A private X server for one bench run, the display users look at: the offscreen platform
// hides what only happens on a real X server (exposes, window placement, the flush to the
// frame buffer). Start it inside the private network namespace: it listens only on the
// abstract socket, which belongs to that namespace, and Xvfb picks a free display number
// itself (-displayfd), so benches and tests side by side never take each other's screen. No
// window manager runs, as on a bare kiosk. Sets DISPLAY for this process and its children.
class PrivateXvfb {
public:
    explicit PrivateXvfb(QSize screen) {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            close(fds[0]);
            const int quiet = open("/dev/null", O_WRONLY);
            dup2(quiet, STDERR_FILENO);
            const QByteArray fd = QByteArray::number(fds[1]);
            const QByteArray size = QByteArray::number(screen.width()) + 'x' +
                                    QByteArray::number(screen.height()) + "x24";
            execlp("Xvfb", "Xvfb", "-displayfd", fd.constData(), "-screen", "0", size.constData(),
                   "-nolisten", "tcp", "-nolisten", "unix", "-nocursor",
                   static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        QByteArray number;
        pollfd wait{fds[0], POLLIN, 0};
        char buffer[16];
        while (m_pid > 0 && !number.contains('\n') && poll(&wait, 1, 10000) > 0) {
            const ssize_t got = read(fds[0], buffer, sizeof buffer);
            if (got <= 0)
                break;
            number.append(buffer, got);
        }
        close(fds[0]);
        if (!number.contains('\n')) {
            std::fprintf(stderr, "Xvfb did not start (is the package xvfb installed?)\n");
            return;
        }
        m_display = ':' + number.trimmed();
        qputenv("DISPLAY", m_display);
    }
    ~PrivateXvfb() {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    PrivateXvfb(const PrivateXvfb &) = delete;
    PrivateXvfb &operator=(const PrivateXvfb &) = delete;

    bool isRunning() const { return !m_display.isEmpty(); }
    const QByteArray &display() const { return m_display; }

private:
    pid_t m_pid = -1;
    QByteArray m_display;
};
