#pragma once

#include <QTimer>
#include <QWidget>

namespace tessaly {

// The splash at start-up and the About box: logo, name, version and maker's lines, no
// caption. In splash mode it closes itself after six seconds; in both modes any key, click
// or label click closes it.
class SplashWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kSplashMilliseconds = 6000;

    // splash: true for the start-up splash, false for About.
    explicit SplashWindow(bool splash, QWidget* parent = nullptr);

    // true: the start-up splash, which closes itself; false: the About box.
    bool IsSplash() const { return splash_; }
    const QTimer& Timer() const { return timer_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool splash_;
    QTimer timer_;
};

}  // namespace tessaly
