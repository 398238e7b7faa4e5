#pragma once
// A group of option buttons addressed by index (indexes may have gaps).
// Selecting a member, by a click or by the program, clears the others and runs
// the group's click handler with that index. Every member knows its group and
// its index, so a click can be given to the button itself.

#include <functional>
#include <map>
#include <memory>

#include "form/Control.h"

namespace tamvek::form {

class OptionGroup;

class OptionButton : public Control {
  public:
    OptionButton(std::string name, std::string caption, Geometry geometry, int tabIndex,
                 OptionGroup& group, int index)
        : Control(std::move(name), ControlKind::OptionButton, geometry, tabIndex),
          m_caption(std::move(caption)),
          m_group(group),
          m_index(index) {}
    const std::string& text() const override { return m_caption; }
    bool selected() const { return m_selected; }
    OptionGroup& group() const { return m_group; }
    int index() const { return m_index; }
    // A click by the user, as OptionGroup::click with this member's index.
    void click();

  protected:
    friend class OptionGroup;
    InputWatch::Scope reportClick() const { return report(UserInput::Kind::Click); }

  private:
    void setSelected(bool on) { update(m_selected, on, Change::State); }
    std::string m_caption;
    OptionGroup& m_group;
    int m_index;
    bool m_selected = false;
};

class OptionGroup {
  public:
    explicit OptionGroup(std::string name) : m_name(std::move(name)) {}
    OptionGroup(const OptionGroup&) = delete;
    OptionGroup& operator=(const OptionGroup&) = delete;
    const std::string& name() const { return m_name; }

    OptionButton& add(int index, std::string caption, Geometry geometry, int tabIndex);
    OptionButton& operator[](int index) { return *m_members.at(index); }
    const OptionButton& operator[](int index) const { return *m_members.at(index); }
    bool has(int index) const { return m_members.count(index) != 0; }
    const std::map<int, std::unique_ptr<OptionButton>>& members() const { return m_members; }

    // Selection by the program: runs the click handler exactly as a click does.
    void select(int index);
    // A click by the user: ignored on a member that takes no input.
    void click(int index);
    bool isSelected(int index) const { return has(index) && m_members.at(index)->selected(); }

    std::function<void(int index)> onClick;

  private:
    std::string m_name;
    std::map<int, std::unique_ptr<OptionButton>> m_members;
};

}  // namespace tamvek::form
