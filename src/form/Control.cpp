#include "form/Control.h"

#include "core/Text.h"

namespace tamvek::form {

const std::string Control::m_empty;

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "label";
        case ControlKind::TextBox:
            return "textbox";
        case ControlKind::Button:
            return "button";
        case ControlKind::OptionButton:
            return "option";
        case ControlKind::CheckBox:
            return "checkbox";
        case ControlKind::Grid:
            return "grid";
        case ControlKind::RichText:
            return "richtext";
        case ControlKind::Frame:
            return "frame";
        case ControlKind::Shape:
            return "shape";
        case ControlKind::Line:
            return "line";
        case ControlKind::DriveList:
            return "drivelist";
        case ControlKind::DirList:
            return "dirlist";
        case ControlKind::FileList:
            return "filelist";
    }
    return "control";
}

Control::Control(std::string name, ControlKind kind, Geometry geometry, int tabIndex)
    : m_name(std::move(name)), m_kind(kind), m_geometry(geometry), m_tabIndex(tabIndex) {}

void Control::setEnabled(bool on) {
    update(m_enabled, on, Change::State);
}

void Control::setVisible(bool on) {
    update(m_visible, on, Change::State);
}

bool Control::takesInput() const {
    for (const Control* c = this; c != nullptr; c = c->m_parent)
        if (!c->m_enabled || !c->m_visible) return false;
    return true;
}

void Control::setBackColour(Rgb colour) {
    update(m_back, colour, Change::Look);
}

void Control::setForeColour(Rgb colour) {
    update(m_fore, colour, Change::Look);
}

void Control::notify(Change what, int row, int col) const {
    const ChangeEvent event{what, row, col};
    for (const auto& observer : m_observers)
        observer(*this, event);
}

Label::Label(std::string name, Geometry geometry, int tabIndex, ControlKind kind)
    : Control(std::move(name), kind, geometry, tabIndex) {}

void Label::setCaption(std::string caption) {
    if (update(m_caption, std::move(caption), Change::Text) && onChange) onChange();
}

Button::Button(std::string name, std::string caption, Geometry geometry, int tabIndex)
    : Control(std::move(name), ControlKind::Button, geometry, tabIndex),
      m_caption(std::move(caption)) {}

void Button::setCaption(std::string caption) {
    update(m_caption, std::move(caption), Change::Text);
}

void Button::click() {
    const auto scope = report(UserInput::Kind::Click);
    if (takesInput() && onClick) onClick();
}

TextBox::TextBox(std::string name, Geometry geometry, int tabIndex)
    : Control(std::move(name), ControlKind::TextBox, geometry, tabIndex) {}

void TextBox::setText(std::string text) {
    if (update(m_text, std::move(text), Change::Text) && onChange) onChange();
}

void TextBox::setLocked(bool on) {
    update(m_locked, on, Change::State);
}

void TextBox::type(std::string_view chars) {
    const auto scope = report(UserInput::Kind::Type, chars);
    std::size_t i = 0;
    while (i < chars.size()) {
        // One keystroke is one UTF-8 sequence: a lead byte and its continuation bytes.
        std::size_t n = 1;
        while (i + n < chars.size() && text::isContinuation(chars[i + n]))
            ++n;
        if (!takesInput()) return;
        if (!m_locked) {
            // Grown in place: typing a long text stays linear.
            m_text.append(chars.substr(i, n));
            notify(Change::Text);
            if (onChange) onChange();
        }
        keyUp();
        i += n;
    }
}

void TextBox::paste(std::string text) {
    const auto scope = report(UserInput::Kind::Paste, text);
    if (takesInput() && !m_locked) setText(std::move(text));
}

void TextBox::edit(std::string text) {
    const auto scope = report(UserInput::Kind::Paste, text);
    if (takesInput() && !m_locked) {
        setText(std::move(text));
    } else {
        notify(Change::Text);  // let the view put the model's text back
    }
}

void TextBox::keyUp() {
    const auto scope = report(UserInput::Kind::KeyUp);
    if (takesInput() && onKeyUp) onKeyUp();
}

void TextBox::click() {
    const auto scope = report(UserInput::Kind::Click);
    if (takesInput() && onClick) onClick();
}

void TextBox::enter() {
    const auto scope = report(UserInput::Kind::Enter);
    if (takesInput() && onEnter) onEnter();
}

CheckBox::CheckBox(std::string name, std::string caption, Geometry geometry, int tabIndex)
    : Control(std::move(name), ControlKind::CheckBox, geometry, tabIndex),
      m_caption(std::move(caption)) {}

void CheckBox::setValue(int value) {
    update(m_value, value, Change::State);
}

void CheckBox::click() {
    const auto scope = report(UserInput::Kind::Click);
    if (!takesInput()) return;
    setValue(m_value == 1 ? 0 : 1);
    if (onClick) onClick();
}

RichText::RichText(std::string name, Geometry geometry, int tabIndex)
    : Control(std::move(name), ControlKind::RichText, geometry, tabIndex) {}

void RichText::setText(std::string text) {
    update(m_text, std::move(text), Change::Text);
}

}  // namespace tamvek::form
