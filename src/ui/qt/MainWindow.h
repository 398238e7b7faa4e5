#pragma once
// The program's one window: a binder of one view per control of the session's
// form model (see ControlView). It places the views, keeps the model's changes
// flowing into them, orders the tab chain and sets the first focus. The window
// never runs game logic itself.

#include <QIcon>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "session/Session.h"

namespace tamvek::qt {

class ControlView;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(session::Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Twips to logical pixels: 15 twips are one pixel at 96 dpi.
    static int px(int twips);
    // The window icon, drawn at 32 by 32 pixels.
    static QIcon drawIcon();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void orderTabs();

    session::Session& m_session;
    std::vector<std::unique_ptr<ControlView>> m_views;
    std::map<const form::Control*, ControlView*> m_viewOf;
    bool m_shown = false;
    QWidget* m_firstFocus = nullptr;  // tab position 0
    // Observers outlive the window in the model; they check this first.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace tamvek::qt
