#pragma once
// The program's one window: a binder of one view per control of the session's
// form model (see ControlView). It places the views on the client area, keeps
// the model's changes flowing into them, orders the tab chain and sets the
// first focus. Below the client area lies the status line (see StatusLine);
// the client area keeps the form's size, so anything added around it leaves
// the layout alone. The window never runs game logic itself.

#include <QIcon>
#include <QMainWindow>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "session/Session.h"

namespace tamvek::qt {

class ControlView;
class StatusLine;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(session::Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Twips to logical pixels: 15 twips are one pixel at 96 dpi.
    static int px(int twips);
    // The window icon, drawn at 32 by 32 pixels.
    static QIcon drawIcon();

    // The form's client area, which holds every control; its size is fixed.
    QWidget* clientArea() const { return m_client; }
    StatusLine* statusLine() const { return m_status; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void orderTabs();

    session::Session& m_session;
    QWidget* m_client = nullptr;
    StatusLine* m_status = nullptr;
    std::vector<std::unique_ptr<ControlView>> m_views;
    std::map<const form::Control*, ControlView*> m_viewOf;
    bool m_shown = false;
    QWidget* m_firstFocus = nullptr;  // tab position 0
    // Observers outlive the window in the model; they check this first.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace tamvek::qt
