#include "platform/linux/dialogs/dialog_model.h"

#include <gtest/gtest.h>
#include <vector>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace {

DialogEvent Key(Uint32 keysym, bool control = false) {
    return DialogEvent{kKeyPress, keysym, control, false, 0, 0};
}

DialogEvent At(DialogEventKind kind, int x, int y, bool primary = true) {
    return DialogEvent{kind, 0, false, primary, x, y};
}

DialogEvent Plain(DialogEventKind kind) {
    return At(kind, 0, 0);
}

struct Step {
    DialogEvent event;
    DialogAnswer answer;
};

struct Case {
    const char* name;
    DialogKind kind;
    std::vector<Step> steps;
    int selected; // the menu's item at the end
    bool buttonDown;
};

// A box of 200x100 with its button at (50, 60), 40x20; a menu of four items
// 10 high from y 3, in a frame 1 wide, 100x46.
DialogState Made(DialogKind kind) {
    static const char* const labels[] = {"a", "b", "c", "d"};
    DialogLayout layout = DialogLayout();
    if (kind == kMessageBox) {
        layout.width = 200, layout.height = 100, layout.button = DialogRect{50, 60, 40, 20};
        return MessageBoxState(layout, "text", "caption");
    }
    layout.width = 100, layout.height = 46, layout.frameWidth = 1, layout.itemsTop = 3;
    layout.itemHeight = 10;
    return PopupMenuState(layout, labels, 4);
}

TEST(DialogModel, AnswersEachEventInTurn) {
    const DialogAnswer R = kDialogRedraw, U = kDialogUnchanged, C = kDialogClosed;
    const Case cases[] = {
        {"box keys that close",
         kMessageBox,
         {{Key('a'), U},
          {Key(XKB_KEY_Escape), C},
          {Key(XKB_KEY_space), C},
          {Key(XKB_KEY_KP_Enter), C},
          {Key(XKB_KEY_Return, true), C}},
         kNoItem,
         false},
        {"box copies with Ctrl only",
         kMessageBox,
         {{Key(XKB_KEY_c), U},
          {Key(XKB_KEY_c, true), kDialogCopyText},
          {Key(XKB_KEY_Insert, true), kDialogCopyText},
          {Key(XKB_KEY_Insert), U}},
         kNoItem,
         false},
        {"box button clicked",
         kMessageBox,
         {{At(kPointerPress, 50, 60), R}, {At(kPointerRelease, 89, 79), C}},
         kNoItem,
         false},
        {"box button let go elsewhere",
         kMessageBox,
         {{At(kPointerPress, 60, 70), R},
          {At(kPointerRelease, 90, 70), R},
          {At(kPointerRelease, 60, 70), U}},
         kNoItem,
         false},
        {"box other buttons and places",
         kMessageBox,
         {{At(kPointerPress, 60, 70, false), U},
          {At(kPointerPress, 49, 70), U},
          {At(kPointerRelease, 60, 70), U},
          {Plain(kFocusIn), U},
          {Plain(kFocusOut), U},
          {At(kPointerPress, 60, 70), R},
          {At(kPointerRelease, 60, 70, false), U}},
         kNoItem,
         true},
        {"box tapped",
         kMessageBox,
         {{At(kTouchDown, 60, 70), R}, {Plain(kTouchUp), C}},
         kNoItem,
         false},
        {"box tap slid off",
         kMessageBox,
         {{At(kTouchDown, 60, 70), R},
          {At(kTouchMotion, 10, 10), U},
          {Plain(kTouchUp), R},
          {Plain(kTouchUp), U},
          {At(kTouchMotion, 60, 70), U}},
         kNoItem,
         false},
        {"box closed", kMessageBox, {{Plain(kCloseRequest), C}}, kNoItem, false},
        {"menu keys wrap",
         kPopupMenu,
         {{Key(XKB_KEY_Return), U},
          {Key(XKB_KEY_Up), R},
          {Key(XKB_KEY_KP_Down), R},
          {Key(XKB_KEY_Down), R},
          {Key(XKB_KEY_KP_Up), R},
          {Key('x'), U}},
         0,
         false},
        {"menu picked by keys",
         kPopupMenu,
         {{Key(XKB_KEY_Down), R}, {Key(XKB_KEY_Down), R}, {Key(XKB_KEY_KP_Enter), kDialogPicked}},
         1,
         false},
        {"menu escaped", kPopupMenu, {{Key(XKB_KEY_Down), R}, {Key(XKB_KEY_Escape), C}}, 0, false},
        {"menu follows the pointer",
         kPopupMenu,
         {{At(kPointerMotion, 50, 23), R},
          {At(kPointerMotion, 1, 32), U},
          {At(kPointerMotion, 0, 32), R},
          {At(kPointerMotion, 50, 2), U},
          {At(kPointerMotion, 99, 12), U},
          {At(kPointerMotion, 98, 42), R},
          {At(kPointerMotion, 50, 43), R}},
         kNoItem,
         false},
        {"menu clicked",
         kPopupMenu,
         {{At(kPointerPress, 50, 13), R},
          {At(kPointerRelease, 50, 1), U},
          {At(kPointerRelease, 50, 14, false), kDialogPicked}},
         1,
         false},
        {"menu clicked outside",
         kPopupMenu,
         {{At(kPointerPress, 98, 42), R},
          {At(kPointerPress, 100, 10), C},
          {At(kPointerPress, 10, -1), C},
          {At(kPointerPress, 10, 46), C}},
         3,
         false},
        {"menu tapped",
         kPopupMenu,
         {{Plain(kTouchUp), U}, {At(kTouchDown, 50, 33), R}, {Plain(kTouchUp), kDialogPicked}},
         3,
         false},
        {"menu loses the keyboard once it had it",
         kPopupMenu,
         {{Plain(kFocusOut), U}, {Plain(kFocusIn), U}, {Plain(kFocusOut), C}},
         kNoItem,
         false},
        {"menu closed", kPopupMenu, {{Plain(kCloseRequest), C}}, kNoItem, false},
    };
    for (const Case& c : cases) {
        DialogState state = Made(c.kind);
        for (size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(c.steps[i].answer, HandleDialogEvent(&state, c.steps[i].event))
                << c.name << ", step " << i;
        }
        EXPECT_EQ(c.selected, state.selected) << c.name;
        EXPECT_EQ(c.buttonDown, state.buttonDown) << c.name;
    }
}

TEST(DialogModel, CentresOnTheAnchorWithinTheScreen) {
    // anchor, size, screen, start
    const int cases[][4] = {{400, 100, 800, 350}, {-1, 100, 800, 350},  {800, 100, 800, 350},
                            {20, 100, 800, 0},    {790, 100, 800, 700}, {10, 900, 800, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(c[3], CentreOn(c[0], c[1], c[2])) << c[0] << " " << c[1] << " " << c[2];
    }
}

} // namespace
