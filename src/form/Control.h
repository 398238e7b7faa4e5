#pragma once
// Toolkit-free model of one window control: the properties the window shows and
// the observers that keep a view in step. Observers only mirror; they never run
// game logic.

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Rgb.h"
#include "form/InputWatch.h"

namespace tamvek::form {

enum class ControlKind {
    Label,
    TextBox,
    Button,
    OptionButton,
    CheckBox,
    Grid,
    RichText,
    Frame,
    Shape,
    Line,
    DriveList,
    DirList,
    FileList,
};

const char* kindName(ControlKind kind);

enum class Align { Left, Centre, Right };

struct Font {
    double points = 18.0;  // the window's default font: 18 pt bold
    bool bold = true;
};

// Position and size in twips (15 twips = 1 pixel at 96 dpi), relative to the
// window's client area or, for controls inside a frame, to the frame.
struct Geometry {
    int left = 0, top = 0, width = 0, height = 0;
};

// What changed, so a view can update only that.
enum class Change { Text, State, Look, Cell, Rows, Current, TopRow, Items };

struct ChangeEvent {
    Change what;
    int row = -1;
    int col = -1;
};

class Control {
  public:
    using Observer = std::function<void(const Control&, const ChangeEvent&)>;

    Control(std::string name, ControlKind kind, Geometry geometry, int tabIndex = -1);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return m_name; }
    ControlKind kind() const { return m_kind; }

    // The text a label, button or frame shows as caption, or a box holds.
    virtual const std::string& text() const { return m_empty; }

    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);
    bool visible() const { return m_visible; }
    void setVisible(bool on);
    // A control takes mouse and keyboard input only while it and its frame are
    // enabled and visible.
    bool takesInput() const;

    const std::optional<Rgb>& backColour() const { return m_back; }
    void setBackColour(Rgb colour);
    const std::optional<Rgb>& foreColour() const { return m_fore; }
    void setForeColour(Rgb colour);

    const Font& font() const { return m_font; }
    void setFont(Font font) { m_font = font; }
    Align alignment() const { return m_align; }
    void setAlignment(Align align) { m_align = align; }
    bool framed() const { return m_framed; }
    void setFramed(bool on) { m_framed = on; }
    const Geometry& geometry() const { return m_geometry; }
    int tabIndex() const { return m_tabIndex; }
    const std::string& toolTip() const { return m_toolTip; }
    void setToolTip(std::string tip) { m_toolTip = std::move(tip); }

    const Control* parent() const { return m_parent; }
    void setParent(const Control* frame) { m_parent = frame; }

    void addObserver(Observer observer) { m_observers.push_back(std::move(observer)); }
    // Where this control's user inputs are reported (see InputWatch).
    void setInputWatch(InputWatch* watch) { m_watch = watch; }

  protected:
    void notify(Change what, int row = -1, int col = -1) const;
    // Sets `field` to `value` and tells the observers, only when it really
    // changes; true when it did.
    template <class T, class V>
    bool update(T& field, V&& value, Change what) {
        if (field == value) return false;
        field = std::forward<V>(value);
        notify(what);
        return true;
    }
    // Reports a user input for as long as the scope lives, if the control takes input.
    InputWatch::Scope report(UserInput::Kind kind, std::string_view text = {},
                             int index = -1) const {
        return InputWatch::Scope(takesInput() ? m_watch : nullptr,
                                 UserInput{kind, *this, text, index});
    }

  private:
    std::string m_name;
    ControlKind m_kind;
    Geometry m_geometry;
    int m_tabIndex;
    bool m_enabled = true;
    bool m_visible = true;
    std::optional<Rgb> m_back;
    std::optional<Rgb> m_fore;
    Font m_font;
    Align m_align = Align::Left;
    bool m_framed = false;
    std::string m_toolTip;
    const Control* m_parent = nullptr;
    std::vector<Observer> m_observers;
    InputWatch* m_watch = nullptr;
    static const std::string m_empty;
};

// A control that only shows a caption: label, frame, shape or line. A change
// handler may be bound; it runs when the caption really changes.
class Label : public Control {
  public:
    Label(std::string name, Geometry geometry, int tabIndex = -1,
          ControlKind kind = ControlKind::Label);
    const std::string& text() const override { return m_caption; }
    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);

    std::function<void()> onChange;

  private:
    std::string m_caption;
};

// A button. A click reaches its handler only while the button takes input.
class Button : public Control {
  public:
    Button(std::string name, std::string caption, Geometry geometry, int tabIndex);
    const std::string& text() const override { return m_caption; }
    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    void click();

    std::function<void()> onClick;

  private:
    std::string m_caption;
};

// A single-line text box. Setting the text runs the change handler before the
// setter returns, nested, and only if the text really changed. A locked box
// takes no typed text but still gets key-up events.
class TextBox : public Control {
  public:
    TextBox(std::string name, Geometry geometry, int tabIndex);
    const std::string& text() const override { return m_text; }
    void setText(std::string text);

    bool locked() const { return m_locked; }
    void setLocked(bool on);

    // User input, ignored while the box takes no input.
    // Typing: each character (a UTF-8 sequence counts as one) grows the text by
    // one change, none while locked, then a key-up.
    void type(std::string_view chars);
    // The user replaces the whole text at once: one change, no key-up.
    void paste(std::string text);
    // The user edited the text in place (a view reports the new text).
    void edit(std::string text);
    void keyUp();
    void click();
    // The user pressed Enter in the box; its key-up follows as for any key.
    void enter();

    std::function<void()> onChange;
    std::function<void()> onKeyUp;
    std::function<void()> onClick;
    std::function<void()> onEnter;

  private:
    std::string m_text;
    bool m_locked = false;
};

// A check box; value 1 = ticked.
class CheckBox : public Control {
  public:
    CheckBox(std::string name, std::string caption, Geometry geometry, int tabIndex);
    const std::string& text() const override { return m_caption; }
    int value() const { return m_value; }
    void setValue(int value);
    void click();  // toggles

    std::function<void()> onClick;

  private:
    std::string m_caption;
    int m_value = 0;
};

// A multi-line box that shows a text file.
class RichText : public Control {
  public:
    RichText(std::string name, Geometry geometry, int tabIndex);
    const std::string& text() const override { return m_text; }
    void setText(std::string text);

  private:
    std::string m_text;
};

}  // namespace tamvek::form
