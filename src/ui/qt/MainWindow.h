#pragma once
// The program's one window: a thin view over the session's form model. Every
// model control gets one widget at its twip position, named like the control;
// model changes reach the widgets through the controls' observers (signals
// blocked, so nothing runs twice) and user input goes back to the model as the
// model's own input events. The window never runs game logic itself.

#include <QIcon>
#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "session/Session.h"

class QButtonGroup;
class QTableView;

namespace tamvek::qt {

class GridModel;

class MainWindow : public QWidget {
    Q_OBJECT
  public:
    explicit MainWindow(session::Session& session, QWidget* parent = nullptr);
    ~MainWindow() override;

    session::Session& session() { return m_session; }
    // The widget that shows the control of that name ("Option1(2)" for an
    // option member), or nullptr.
    QWidget* widgetFor(const std::string& name) const;

    // Twips to logical pixels: 15 twips are one pixel at 96 dpi.
    static int px(int twips);
    // The window icon, drawn at 32 by 32 pixels.
    static QIcon drawIcon();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* createWidget(form::Control& control, QWidget* parent);
    void connectInput(form::Control& control, QWidget* widget);
    void syncAll(const form::Control& control);
    void onChange(const form::Control& control, const form::ChangeEvent& event);
    void applyText(const form::Control& control, QWidget* widget);
    void applyState(const form::Control& control, QWidget* widget);
    void applyLook(const form::Control& control, QWidget* widget);
    void applyItems(const form::Control& control, QWidget* widget);
    void applyCurrent(const form::Control& control, QWidget* widget);
    void applyTopRow(const form::Grid& grid);
    void scheduleTopRow(const form::Grid& grid);
    void applyPendingTopRows();
    void orderTabs();

    session::Session& m_session;
    std::map<const form::Control*, QWidget*> m_widgets;
    std::map<const QObject*, form::TextBox*> m_boxes;
    // File list viewports: a click anywhere in them reaches the model, on an entry
    // or not, so an empty list can switch OK off.
    std::map<const QObject*, form::FileList*> m_fileLists;
    std::map<const form::Grid*, GridModel*> m_gridModels;
    std::map<const form::Grid*, bool> m_layoutPending;  // rows changed since the view laid out
    std::map<const form::Grid*, bool> m_scrollPending;  // top row changed inside a handler
    bool m_scrollQueued = false;
    QButtonGroup* m_options = nullptr;
    bool m_shown = false;
    QWidget* m_firstFocus = nullptr;  // tab position 0
    // Observers outlive the window in the model; they check this first.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace tamvek::qt
