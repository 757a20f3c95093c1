#include "player/MenuCanvas.h"
#include "player/Session.h"

#include <gtest/gtest.h>

namespace orvane::player {
namespace {

// A 200 x 150 menu with three 60 x 20 buttons at x 120, y 40 / 70 / 100,
// each state a flat colour (button n, state s: n * 16 + s), and the strip.
ShownMenu ThreeButtons(int animation = 0, bool photo = false) {
    ShownMenu m;
    m.FileName = "main.mng";
    m.Stored.Props.ButtonAnimation = animation;
    m.Stored.Props.PhotoSkin = photo;
    m.Stored.Props.MenuText = "Welcome";
    m.Pictures.MenuImage = Bitmap(200, 150, 0x111111);
    for (int n = 1; n <= 3; ++n) {
        StoredButton b;
        b.Caption = "&" + std::string(1, char('A' + n - 1)) + "ction";
        b.AccessKey = std::string(1, char('A' + n - 1));
        b.Left = 120;
        b.Top = 10 + 30 * n;
        b.Description = n == 2 ? "" : "About button " + std::to_string(n);
        m.Stored.Buttons.push_back(b);
        m.Pictures.Buttons.push_back({Bitmap(60, 20, uint32_t(n * 16)), Bitmap(60, 20, uint32_t(n * 16 + 1)),
                                      Bitmap(60, 20, uint32_t(n * 16 + 2))});
    }
    for (int s = 0; s < 3; ++s) m.Pictures.Controls[size_t(s)] = Bitmap(21, 9, uint32_t(0x70 + s));
    return m;
}

std::vector<int> States(const Session& s) {
    return {s.ButtonState(0), s.ButtonState(1), s.ButtonState(2)};
}

TEST(Session, ThePointerHighlightsPressesAndClicks) {
    const ShownMenu menu = ThreeButtons();
    Session s(menu, Sound::Start);
    EXPECT_EQ(s.Open().Play, Sound::Start);
    s.FinishAnimation();

    Effects e = s.PointerMove(130, 75);  // onto button 2
    EXPECT_EQ(e.Play, Sound::Select);
    EXPECT_EQ(States(s), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(s.PointerMove(140, 80).Play, Sound::None);  // still on it: no second sound

    s.PointerDown(140, 80);
    EXPECT_EQ(States(s), (std::vector<int>{0, 2, 0}));
    s.PointerMove(10, 10);  // held, but off the button: drawn released
    EXPECT_EQ(States(s), (std::vector<int>{0, 0, 0}));
    s.PointerMove(150, 85);
    EXPECT_EQ(States(s), (std::vector<int>{0, 2, 0}));
    e = s.PointerUp(150, 85);
    EXPECT_EQ(e.Click, 1);
    EXPECT_EQ(e.Play, Sound::Click);
    EXPECT_EQ(States(s), (std::vector<int>{0, 1, 0}));

    // Pressed on one button, released on another: no click.
    s.PointerDown(130, 45);
    s.PointerMove(130, 105);
    EXPECT_EQ(s.PointerUp(130, 105).Click, -1);

    s.PointerLeave();
    EXPECT_EQ(States(s), (std::vector<int>{0, 0, 0}));
}

TEST(Session, WindowControlsAndDragging) {
    const ShownMenu menu = ThreeButtons();
    Session s(menu, Sound::Start);
    s.FinishAnimation();
    // The strip is 17 x 9 at 178, 5: minimise on its left nine columns.
    const struct {
        int x, y;
        Part part;
    } hits[] = {
        {178, 5, Part::Minimise}, {186, 13, Part::Minimise}, {187, 5, Part::Close}, {194, 13, Part::Close},
        {195, 5, Part::Background}, {177, 5, Part::Background}, {180, 14, Part::Background},
        {120, 40, Part::Button}, {179, 59, Part::Button}, {180, 59, Part::Background}, {5, 5, Part::Background},
    };
    for (const auto& h : hits) {
        SCOPED_TRACE(testing::Message() << h.x << ", " << h.y);
        EXPECT_EQ(s.HitTest(h.x, h.y).What, h.part);
        EXPECT_EQ(s.Drags(h.x, h.y), h.part == Part::Background);
    }
    s.PointerMove(180, 8);
    EXPECT_EQ(s.ControlsState(), 1);
    s.PointerDown(180, 8);
    EXPECT_EQ(s.ControlsState(), 2);
    EXPECT_TRUE(s.PointerUp(180, 8).Minimise);
    s.PointerDown(190, 8);
    const Effects close = s.PointerUp(190, 8);
    EXPECT_TRUE(close.Close);
    EXPECT_FALSE(close.Minimise);

    // A photo menu has no window controls: its corner drags.
    const ShownMenu photo = ThreeButtons(0, true);
    Session p(photo, Sound::Start);
    EXPECT_TRUE(p.Drags(180, 8));
}

TEST(Session, TheKeyboardMovesTheFocusAndPresses) {
    const ShownMenu menu = ThreeButtons();
    Session s(menu, Sound::Start);
    s.FinishAnimation();
    EXPECT_EQ(s.Focus(), -1);
    EXPECT_EQ(States(s), (std::vector<int>{0, 0, 0}));  // nothing focused until a key is pressed

    const struct {
        Key key;
        bool shift;
        int focus;
    } moves[] = {
        {Key::Down, false, 0}, {Key::Down, false, 1}, {Key::Tab, false, 2}, {Key::Right, false, 0},
        {Key::Up, false, 2},   {Key::Tab, true, 1},   {Key::Left, false, 0},
    };
    for (const auto& m : moves) {
        const Effects e = s.KeyDown(m.key, m.shift);
        EXPECT_EQ(s.Focus(), m.focus);
        EXPECT_EQ(e.Play, Sound::Select);
    }
    EXPECT_EQ(States(s), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(s.Text(), "About button 1");  // the focused button's description

    EXPECT_EQ(s.KeyDown(Key::Enter, false).Click, 0);
    EXPECT_EQ(s.KeyDown(Key::Space, false).Click, -1);
    EXPECT_EQ(States(s), (std::vector<int>{2, 0, 0}));
    EXPECT_EQ(s.KeyUp(Key::Space).Click, 0);
    EXPECT_TRUE(s.KeyDown(Key::Escape, false).Close);

    // An access key presses its button, in either case.
    const Effects key = s.Character("c");
    EXPECT_EQ(key.Click, 2);
    EXPECT_EQ(s.Focus(), 2);
    EXPECT_EQ(s.Character("Z").Click, -1);
}

TEST(Session, TheTextShowsTheDescriptionUnderThePointer) {
    const ShownMenu menu = ThreeButtons();
    Session s(menu, Sound::Start);
    s.FinishAnimation();
    EXPECT_EQ(s.Text(), "Welcome");
    s.PointerMove(125, 45);
    EXPECT_EQ(s.Text(), "About button 1");
    s.PointerMove(125, 75);  // button 2 has no description
    EXPECT_EQ(s.Text(), "Welcome");
    s.PointerMove(5, 5);
    EXPECT_EQ(s.Text(), "Welcome");
}

// The canvas at scale 1: what the window shows, without the text.
Bitmap Shown(const ShownMenu& menu, const Session& s) {
    const MenuCanvas canvas(menu, {});
    Bitmap out(canvas.Width(), canvas.Height());
    canvas.Draw(s, {0, 0, out.Width(), out.Height()}, {out.Data(), out.Width(), out.Height()});
    return out;
}

TEST(Session, ButtonsComeInAlongTheEditorsPathsAndEndInPlace) {
    for (int code = 0; code < 15; ++code) {
        SCOPED_TRACE(code);
        const ShownMenu menu = ThreeButtons(code);
        Session s(menu, Sound::Start);
        s.Open();
        // Every frame is one pause of the editor's preview.
        size_t pauses = 0;
        const std::vector<Rect> targets = {Rect::FromSize(120, 40, 60, 20), Rect::FromSize(120, 70, 60, 20),
                                           Rect::FromSize(120, 100, 60, 20)};
        for (const AnimationMove& m : ButtonAnimationPath(code, targets, 200, 150, 200))
            pauses += m.Pause;
        EXPECT_EQ(s.Frames(), pauses);
        while (s.Animating()) s.ShowFrame(s.FrameShown() + 1);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(s.ButtonLeft(i), 120);
            EXPECT_EQ(s.ButtonTop(i), 10 + 30 * (i + 1));
        }
        const Bitmap frame = Shown(menu, s);
        EXPECT_EQ(frame.At(120, 100), 48u);  // button 3, normal
        EXPECT_EQ(frame.At(178, 5), 0x70u);  // the strip, normal
    }
    // Glide In from Top: button 1 starts above the menu, the others out of
    // sight to the right, until their turn.
    const ShownMenu glide = ThreeButtons(1);
    Session g(glide, Sound::Start);
    g.Open();
    EXPECT_EQ(g.ButtonTop(0), -20);  // just above the menu
    EXPECT_EQ(g.ButtonLeft(1), 200);
    EXPECT_EQ(Shown(glide, g).At(120, 100), 0x111111u);
    // Frames that fell due while one was drawn are skipped, not played late.
    g.ShowFrame(g.Frames() - 1);
    EXPECT_FALSE(g.Animating());
    EXPECT_EQ(g.ButtonTop(2), 100);
    // A click during the entrance puts everything in place and clicks nothing.
    Session c(glide, Sound::Start);
    c.Open();
    EXPECT_EQ(c.PointerDown(130, 45).Click, -1);
    EXPECT_FALSE(c.Animating());
    EXPECT_EQ(c.ButtonTop(2), 100);
}

TEST(Session, TheAnimationFollowsTheClock) {
    const struct {
        int64_t elapsedMicroseconds;
        size_t frames, due;
    } cases[] = {
        {0, 100, 0},     {7999, 100, 0},     {8000, 100, 1},  {16500, 100, 2},  {792000, 100, 99},
        {10000000, 100, 99},  // late: the last frame, not the next one
        {-5, 100, 0},    {5000000, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.elapsedMicroseconds << " us of " << c.frames << " frames");
        EXPECT_EQ(FrameDue(c.elapsedMicroseconds, c.frames), c.due);
    }
}

TEST(Session, OnePressOneCommand) {
    // Events: d = press, D = the second press of a double-click, u = release
    // (all on button 1), e = Enter, E = Enter held down, a = its access key,
    // A = the access key held down.
    const struct {
        const char* events;
        int clicks;
    } cases[] = {
        {"du", 1}, {"duDu", 1}, {"duDudu", 2}, {"u", 0}, {"Du", 0}, {"D", 0},
        {"ee", 2}, {"eEE", 1}, {"aA", 1}, {"aa", 2},
    };
    const ShownMenu menu = ThreeButtons();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.events);
        // A new menu: nothing it shows was pressed in it.
        Session s(menu, Sound::Start);
        s.FinishAnimation();
        s.KeyDown(Key::Down, false);  // Enter presses the focused button 1
        int clicks = 0;
        for (const char* e = c.events; *e; ++e) {
            Effects r;
            switch (*e) {
                case 'd': r = s.PointerDown(125, 45); break;
                case 'D': r = s.PointerDown(125, 45, true); break;
                case 'u': r = s.PointerUp(125, 45); break;
                case 'e': r = s.KeyDown(Key::Enter, false); break;
                case 'E': r = s.KeyDown(Key::Enter, false, true); break;
                case 'a': r = s.Character("a"); break;
                case 'A': r = s.Character("a", true); break;
            }
            if (r.Click >= 0) {
                EXPECT_EQ(r.Click, 0);
                ++clicks;
            }
        }
        EXPECT_EQ(clicks, c.clicks);
    }
}

TEST(Canvas, DrawsOnlyWhatChangedAndThatIsEnough) {
    // Wherever the buttons go and whatever the pointer does, the picture
    // kept up to date change by change equals one drawn whole.
    for (int code : {1, 4, 5, 7, 12}) {
        SCOPED_TRACE(code);
        const ShownMenu menu = ThreeButtons(code);
        Session s(menu, Sound::Start);
        MenuCanvas canvas(menu, {3, 2});
        Bitmap kept(canvas.Width(), canvas.Height(), 0xDEAD);
        const PixelTarget target{kept.Data(), kept.Width(), kept.Height()};
        Bitmap whole(canvas.Width(), canvas.Height());
        auto same = [&] {
            canvas.Update(s, target);
            canvas.Draw(s, {0, 0, whole.Width(), whole.Height()}, {whole.Data(), whole.Width(), whole.Height()});
            return kept == whole;
        };
        s.Open();
        ASSERT_TRUE(same());
        while (s.Animating()) {
            s.ShowFrame(s.FrameShown() + 3);
            ASSERT_TRUE(same()) << "frame " << s.FrameShown();
        }
        s.PointerMove(125, 45);
        ASSERT_TRUE(same());
        s.PointerDown(125, 75);
        ASSERT_TRUE(same());
        s.PointerMove(180, 8);
        ASSERT_TRUE(same());
        // Nothing changed: nothing drawn.
        EXPECT_TRUE(canvas.Update(s, target).empty());
    }
}

TEST(Canvas, ScalesPicturesAndPlaces) {
    const ShownMenu menu = ThreeButtons();
    Session s(menu, Sound::Start);
    s.FinishAnimation();
    // Whole scales repeat pixels; others are smooth, so a flat colour stays
    // flat within the scaler's rounding.
    for (const Zoom z : {Zoom{2, 1}, Zoom{5, 4}, Zoom{256, 457}}) {
        SCOPED_TRACE(testing::Message() << z.Num << "/" << z.Den);
        const MenuCanvas canvas(menu, z);
        EXPECT_EQ(canvas.Width(), z.Of(200));
        EXPECT_EQ(canvas.Height(), z.Of(150));
        const Rect b = canvas.ButtonRect(s, 2);
        EXPECT_EQ(b, (Rect{z.Of(120), z.Of(100), z.Of(120) + z.Of(60), z.Of(100) + z.Of(20)}));
        Bitmap out(canvas.Width(), canvas.Height());
        canvas.Draw(s, {0, 0, out.Width(), out.Height()}, {out.Data(), out.Width(), out.Height()});
        EXPECT_NEAR(int(out.At(b.Left, b.Top)), 48, 1);
        EXPECT_NEAR(int(out.At(b.Right - 1, b.Bottom - 1)), 48, 1);
        EXPECT_NEAR(int(out.At(b.Left - 1, b.Top) & 0xFF), 0x11, 1);
    }
}

TEST(Session, AMenuWithoutSoundsPlaysNone) {
    ShownMenu menu = ThreeButtons();
    menu.Stored.Props.DisableSounds = true;
    menu.Stored.Buttons[0].Command = "*";
    Session s(menu, Sound::Change);
    EXPECT_EQ(s.Open().Play, Sound::None);
    s.FinishAnimation();
    EXPECT_EQ(s.PointerMove(125, 45).Play, Sound::None);
    s.PointerDown(125, 45);
    const Effects e = s.PointerUp(125, 45);
    EXPECT_EQ(e.Click, 0);
    EXPECT_EQ(e.Play, Sound::None);

    menu.Stored.Props.DisableSounds = false;
    Session loud(menu, Sound::Change);
    EXPECT_EQ(loud.Open().Play, Sound::Change);
    loud.FinishAnimation();
    loud.PointerDown(125, 45);
    EXPECT_EQ(loud.PointerUp(125, 45).Play, Sound::NoAction);  // "*" plays the no-action sound
}

}  // namespace
}  // namespace orvane::player
