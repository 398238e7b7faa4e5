#pragma once
// One control of the form model shown as one widget. There is one kind of view
// per kind of control. A view puts what the control reports into its widget
// (signals blocked, so nothing runs twice) and gives the user's input back to
// the control as the control's own input events; it never runs game logic.

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "form/Control.h"

namespace tamvek::qt {

class ControlView : public QObject {
    Q_OBJECT
  public:
    ~ControlView() override;

    form::Control& control() const { return m_control; }
    QWidget* widget() const { return m_widget; }

    // Puts everything the control shows into the widget.
    void syncAll();
    // Called from the control's observer.
    void changed(const form::ChangeEvent& event);
    // After the window is shown: the widget knows its real size now.
    virtual void shown() {}

  protected:
    ControlView(form::Control& control, QWidget* widget);

    virtual void applyText() {}
    // Enabled and visible; a kind adds its own state after them.
    virtual void applyState();
    virtual void applyLook() = 0;
    virtual void applyItems() {}
    virtual void applyCurrent() {}
    virtual void applyCell(int row, int col) {
        (void)row;
        (void)col;
    }
    virtual void applyRows() {}
    virtual void applyTopRow() {}

    // Paints the control's back colour into the role in every colour group, and
    // its text colour into the active and inactive groups only, so that a
    // disabled control still looks disabled.
    void setColours(QPalette::ColorRole backRole, QPalette::ColorRole foreRole);
    // Labels, frames, option buttons and check boxes show their back colour on
    // the window's background, where a button fills with its button colour.
    void colourOnWindow();

  private:
    form::Control& m_control;
    QPointer<QWidget> m_widget;
};

// The view of `control`, its widget made as a child of `parent`, placed at the
// control's twip position.
std::unique_ptr<ControlView> makeView(form::Control& control, QWidget* parent);

}  // namespace tamvek::qt
