#include "form/OptionGroup.h"

namespace tamvek::form {

void OptionButton::click() {
    m_group.click(m_index);
}

OptionButton& OptionGroup::add(int index, std::string caption, Geometry geometry, int tabIndex) {
    auto button =
        std::make_unique<OptionButton>(m_name + "(" + std::to_string(index) + ")",
                                       std::move(caption), geometry, tabIndex, *this, index);
    auto& ref = *button;
    m_members[index] = std::move(button);
    return ref;
}

void OptionGroup::select(int index) {
    if (!has(index)) return;
    for (auto& [i, member] : m_members)
        if (i != index) member->setSelected(false);
    m_members.at(index)->setSelected(true);
    if (onClick) onClick(index);
}

void OptionGroup::click(int index) {
    if (!has(index)) return;
    const auto scope = m_members.at(index)->reportClick();
    if (m_members.at(index)->takesInput()) select(index);
}

}  // namespace tamvek::form
