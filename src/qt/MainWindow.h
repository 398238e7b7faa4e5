#pragma once
// The program's one window: a binder of one view per control of the session's
// form model (see ControlView). It places the views on the client area, keeps
// the model's changes flowing into them, orders the tab chain and sets the
// first focus. Below the client area lies the status line (see StatusLine);
// the client area keeps the form's size, so anything added around it leaves
// the layout alone. The window never runs game logic itself.

#include <QIcon>
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "qt/BesidePlace.h"
#include "qt/FocusFrame.h"
#include "script/Menu.h"
#include "session/Session.h"

namespace tamvek::qt {

class ControlView;
class MenuBar;
class SaldoCurveWindow;
class StatisticsWindow;
class SystemTestWindow;
class StatusLine;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(session::Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Twips to logical pixels: 15 twips are one pixel at 96 dpi.
    static int px(int twips);
    // The desktop's name for the program: its desktop file and its icon.
    static QString appId();
    // The window icon: the installed one of the icon theme when there is one,
    // else drawIcon().
    static QIcon icon();
    // The icon drawn at 32 by 32 pixels, the picture of the installed one.
    static QIcon drawIcon();
    // What "Über Tamvek" says.
    static QString aboutText();

    // The form's client area, which holds every control; its size is fixed.
    QWidget* clientArea() const { return m_client; }
    StatusLine* statusLine() const { return m_status; }
    // The menu bar above the client area, made from `menu`, which must outlive
    // the window. The window gives the entries that open windows their work.
    void setMenu(script::Menu& menu);
    MenuBar* menu() const { return m_menu; }
    // The windows beside the game, once the menu opened them (else null).
    SaldoCurveWindow* saldoCurve() const;
    StatisticsWindow* statistics() const;
    SystemTestWindow* systemTest() const;

    // The frame that marks the control with the keyboard focus.
    FocusFrame* focusFrame() const { return m_focusFrame; }

  signals:
    // Once the event loop is back after a user's input on the controls (a
    // click, a key, a choice): the time to bring figures beside the window
    // up to date. Many inputs in a row (a replayed session) give one signal.
    void inputHandled();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    // The views of the session's controls, made anew for a fresh game.
    void buildViews();
    void dropViews();
    void fitSize();
    void openCurve();
    void openStatistics();
    void openSystemTest();
    void refreshBeside();
    void forgetOldMessages();
    void orderTabs();
    // Controls under a shown panel (the import panel, the info text) take no
    // keyboard focus, as they take no mouse clicks.
    void coverControls();
    // Once the handler that showed or hid a panel has returned: a covered
    // focus moves into the panel, and a focus that went with a closed panel
    // comes back to where it was before it opened (or to the first control
    // that takes it).
    void settleFocus();
    bool canTakeFocus(QWidget* widget) const;
    bool insideShownPanel(QWidget* widget) const;
    // The first control in tab order that takes the focus now (in a shown
    // panel only, or anywhere).
    QWidget* firstTaker(bool inPanel) const;

    session::Session& m_session;
    QWidget* m_client = nullptr;
    StatusLine* m_status = nullptr;
    MenuBar* m_menu = nullptr;
    QPointer<SaldoCurveWindow> m_curve;
    QPointer<StatisticsWindow> m_statistics;
    QPointer<SystemTestWindow> m_systemTest;  // stays over a renewed game
    // Where they stood, how they were set and whether they were open, for the
    // windows a fresh game makes anew.
    Remembered m_curvePlace;
    Remembered m_statisticsPlace;
    QPointer<FocusFrame> m_focusFrame;
    std::vector<std::unique_ptr<ControlView>> m_views;
    std::map<const form::Control*, ControlView*> m_viewOf;
    std::vector<QWidget*> m_tabChain;                   // the focus takers in tab order
    std::map<QWidget*, Qt::FocusPolicy> m_focusPolicy;  // as made, for uncovering
    std::vector<QWidget*> m_panels;
    QPointer<QWidget> m_focusBeforePanel;
    bool m_focusWasInPanel = false;
    bool m_settleQueued = false;
    bool m_shown = false;
    bool m_inputQueued = false;
    // The status line's message as last seen, and the ledger's runs then.
    QString m_statusMessage;
    std::uint64_t m_statusRuns = 0;
    // Observers outlive the views in the model; they check this first. The
    // session's listeners outlive the window.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    std::shared_ptr<bool> m_windowAlive = std::make_shared<bool>(true);
};

}  // namespace tamvek::qt
