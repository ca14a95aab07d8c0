// The drawer with the reactor key and the desk telephone, worked with the mouse through their real controls on a
// headless 1280 by 720 window, frame by frame on the desk's frame time.
#include "engine/ease.h"
#include "module_test_support.h"
#include "modules/calendar.h"
#include "modules/key_module.h"
#include "modules/module_tables.h"
#include "modules/phone.h"

#include <cmath>
#include <string>

namespace {

// ---- Key module ----

class KeyModuleTest : public DeskModules {
protected:
    void SetUp() override
    {
        DeskModules::SetUp();
        LookAt({1500, 0});
        drawer.Init();
        modules = {&drawer};
        Frame(false);
    }

    void UpdateModules() override { drawer.TimedUpdate(Dt); }

    static void LookAt(PXL_Vec2 world) { PXL_Camera_SetPosition(&world); }

    void OpenDrawer()
    {
        Click(drawer.handle->position);
        Frames(40);
        ASSERT_FLOAT_EQ(drawer.drawerPosition.y, drawer.openPosition.y);
    }

    // Presses at `from`, moves to `to` with the button held, and lets go there.
    void Drag(PXL_Vec2 from, PXL_Vec2 to)
    {
        PointAt(from);
        Frame(true);
        PointAt(to);
        Frame(true);
        Frame(false);
    }

    // The world point of the drawer's centre, where the interior is.
    PXL_Vec2 Interior() const
    {
        return {drawer.position.x + drawer.drawerPosition.x, drawer.position.y + drawer.drawerPosition.y};
    }

    // Takes every object off the key, topmost first, to the edge of the interior farthest from it.
    void UncoverKey()
    {
        const float edge = drawer.key->position.y > Interior().y ? -230.0f : 230.0f;
        for (auto object = drawer.objects.rbegin(); object != drawer.objects.rend(); ++object) {
            Drag((*object)->position, {(*object)->position.x, Interior().y + edge});
        }
    }

    KeyModule drawer{"KeyModule", {1500, 0}};
};

TEST_F(KeyModuleTest, TheKeyLiesUnderAnObjectThatTakesTheClick)
{
    const Interactable* cover = nullptr;
    for (const Interactable* object : drawer.objects) {
        EXPECT_LE(std::fabs(object->position.x - drawer.position.x), 170.0f);
        EXPECT_LE(std::fabs(object->position.y - (drawer.position.y + 900)), 230.0f);
        if (object->position.x == drawer.key->position.x && object->position.y == drawer.key->position.y) {
            cover = object;
        }
    }
    ASSERT_NE(cover, nullptr) << "the key shares its place with one object";
    OpenDrawer();
    const PXL_Vec2 keyAt = drawer.key->position;
    Drag(keyAt, {keyAt.x + 100, keyAt.y});
    EXPECT_FALSE(drawer.picked);
    EXPECT_FLOAT_EQ(drawer.key->position.x, keyAt.x) << "the key stays; what lay on it moved";
}

TEST_F(KeyModuleTest, AShutDrawerGivesNothingButAKeyTakenOutBefore)
{
    // Shut: a click where the clutter and the key lie (just above the screen) moves nothing.
    const PXL_Vec2 keyAt = drawer.key->position;
    Drag(keyAt, {keyAt.x - 300, keyAt.y - 300});
    EXPECT_FALSE(drawer.picked);
    EXPECT_FLOAT_EQ(drawer.key->position.y, keyAt.y);

    OpenDrawer();
    UncoverKey();
    const PXL_Vec2 out{drawer.position.x - 700, -300};
    Drag(drawer.key->position, out);
    ASSERT_TRUE(drawer.picked);
    EXPECT_EQ(drawer.key->order, OrderKeyInHand);
    EXPECT_NEAR(drawer.key->position.x, out.x, 0.5f);

    Click(drawer.handle->position);
    Frames(40);
    ASSERT_FLOAT_EQ(drawer.drawerPosition.y, drawer.closedPosition.y);
    EXPECT_NEAR(drawer.key->position.y, out.y, 0.5f) << "a key out of the drawer stays where it was put";
    Drag(drawer.key->position, {out.x - 200, out.y});
    EXPECT_NEAR(drawer.key->position.x, out.x - 200, 0.5f) << "and can be picked up again, drawer shut or not";
}

TEST_F(KeyModuleTest, AnObjectDroppedOutsideIsPulledBackToTheInteriorsEdge)
{
    OpenDrawer();
    Interactable* object = drawer.objects.back(); // the topmost
    Drag(object->position, {Interior().x + 900, Interior().y - 900});
    Frame(false);
    EXPECT_FLOAT_EQ(object->position.x, Interior().x + 170);
    EXPECT_FLOAT_EQ(object->position.y, Interior().y - 230);
}

TEST_F(KeyModuleTest, AKeyAtMostFiftyUnitsFromTheKeyholeGoesIn)
{
    const struct {
        float distance;
        bool inserted;
    } cases[] = {{50.0f, true}, {49.0f, true}, {51.0f, false}};
    for (const auto& c : cases) {
        drawer.inserted = false;
        drawer.key->order = OrderKeyInHand;
        drawer.key->position = {drawer.keyhole->position.x + c.distance * 0.6f,
                                drawer.keyhole->position.y + c.distance * 0.8f};
        drawer.key->cornersDirty = true;
        Frame(false);
        EXPECT_EQ(drawer.inserted, c.inserted) << c.distance;
        if (c.inserted) {
            EXPECT_EQ(drawer.key->order, OrderKeyInKeyhole);
            EXPECT_FLOAT_EQ(drawer.key->position.x, drawer.keyhole->position.x) << "it sits in the lock";
        }
    }
}

TEST_F(KeyModuleTest, AKeyCarriedIntoTheKeyholeStaysThere)
{
    OpenDrawer();
    UncoverKey();
    // Carry the key out to the left edge of the view, then along to the keyhole with the desk moved under it.
    Drag(drawer.key->position, {drawer.position.x - 900, -250});
    LookAt({-200, 0});
    const PXL_Vec2 lock = drawer.keyhole->position;
    PointAt(drawer.key->position);
    Frame(true);
    PointAt({lock.x + 20, lock.y});
    Frames(2, true);
    ASSERT_TRUE(drawer.inserted);
    PointAt({lock.x + 400, lock.y + 200});
    Frame(true);
    Frame(false);
    EXPECT_FLOAT_EQ(drawer.key->position.x, lock.x) << "the hand lets go of a key that went in";
    EXPECT_FLOAT_EQ(drawer.key->position.y, lock.y);
    Drag(lock, {lock.x + 300, lock.y});
    EXPECT_FLOAT_EQ(drawer.key->position.x, lock.x) << "nor can it be pulled out again";
}

TEST_F(KeyModuleTest, AClickDuringTheOpeningReversesFromThePointReached)
{
    Click(drawer.handle->position); // pressed in one frame: the drawer starts in that frame's update
    // The click's own frame and the release frame have moved it; go on to 0.2 s in all.
    Frames(10);
    const float reached = drawer.drawerPosition.y;
    EXPECT_NEAR(reached, 900 + (200 - 900) * EaseInOutCubic(11.0f / 30.0f), 0.5f);
    PointAt(drawer.handle->position);
    Frame(true);
    const float turned = drawer.drawerPosition.y;
    EXPECT_NEAR(turned, 900 + (200 - 900) * EaseInOutCubic(12.0f / 30.0f), 0.5f) << "it turns where it was";
    EXPECT_LT(turned, reached);
    Frame(false);
    EXPECT_GT(drawer.drawerPosition.y, turned) << "and goes back down from there";
    int frames = 2;
    while (drawer.tweenElapsed < drawer.tweenDuration && frames < 100) {
        Frame(false);
        ++frames;
    }
    EXPECT_NEAR(frames, 12, 1) << "closing from 0.2 s into the opening takes 0.2 s";
    EXPECT_FLOAT_EQ(drawer.drawerPosition.y, 900.0f);
    EXPECT_FALSE(drawer.open);
}

TEST_F(KeyModuleTest, TheKeyholeTurnsOnlyOnceTheTaskIsGiven)
{
    LookAt({-200, 0});
    drawer.key->position = drawer.keyhole->position;
    drawer.key->cornersDirty = true;
    Frame(false);
    ASSERT_TRUE(drawer.inserted);
    Click(drawer.keyhole->position);
    EXPECT_EQ(drawer.keyholeTurn, 0.0f);
    EXPECT_EQ(Broadcasts("module_correct", "KeyModule"), 0);

    Broadcast("module_trigger", "KeyModule");
    Frame(false);
    Click(drawer.keyhole->position);
    EXPECT_FLOAT_EQ(drawer.keyholeTurn, 1.5707963f);
    EXPECT_EQ(Broadcasts("module_correct", "KeyModule"), 1);
    EXPECT_EQ(Broadcasts("terminal_append_line", "Reactor core successfully unlocked."), 1);
}

// ---- Phone ----

class PhoneTest : public DeskModules {
protected:
    void SetUp() override
    {
        DeskModules::SetUp();
        const PXL_Vec2 desk = {-1300, 0};
        PXL_Camera_SetPosition(&desk);
        phone.Init();
        modules = {&phone};
    }

    void UpdateModules() override { phone.TimedUpdate(Dt); }

    void HearDate(int month)
    {
        CalendarDate date;
        date.month = month;
        date.weekday = 2;
        date.day = 14;
        Broadcast("calendar_date", FormatDate(date));
        Frame(false);
    }

    void Trigger()
    {
        Broadcast("module_trigger", "Phone");
        Frame(false);
    }

    void Dial(const std::string& digits)
    {
        for (char digit : digits) {
            Click(phone.keys[static_cast<size_t>(digit - '0')]->position);
        }
    }

    PhoneModule phone{"Phone", {-1300, 0}};
};

// What the book says for a month: the on-call line whose months, as typed ("On call Aug - Nov"), take it in.
std::string NumberInTheBook(int month)
{
    for (const phone_table::Listing& line : phone_table::PhoneBook) {
        const std::string duty(line.duty);
        if (duty.rfind("On call ", 0) != 0) {
            continue;
        }
        auto monthAt = [](const std::string& word) {
            for (int m = 0; m < 12; ++m) {
                if (std::string(MonthNames[m]).substr(0, 3) == word) {
                    return m;
                }
            }
            return -1;
        };
        const int first = monthAt(duty.substr(8, 3));
        const int last = duty.size() > 11 ? monthAt(duty.substr(duty.size() - 3)) : first;
        if (month >= first && month <= last) {
            return std::string(line.number);
        }
    }
    return "";
}

TEST_F(PhoneTest, EveryMonthRingsTheNumberTheBookShowsForIt)
{
    for (int month = 0; month < 12; ++month) {
        EXPECT_EQ(std::string(phone_table::PhoneNumberTable(month)), NumberInTheBook(month)) << MonthNames[month];
    }
    EXPECT_EQ(phone_table::PhoneNumberTable(12), phone_table::FallbackNumber);
    EXPECT_EQ(phone_table::PhoneNumberTable(-1), phone_table::FallbackNumber);
}

TEST_F(PhoneTest, TheKeysStandInThreeRowsWithNineUnderTheMiddle)
{
    const PXL_Vec2 expected[10] = {{20, 125}, {75, 125}, {130, 125}, {20, 70},  {75, 70},
                                   {130, 70}, {20, 15},  {75, 15},   {130, 15}, {75, -40}};
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_FLOAT_EQ(phone.keys[i]->position.x, -1300 + expected[i].x) << i;
        EXPECT_FLOAT_EQ(phone.keys[i]->position.y, expected[i].y) << i;
    }
}

TEST_F(PhoneTest, TheNumberComesFromTheFirstDateOnly)
{
    HearDate(3); // April
    HearDate(11);
    Trigger();
    Dial(std::string(phone_table::PhoneNumberTable(11)));
    EXPECT_EQ(Broadcasts("module_correct", "Phone"), 0);
    Dial(std::string(phone_table::PhoneNumberTable(3)));
    EXPECT_EQ(Broadcasts("module_correct", "Phone"), 1);
    EXPECT_EQ(Broadcasts("terminal_append_line", "Contact cannot be reached."), 1);
    EXPECT_TRUE(phone.light->lit);
    EXPECT_EQ(phone.light->onColour.g, 1.0f);
}

TEST_F(PhoneTest, PressesBeforeTheTaskAreNotKept)
{
    HearDate(0);
    const std::string number(phone_table::PhoneNumberTable(0));
    Dial(number.substr(0, 2));
    EXPECT_TRUE(phone.enteredDigits.empty());
    Trigger();
    Dial(number);
    EXPECT_EQ(Broadcasts("module_correct", "Phone"), 1);
    EXPECT_EQ(Broadcasts("module_incorrect", "Phone"), 0);
}

TEST_F(PhoneTest, AWrongFourthDigitFailsTheWholeCallAndTheNextPressPutsTheLampOut)
{
    HearDate(7);
    Trigger();
    std::string number(phone_table::PhoneNumberTable(7));
    std::string wrong = number;
    wrong[3] = wrong[3] == '9' ? '0' : static_cast<char>(wrong[3] + 1);
    Dial(wrong.substr(0, 3));
    EXPECT_EQ(Broadcasts("module_incorrect", "Phone"), 0) << "three right digits are no verdict yet";
    Dial(wrong.substr(3));
    EXPECT_EQ(Broadcasts("module_incorrect", "Phone"), 1);
    EXPECT_TRUE(phone.enteredDigits.empty());
    ASSERT_TRUE(phone.light->lit);
    EXPECT_EQ(phone.light->onColour.r, 1.0f);
    Dial(number.substr(0, 1));
    EXPECT_FALSE(phone.light->lit);
    Dial(number.substr(1));
    EXPECT_EQ(Broadcasts("module_correct", "Phone"), 1) << "the next attempt started empty";
}

TEST_F(PhoneTest, WithoutADateThePhoneWantsTheSwitchboard)
{
    Trigger();
    Frames(3);
    EXPECT_EQ(Broadcasts("module_correct", "Phone"), 0) << "no call without a single key pressed";
    Dial(std::string(phone_table::FallbackNumber));
    EXPECT_EQ(Broadcasts("module_correct", "Phone"), 1);
    phone.Exit();
    EXPECT_EQ(phone.light, nullptr) << "the lamp goes with the phone";
}

} // namespace
