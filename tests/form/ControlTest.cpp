// The form model's own promises, which every handler of the game relies on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "form/Control.h"
#include "form/OptionGroup.h"

namespace tamvek::form {
namespace {

TEST(FormModel, ChangeHandlersRunNestedAndOnlyOnARealChange) {
    TextBox a("a", {}, 0), b("b", {}, 1);
    std::vector<std::string> log;
    a.onChange = [&] {
        log.push_back("a:" + a.text());
        b.setText("from a");  // runs b's handler before this one goes on
        log.push_back("a done");
    };
    b.onChange = [&] { log.push_back("b:" + b.text()); };
    a.setText("1");
    EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:from a", "a done"}));

    log.clear();
    a.setText("1");  // the same text: no handler
    b.setText("from a");
    EXPECT_TRUE(log.empty());

    // A handler that writes its own box's text again ends the chain there.
    int passes = 0;
    TextBox c("c", {}, 2);
    c.onChange = [&] {
        ++passes;
        c.setText("");
    };
    c.setText("x");
    EXPECT_EQ(passes, 2);  // "x", then "": the second write of "" is no change
    EXPECT_EQ(c.text(), "");

    Label l("l", {});
    int labelChanges = 0;
    l.onChange = [&] { ++labelChanges; };
    l.setCaption("x");
    l.setCaption("x");
    EXPECT_EQ(labelChanges, 1);
}

TEST(FormModel, TypingIsOneChangePerKeystrokeThenAKeyUp) {
    TextBox box("box", {}, 0);
    std::vector<std::string> log;
    box.onChange = [&] { log.push_back("change " + box.text()); };
    box.onKeyUp = [&] { log.push_back("up"); };
    box.type("5\xC3\xA4");  // "5ä": two keystrokes, the second a two-byte sequence
    EXPECT_EQ(log, (std::vector<std::string>{"change 5", "up", "change 5\xC3\xA4", "up"}));

    log.clear();
    box.paste("12");  // one change, no key-up
    EXPECT_EQ(log, (std::vector<std::string>{"change 12"}));

    log.clear();
    box.setLocked(true);  // typing changes nothing, key releases still count
    box.type("34");
    box.paste("99");
    EXPECT_EQ(log, (std::vector<std::string>{"up", "up"}));
    EXPECT_EQ(box.text(), "12");
    box.setText("7");  // the program still writes a locked box
    EXPECT_EQ(box.text(), "7");

    log.clear();
    box.setLocked(false);
    box.setEnabled(false);  // a disabled box takes nothing at all
    box.type("1");
    box.keyUp();
    box.click();
    EXPECT_TRUE(log.empty());
}

TEST(FormModel, AHiddenOrDisabledFrameBlocksItsChildren) {
    Label frame("Frame1", {}, 0, ControlKind::Frame);
    Button ok("ok", "OK", {}, 1);
    TextBox box("box", {}, 2);
    ok.setParent(&frame);
    box.setParent(&frame);
    int clicks = 0;
    ok.onClick = [&] { ++clicks; };

    frame.setVisible(false);
    ok.click();
    box.type("1");
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(box.text(), "");
    EXPECT_FALSE(ok.takesInput());

    frame.setVisible(true);
    frame.setEnabled(false);
    ok.click();
    EXPECT_EQ(clicks, 0);

    frame.setEnabled(true);
    ok.click();
    box.type("1");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(box.text(), "1");
}

TEST(FormModel, AnOptionButtonSelectsThroughItsGroup) {
    OptionGroup group("Option1");
    group.add(0, "Einzelschritt", {}, 0);
    group.add(2, "Halt bei ...", {}, 1);
    std::vector<int> clicks;
    group.onClick = [&](int index) { clicks.push_back(index); };

    EXPECT_EQ(&group[2].group(), &group);
    EXPECT_EQ(group[2].index(), 2);
    EXPECT_EQ(group[2].name(), "Option1(2)");
    group[2].click();
    EXPECT_TRUE(group.isSelected(2));
    EXPECT_FALSE(group.isSelected(0));
    group.select(0);  // by the program: the handler runs as for a click
    EXPECT_TRUE(group.isSelected(0));
    EXPECT_FALSE(group.isSelected(2));

    group[2].setEnabled(false);
    group[2].click();  // refused
    EXPECT_TRUE(group.isSelected(0));
    EXPECT_EQ(clicks, (std::vector<int>{2, 0}));
}

}  // namespace
}  // namespace tamvek::form
