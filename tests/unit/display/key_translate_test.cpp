// Keyboard messages into key codes, on the headless US layout.
#include "commands/key_bindings.h"
#include "commands/keyboard_table.h"
#include "display/keyboard/key_translate.h"
#include "test_support.h"

namespace {

constexpr unsigned VK_TAB = 0x09, VK_RETURN = 0x0D, VK_PAUSE = 0x13, VK_PRIOR = 0x21,
                   VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
                   VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_SNAPSHOT = 0x2C, VK_INSERT = 0x2D,
                   VK_DELETE = 0x2E, VK_F1 = 0x70, VK_F4 = 0x73, VK_F5 = 0x74, VK_F10 = 0x79,
                   VK_F24 = 0x87, VK_SCROLL = 0x91, VK_ESCAPE = 0x1B;

// The keys held while a message is handled.
struct Held {
    bool shift = false, ctrl = false, alt = false, enter = false;
};

class KeyTranslation : public VelTest {
  protected:
    void SetUp() override {
        VelTest::SetUp();
        g_key_translation = KeyTranslationState{};
        g_keyboard_table = KeyboardTable{};
        vel_keymap_build();
    }
    void TearDown() override {
        g_keyboard_table = KeyboardTable{};
        VelTest::TearDown();
    }

    static KeyEvent event(KeyMessage message, unsigned key, Held held, std::string name = "",
                          std::uint32_t data = 0x00010001) {
        KeyEvent e;
        e.message = message;
        e.key = key;
        e.key_data = data;
        e.key_name = std::move(name);
        e.shift_down = held.shift;
        e.ctrl_down = held.ctrl;
        e.alt_down = held.alt;
        e.enter_down = held.enter;
        return e;
    }
    static TranslatedKey down(unsigned key, Held held = {}, std::string name = "",
                              std::uint32_t data = 0x00010001) {
        return key_translate(event(KeyMessage::KeyDown, key, held, std::move(name), data));
    }
    static TranslatedKey chr(unsigned c, Held held = {}) {
        return key_translate(event(KeyMessage::Character, c, held));
    }
    static TranslatedKey sys(unsigned key, Held held = {}) {
        return key_translate(event(KeyMessage::SystemKeyDown, key, held));
    }
    static TranslatedKey up(unsigned key, Held held = {}) {
        return key_translate(event(KeyMessage::KeyUp, key, held));
    }
    static void expect_code(const TranslatedKey& key, int code, bool shift = false,
                            bool ctrl = false, bool alt = false) {
        EXPECT_EQ(key.outcome, KeyOutcome::Code);
        EXPECT_EQ(key.code, code);
        EXPECT_EQ(key.modifiers.shift, shift);
        EXPECT_EQ(key.modifiers.ctrl, ctrl);
        EXPECT_EQ(key.modifiers.alt, alt);
    }
};

} // namespace

TEST_F(KeyTranslation, CtrlLetterActsOnceThroughItsKeyDown) {
    expect_code(down('A', {.ctrl = true}, "A"), 'a', false, true);
    EXPECT_EQ(chr(1, {.ctrl = true}).outcome, KeyOutcome::Ignored);
    // A character message whose key-down did not take the Ctrl rule still
    // gives the plain character.
    down(VK_LEFT);
    expect_code(chr(1, {.ctrl = true}), 'a', false, true);
}

TEST_F(KeyTranslation, CtrlShiftDigitGivesTheShiftedCharacter) {
    expect_code(down('1', {.shift = true, .ctrl = true}, "1"), '!', true, true);
    expect_code(down('2', {.shift = true, .ctrl = true}, "2"), '@', true, true);
}

TEST_F(KeyTranslation, AltGrIsNeitherCtrlNorAlt) {
    // AltGr arrives as Ctrl and Alt held together; its characters type.
    TranslatedKey key = chr('@', {.ctrl = true, .alt = true});
    expect_code(key, '@');
    EXPECT_EQ(down('Q', {.ctrl = true, .alt = true}, "Q").outcome, KeyOutcome::Default);
}

TEST_F(KeyTranslation, AltCharactersAreNotTypedButAltEAndAltF4AskToQuit) {
    EXPECT_EQ(chr('x', {.alt = true}).outcome, KeyOutcome::Ignored);
    EXPECT_EQ(sys('X', {.alt = true}).outcome, KeyOutcome::Default);
    EXPECT_EQ(sys('E', {.alt = true}).outcome, KeyOutcome::QuitRequest);
    EXPECT_EQ(sys(VK_F4, {.alt = true}).outcome, KeyOutcome::QuitRequest);
    EXPECT_EQ(sys('E').outcome, KeyOutcome::Default);
}

TEST_F(KeyTranslation, FunctionKeysAsKeysAndAsSystemKeys) {
    expect_code(down(VK_F1), KEY_F_FIRST);
    expect_code(down(VK_F24, {.shift = true}), KEY_F_FIRST + 23, true);
    expect_code(sys(VK_F10), key_f(10)); // F10 is a system key
    expect_code(sys(VK_F5, {.alt = true}), key_f(5), false, false, true);
}

TEST_F(KeyTranslation, NamedKeysAndTheKeypadsRKeys) {
    expect_code(down(VK_PAUSE), KEY_PAUSE);
    expect_code(down(VK_PRIOR), KEY_PAGE_UP);
    expect_code(down(VK_NEXT), KEY_PAGE_DOWN);
    expect_code(down(VK_SCROLL), KEY_SCROLL_LOCK);
    expect_code(down(VK_HOME), KEY_HOME);
    expect_code(down(VK_END), KEY_END);
    expect_code(down(VK_LEFT), KEY_LEFT);
    expect_code(down(VK_RIGHT), KEY_RIGHT);
    expect_code(down(VK_UP), KEY_UP);
    expect_code(down(VK_DOWN), KEY_DOWN);
    expect_code(down(VK_INSERT), KEY_INSERT);
    expect_code(down(VK_DELETE), KEY_DELETE);
    EXPECT_EQ(KEY_PAGE_DOWN, 0x7F42);
}

TEST_F(KeyTranslation, TabOnlyWithCtrl) {
    EXPECT_EQ(down(VK_TAB, {}, "Tab").outcome, KeyOutcome::Default);
    expect_code(down(VK_TAB, {.ctrl = true}, "Tab"), KEY_TAB, false, true);
}

TEST_F(KeyTranslation, TheRightCtrlKeyByItself) {
    expect_code(down(0x11, {.ctrl = true}, "Right Ctrl", 0x011D0001), KEY_RIGHT_CTRL);
    expect_code(down(0x11, {.ctrl = true}, "Right Ctrl", 0x411D0001), KEY_RIGHT_CTRL, false, true);
    EXPECT_EQ(down(0x11, {.ctrl = true}, "Ctrl", 0x001D0001).outcome, KeyOutcome::Default);
}

TEST_F(KeyTranslation, EnterAndCtrlEnterButNotCtrlJ) {
    expect_code(chr('\r'), KEY_ENTER);
    expect_code(chr('\n', {.ctrl = true, .enter = true}), KEY_ENTER);
    // Ctrl+J: its key-down gives the letter, its line feed must not act.
    expect_code(down('J', {.ctrl = true}, "J"), 'j', false, true);
    EXPECT_EQ(chr('\n', {.ctrl = true}).outcome, KeyOutcome::Ignored);
}

TEST_F(KeyTranslation, PlainCharactersAndBackspace) {
    expect_code(chr('a'), 'a');
    expect_code(chr('A', {.shift = true}), 'A', true);
    expect_code(chr(8), KEY_BACKSPACE);
    expect_code(chr(0xE9), 0xE9);
    EXPECT_EQ(down('A', {}, "A").outcome, KeyOutcome::Default); // its character follows
}

TEST_F(KeyTranslation, KeyReleasesOnlyForPrintScreen) {
    expect_code(up(VK_SNAPSHOT), 44);
    EXPECT_EQ(up('A').outcome, KeyOutcome::Default);
    EXPECT_EQ(up(VK_ESCAPE, {.shift = true}).outcome, KeyOutcome::Default);
    KeyEvent old_system = event(KeyMessage::KeyUp, VK_ESCAPE, {.shift = true});
    old_system.escape_on_release = true;
    expect_code(key_translate(old_system), KEY_ESCAPE, true);
    EXPECT_EQ(up(VK_RETURN).outcome, KeyOutcome::Default);
}
