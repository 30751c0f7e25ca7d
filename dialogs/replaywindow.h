#pragma once

#include <QDialog>
#include <QTimer>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class ReplayFeed;

// Controls a running replay beside the picture: pause, one packet at a time, speed, a jump to
// any point, loop, and stop, which closes the window and returns to live.
class ReplayWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReplayWindow(ReplayFeed &feed, QWidget *parent = nullptr);
    ~ReplayWindow() override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void refresh();
    void jump();

    ReplayFeed &m_feed;
    QLabel *m_file = nullptr;
    QSlider *m_position = nullptr;
    QLabel *m_time = nullptr;
    QPushButton *m_pause = nullptr;
    QPushButton *m_step = nullptr;
    QComboBox *m_speed = nullptr;
    QCheckBox *m_loop = nullptr;
    QTimer m_refresh;
};
