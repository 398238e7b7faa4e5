#pragma once
// A frame around whichever control of one window has the keyboard focus, the
// same for every kind of control: the old faces drew a dotted focus rectangle
// that Qt's styles leave out for some widgets (a check box without a visible
// caption, a grid). It lies inside the focused widget, on top of its content,
// and takes no mouse input.

#include <QPointer>
#include <QWidget>

namespace tamvek::qt {

class FocusFrame : public QWidget {
    Q_OBJECT
  public:
    // Follows the focus among the descendants of `window`; a child of the
    // window or of the widget it frames, so it goes with the window.
    explicit FocusFrame(QWidget* window);
    ~FocusFrame() override;

    // The widget framed now, or nothing.
    QWidget* framed() const { return m_framed; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow(QWidget* now);

    QPointer<QWidget> m_window;
    QPointer<QWidget> m_framed;
};

}  // namespace tamvek::qt
