#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake/fake_dinput8.h"
#include "fake/fake_win32.h"
#include "qnInputManager.h"
#include "qnJoystick.h"
#include "qnKeyboard.h"
#include "qnMouse.h"

namespace {

const std::string kOk = " = 0x00000000";

// The logged calls' names, without their arguments.
std::vector<std::string> CallNames()
{
    std::vector<std::string> names;
    for (const auto& call : fake::Calls()) {
        names.push_back(call.substr(0, call.find('(')));
    }
    return names;
}

bool Logged(const std::string& call)
{
    for (const auto& logged : fake::Calls()) {
        if (logged == call) {
            return true;
        }
    }
    return false;
}

class InputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        WNDCLASSA kClass = {};
        kClass.lpfnWndProc = DefWindowProcA;
        kClass.lpszClassName = "InputTest";
        RegisterClassA(&kClass);
        m_hWindow = CreateWindowExA(0, "InputTest", "Input", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                    nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWindow, nullptr);
        ASSERT_EQ(m_kManager.Init(nullptr), QN_OK);
        fake::ClearCalls();
    }

    HWND m_hWindow = nullptr;
    qnInputManager m_kManager;
};

TEST(InputManagerTest, CreatesDirectInputVersion8)
{
    fake::Reset();
    qnInputManager kManager;
    EXPECT_EQ(kManager.GetDirectInput(), nullptr);
    EXPECT_EQ(kManager.Init(nullptr), QN_OK);
    EXPECT_NE(kManager.GetDirectInput(), nullptr);
    EXPECT_EQ(qnInputManager::GetSingleton(), &kManager);
    EXPECT_TRUE(Logged("DirectInput8Create(0x0800)" + kOk));
}

TEST(InputManagerTest, FailedCreationGives18)
{
    fake::Reset();
    qnInputManager kManager;
    fake::FailCall("DirectInput8Create");
    EXPECT_EQ(kManager.Init(nullptr), QN_ERR_DINPUT_CREATE);
    EXPECT_EQ(kManager.GetDirectInput(), nullptr);
}

// Each row fails one call; the steps after it are never made.
struct InitStep {
    const char* failing;
    qnError expected;
    std::vector<std::string> calls;
};

const std::string kCreate = "IDirectInput8A::CreateDevice";
const std::string kEnum = "IDirectInput8A::EnumDevices";
const std::string kFormat = "IDirectInputDevice8A::SetDataFormat";
const std::string kLevel = "IDirectInputDevice8A::SetCooperativeLevel";
const std::string kProperty = "IDirectInputDevice8A::SetProperty";
const std::string kAcquire = "IDirectInputDevice8A::Acquire";
const std::string kPoll = "IDirectInputDevice8A::Poll";
const std::string kState = "IDirectInputDevice8A::GetDeviceState";

TEST_F(InputTest, KeyboardInitStopsAtTheFirstFailingStep)
{
    const InitStep akSteps[] = {
        {"IDirectInput8A::CreateDevice", QN_ERR_KEYBOARD_CREATE, {kCreate}},
        {"IDirectInputDevice8A::SetDataFormat", QN_ERR_KEYBOARD_FORMAT, {kCreate, kFormat}},
        {"IDirectInputDevice8A::SetCooperativeLevel",
         QN_ERR_KEYBOARD_COOPERATIVE,
         {kCreate, kFormat, kLevel}},
        {"IDirectInputDevice8A::Acquire", QN_OK, {kCreate, kFormat, kLevel, kAcquire}},
        {"none", QN_OK, {kCreate, kFormat, kLevel, kAcquire}},
    };
    for (const auto& kStep : akSteps) {
        SCOPED_TRACE(kStep.failing);
        fake::ClearCalls();
        fake::FailCall(kStep.failing, 1);
        qnKeyboard kKeyboard;
        EXPECT_EQ(kKeyboard.Init(m_hWindow), kStep.expected);
        EXPECT_EQ(CallNames(), kStep.calls);
    }
}

TEST_F(InputTest, KeyboardIsSystemKeyboardNonExclusiveForeground)
{
    qnKeyboard kKeyboard;
    ASSERT_EQ(kKeyboard.Init(m_hWindow), QN_OK);
    EXPECT_EQ(fake::Calls(), (std::vector<std::string>{
                                 kCreate + "(GUID_SysKeyboard)" + kOk,
                                 kFormat + "(keyboard, c_dfDIKeyboard)" + kOk,
                                 kLevel + "(keyboard, 6)" + kOk,
                                 kAcquire + "(keyboard)" + kOk,
                             }));
}

TEST_F(InputTest, MouseInitCodesRun24_25_27_26InStepOrder)
{
    const InitStep akSteps[] = {
        {"IDirectInput8A::CreateDevice", QN_ERR_MOUSE_CREATE, {kCreate}},
        {"IDirectInputDevice8A::SetDataFormat", QN_ERR_MOUSE_FORMAT, {kCreate, kFormat}},
        {"IDirectInputDevice8A::SetCooperativeLevel",
         QN_ERR_MOUSE_COOPERATIVE,
         {kCreate, kFormat, kLevel}},
        {"IDirectInputDevice8A::SetProperty",
         QN_ERR_MOUSE_BUFFER,
         {kCreate, kFormat, kLevel, kProperty}},
        {"IDirectInputDevice8A::Acquire", QN_OK, {kCreate, kFormat, kLevel, kProperty, kAcquire}},
    };
    for (const auto& kStep : akSteps) {
        SCOPED_TRACE(kStep.failing);
        fake::ClearCalls();
        fake::FailCall(kStep.failing, 1);
        qnMouse kMouse;
        EXPECT_EQ(kMouse.Init(m_hWindow), kStep.expected);
        EXPECT_EQ(CallNames(), kStep.calls);
    }
}

TEST_F(InputTest, MouseIsExclusiveForegroundWithAnEightRecordBuffer)
{
    qnMouse kMouse;
    ASSERT_EQ(kMouse.Init(m_hWindow), QN_OK);
    EXPECT_TRUE(Logged(kCreate + "(GUID_SysMouse)" + kOk));
    EXPECT_TRUE(Logged(kFormat + "(mouse, c_dfDIMouse)" + kOk));
    EXPECT_TRUE(Logged(kLevel + "(mouse, 5)" + kOk));
    EXPECT_TRUE(Logged(kProperty +
                       "(mouse, DIPROP_BUFFERSIZE, size 20, header 16, object 0, how 0, 8)" + kOk));
    EXPECT_TRUE(fake::MouseCaptured());
}

TEST_F(InputTest, JoystickInitStopsAtTheFirstFailingStep)
{
    fake::AttachController("Pad");
    const InitStep akSteps[] = {
        {"IDirectInput8A::EnumDevices", QN_ERR_JOYSTICK_ENUM, {kEnum}},
        {"IDirectInputDevice8A::SetDataFormat", QN_ERR_JOYSTICK_FORMAT, {kEnum, kCreate, kFormat}},
        {"IDirectInputDevice8A::SetCooperativeLevel",
         QN_ERR_JOYSTICK_COOPERATIVE,
         {kEnum, kCreate, kFormat, kLevel}},
        {"IDirectInputDevice8A::SetProperty",
         QN_ERR_JOYSTICK_PROPERTY,
         {kEnum, kCreate, kFormat, kLevel, kProperty}},
        // A device never acquired fails its poll, so the set-up ends acquiring it.
        {"none", QN_OK, {kEnum, kCreate, kFormat, kLevel, kProperty, kProperty, kPoll, kAcquire}},
    };
    for (const auto& kStep : akSteps) {
        SCOPED_TRACE(kStep.failing);
        fake::ClearCalls();
        fake::FailCall(kStep.failing, 1);
        qnJoystick kJoystick;
        EXPECT_EQ(kJoystick.Init(m_hWindow, -10, 10, 1), kStep.expected);
        EXPECT_EQ(CallNames(), kStep.calls);
    }
}

TEST_F(InputTest, JoystickDeadZoneRefusedGives34AsTheRangeDoes)
{
    fake::AttachController("Pad");
    qnJoystick kJoystick;
    EXPECT_EQ(kJoystick.Init(m_hWindow, -10, 10, 101), QN_ERR_JOYSTICK_PROPERTY);
    EXPECT_EQ(fake::CountCalls(kPoll), 0);
}

TEST_F(InputTest, JoystickPropertiesCarryRangeAndDeadZoneInHundredthsOfAPercent)
{
    fake::AttachController("Pad");
    struct Case {
        int32_t iMin, iMax;
        int iPercent;
        std::string range, zone;
    };
    const Case akCases[] = {
        {-10, 10, 1, "-10..10", "100"},
        {-1000, 1000, 0, "-1000..1000", "0"},
    };
    for (const auto& kCase : akCases) {
        fake::ClearCalls();
        qnJoystick kJoystick;
        ASSERT_EQ(kJoystick.Init(m_hWindow, kCase.iMin, kCase.iMax, kCase.iPercent), QN_OK);
        EXPECT_TRUE(Logged(kLevel + "(controller, 5)" + kOk));
        EXPECT_TRUE(Logged(kProperty +
                           "(controller, DIPROP_RANGE, size 24, header 16, object 0, how 0, " +
                           kCase.range + ")" + kOk));
        EXPECT_TRUE(Logged(kProperty +
                           "(controller, DIPROP_DEADZONE, size 20, header 16, object 0, how 0, " +
                           kCase.zone + ")" + kOk));
    }
}

TEST_F(InputTest, JoystickInitReacquiresWhileInputIsLost)
{
    fake::AttachController("Pad");
    fake::FailCall("IDirectInputDevice8A::Poll", 1);
    fake::FailWith("IDirectInputDevice8A::Acquire", DIERR_INPUTLOST, 3);
    qnJoystick kJoystick;
    EXPECT_EQ(kJoystick.Init(m_hWindow, -10, 10, 1), QN_OK);
    EXPECT_EQ(fake::CountCalls(kAcquire), 4);
}

TEST_F(InputTest, JoystickIsTheFirstControllerThatOpens)
{
    int iRefused = fake::AttachController("Broken");
    int iSecond = fake::AttachController("Second");
    fake::AttachController("Third");
    fake::RefuseController(iRefused);
    fake::SetControllerButton(iSecond, 3, 0x80);
    qnJoystick kJoystick;
    ASSERT_EQ(kJoystick.Init(m_hWindow, -10, 10, 1), QN_OK);
    EXPECT_EQ(fake::CountCalls(kCreate), 2);
    ASSERT_EQ(kJoystick.Update(), QN_OK);
    EXPECT_TRUE(kJoystick.IsButtonDown(3));
}

TEST_F(InputTest, DetachedControllersAreNotOffered)
{
    fake::DetachController(fake::AttachController("Gone"));
    qnJoystick kJoystick;
    kJoystick.Init(m_hWindow, -10, 10, 1);
    EXPECT_EQ(fake::CountCalls(kCreate), 0);
}

TEST_F(InputTest, AbsentControllerAnswersWithEveryButtonReleased)
{
    qnJoystick kJoystick;
    EXPECT_EQ(kJoystick.Init(m_hWindow, -10, 10, 1), QN_ERR_JOYSTICK_ENUM);
    EXPECT_EQ(kJoystick.Update(), QN_ERR_JOYSTICK_POLL);
    EXPECT_FALSE(kJoystick.IsButtonDown(0));
    EXPECT_TRUE(kJoystick.IsButtonUp(0));
    EXPECT_EQ(kJoystick.GetXAxis(), 0);
    EXPECT_EQ(kJoystick.GetYAxis(), 0);
    EXPECT_EQ(CallNames(), std::vector<std::string>{kEnum});
}

TEST_F(InputTest, KeyDownIsBit0x80Only)
{
    qnKeyboard kKeyboard;
    ASSERT_EQ(kKeyboard.Init(m_hWindow), QN_OK);
    const struct {
        uint8_t value;
        bool down;
    } akCases[] = {{0x80, true}, {0xFF, true}, {0x7F, false}, {0x00, false}};
    for (const auto& kCase : akCases) {
        fake::SetKey(DIK_SPACE, kCase.value);
        ASSERT_EQ(kKeyboard.Update(), QN_OK);
        EXPECT_EQ(kKeyboard.IsKeyDown(57), kCase.down) << int(kCase.value);
        EXPECT_EQ(kKeyboard.IsKeyUp(57), !kCase.down) << int(kCase.value);
    }
    EXPECT_FALSE(kKeyboard.IsKeyDown(-1));
    EXPECT_FALSE(kKeyboard.IsKeyDown(256));
    EXPECT_TRUE(kKeyboard.IsKeyUp(256));
}

TEST_F(InputTest, KeyboardLostInputGives23InTheBackgroundAnd22OnReacquire)
{
    qnKeyboard kKeyboard;
    ASSERT_EQ(kKeyboard.Init(m_hWindow), QN_OK);
    fake::SetKey(DIK_ESCAPE, 0x80);
    ASSERT_EQ(kKeyboard.Update(), QN_OK);
    fake::SetInputFocus(false);
    fake::SetKey(DIK_ESCAPE, 0);
    EXPECT_EQ(kKeyboard.Update(), QN_ERR_KEYBOARD_ACQUIRE);
    EXPECT_EQ(kKeyboard.Update(), QN_ERR_KEYBOARD_ACQUIRE);
    EXPECT_TRUE(kKeyboard.IsKeyDown(1)) << "a failed read keeps the last state";
    fake::SetInputFocus(true);
    fake::ClearCalls();
    EXPECT_EQ(kKeyboard.Update(), QN_ERR_KEYBOARD_READ);
    EXPECT_EQ(CallNames(), (std::vector<std::string>{kState, kAcquire}));
    EXPECT_TRUE(kKeyboard.IsKeyDown(1)) << "the state is not read again in that call";
    EXPECT_EQ(kKeyboard.Update(), QN_OK);
    EXPECT_TRUE(kKeyboard.IsKeyUp(1));
}

TEST_F(InputTest, KeyboardReadFailuresOtherThanLostInputDoNotReacquire)
{
    qnKeyboard kKeyboard;
    ASSERT_EQ(kKeyboard.Init(m_hWindow), QN_OK);
    fake::ClearCalls();
    fake::FailWith("IDirectInputDevice8A::GetDeviceState", DIERR_NOTACQUIRED, 1);
    EXPECT_EQ(kKeyboard.Update(), QN_ERR_KEYBOARD_READ);
    EXPECT_EQ(fake::CountCalls(kAcquire), 0);
    fake::FailWith("IDirectInputDevice8A::GetDeviceState", DIERR_INPUTLOST, 1);
    fake::FailCall("IDirectInputDevice8A::Acquire", 1);
    EXPECT_EQ(kKeyboard.Update(), QN_ERR_KEYBOARD_ACQUIRE);
}

TEST_F(InputTest, MouseButtonIsAnyNonzeroByteAndFoldsOtherNumbersToButton0)
{
    qnMouse kMouse;
    ASSERT_EQ(kMouse.Init(m_hWindow), QN_OK);
    fake::SetMouseButton(0, 0x01);
    fake::SetMouseButton(2, 0x80);
    ASSERT_EQ(kMouse.Update(), QN_OK);
    EXPECT_TRUE(kMouse.IsButtonDown(0));
    EXPECT_TRUE(kMouse.IsButtonUp(1));
    EXPECT_TRUE(kMouse.IsButtonDown(2));
    EXPECT_TRUE(kMouse.IsButtonUp(3));
    EXPECT_TRUE(kMouse.IsButtonDown(4));
    EXPECT_TRUE(kMouse.IsButtonDown(1000));
    fake::SetMouseButton(0, 0);
    ASSERT_EQ(kMouse.Update(), QN_OK);
    EXPECT_TRUE(kMouse.IsButtonUp(1000));
}

TEST_F(InputTest, MouseDeltasAreTheMotionSinceTheLastRead)
{
    qnMouse kMouse;
    ASSERT_EQ(kMouse.Init(m_hWindow), QN_OK);
    fake::MoveMouse(3, -4);
    fake::MoveMouse(2, 1);
    ASSERT_EQ(kMouse.Update(), QN_OK);
    EXPECT_EQ(kMouse.GetXDelta(), 5);
    EXPECT_EQ(kMouse.GetYDelta(), -3);
    ASSERT_EQ(kMouse.Update(), QN_OK);
    EXPECT_EQ(kMouse.GetXDelta(), 0);
}

TEST_F(InputTest, MouseTakenAwayStaysLost)
{
    qnMouse kMouse;
    ASSERT_EQ(kMouse.Init(m_hWindow), QN_OK);
    fake::MoveMouse(7, 0);
    fake::SetMouseButton(1, 0x80);
    ASSERT_EQ(kMouse.Update(), QN_OK);
    fake::SetInputFocus(false);
    EXPECT_FALSE(fake::MouseCaptured() && kMouse.Update() == QN_OK);
    fake::SetInputFocus(true);
    fake::MoveMouse(1, 1);
    EXPECT_EQ(kMouse.Update(), QN_ERR_MOUSE_READ);
    EXPECT_EQ(kMouse.Update(), QN_ERR_MOUSE_READ);
    EXPECT_FALSE(fake::MouseCaptured());
    EXPECT_EQ(kMouse.GetXDelta(), 7);
    EXPECT_TRUE(kMouse.IsButtonDown(1));
    EXPECT_EQ(fake::CountCalls(kAcquire), 1);
}

TEST_F(InputTest, MouseClearFlushesTheEventBuffer)
{
    qnMouse kMouse;
    ASSERT_EQ(kMouse.Init(m_hWindow), QN_OK);
    EXPECT_EQ(kMouse.Clear(), QN_OK);
    EXPECT_TRUE(
        Logged("IDirectInputDevice8A::GetDeviceData(mouse, 20, null, 4294967295, 0)" + kOk));
    fake::FailCall("IDirectInputDevice8A::GetDeviceData", 1);
    EXPECT_EQ(kMouse.Clear(), QN_ERR_MOUSE_READ);
}

TEST_F(InputTest, MouseCursorComesFromTheWindowSystem)
{
    qnMouse kMouse;
    fake::SetCursorPosition(120, 45);
    EXPECT_EQ(kMouse.GetCursorX(), 120);
    EXPECT_EQ(kMouse.GetCursorY(), 45);
}

TEST_F(InputTest, JoystickButtonIsBit0x80AndAxesFollowRangeAndDeadZone)
{
    int iPad = fake::AttachController("Pad");
    qnJoystick kJoystick;
    ASSERT_EQ(kJoystick.Init(m_hWindow, -10, 10, 1), QN_OK);
    const struct {
        uint8_t button;
        bool down;
        int32_t raw;
        int32_t axis;
    } akCases[] = {
        {0x80, true, 32767, 10}, {0xFF, true, -32768, -10}, {0x7F, false, 0, 0},
        {0x00, false, 300, 0},   {0x80, true, 16384, 5},    {0x80, true, -16384, -5},
    };
    for (const auto& kCase : akCases) {
        fake::SetControllerButton(iPad, 0, kCase.button);
        fake::SetControllerAxis(iPad, 0, kCase.raw);
        fake::SetControllerAxis(iPad, 1, -kCase.raw);
        ASSERT_EQ(kJoystick.Update(), QN_OK);
        EXPECT_EQ(kJoystick.IsButtonDown(0), kCase.down) << int(kCase.button);
        EXPECT_EQ(kJoystick.IsButtonUp(0), !kCase.down) << int(kCase.button);
        EXPECT_EQ(kJoystick.GetXAxis(), kCase.axis) << kCase.raw;
        EXPECT_EQ(kJoystick.GetYAxis(), -kCase.axis) << kCase.raw;
    }
    EXPECT_FALSE(kJoystick.IsButtonDown(128));
    EXPECT_FALSE(kJoystick.IsButtonDown(-1));
}

TEST_F(InputTest, JoystickLostInputGives30AndKeepsItsButtons)
{
    int iPad = fake::AttachController("Pad");
    qnJoystick kJoystick;
    ASSERT_EQ(kJoystick.Init(m_hWindow, -10, 10, 1), QN_OK);
    fake::SetControllerButton(iPad, 0, 0x80);
    ASSERT_EQ(kJoystick.Update(), QN_OK);
    fake::SetInputFocus(false);
    fake::SetControllerButton(iPad, 0, 0);
    EXPECT_EQ(kJoystick.Update(), QN_ERR_JOYSTICK_POLL);
    fake::SetInputFocus(true);
    EXPECT_EQ(kJoystick.Update(), QN_ERR_JOYSTICK_POLL) << "re-acquired, not read";
    EXPECT_TRUE(kJoystick.IsButtonDown(0));
    EXPECT_EQ(kJoystick.Update(), QN_OK);
    EXPECT_TRUE(kJoystick.IsButtonUp(0));
}

TEST_F(InputTest, JoystickReacquireReportingLostInputTriesOnceMoreAndReads)
{
    int iPad = fake::AttachController("Pad");
    qnJoystick kJoystick;
    ASSERT_EQ(kJoystick.Init(m_hWindow, -10, 10, 1), QN_OK);
    fake::SetControllerButton(iPad, 0, 0x80);
    fake::ClearCalls();
    fake::FailCall("IDirectInputDevice8A::Poll", 1);
    fake::FailWith("IDirectInputDevice8A::Acquire", DIERR_INPUTLOST, -1);
    EXPECT_EQ(kJoystick.Update(), QN_OK);
    EXPECT_EQ(CallNames(), (std::vector<std::string>{kPoll, kAcquire, kAcquire, kState}));
    EXPECT_TRUE(kJoystick.IsButtonDown(0));
}

TEST_F(InputTest, JoystickReadFailureGives31)
{
    fake::AttachController("Pad");
    qnJoystick kJoystick;
    ASSERT_EQ(kJoystick.Init(m_hWindow, -10, 10, 1), QN_OK);
    fake::FailCall("IDirectInputDevice8A::GetDeviceState", 1);
    EXPECT_EQ(kJoystick.Update(), QN_ERR_JOYSTICK_READ);
}

TEST_F(InputTest, UnpluggedControllerFailsItsPollAndReacquire)
{
    int iPad = fake::AttachController("Pad");
    qnJoystick kJoystick;
    ASSERT_EQ(kJoystick.Init(m_hWindow, -10, 10, 1), QN_OK);
    fake::DetachController(iPad);
    EXPECT_EQ(kJoystick.Update(), QN_ERR_JOYSTICK_POLL);
    EXPECT_TRUE(kJoystick.IsButtonUp(0));
}

TEST_F(InputTest, DestructorsUnacquireOnlyDevicesTheyCreated)
{
    fake::AttachController("Pad");
    {
        qnKeyboard kNever;
        qnMouse kFailed;
        fake::FailCall("IDirectInput8A::CreateDevice", 1);
        kFailed.Init(m_hWindow);
        fake::ClearCalls();
    }
    EXPECT_TRUE(fake::Calls().empty());
    {
        qnKeyboard kKeyboard;
        qnMouse kMouse;
        qnJoystick kJoystick;
        kKeyboard.Init(m_hWindow);
        kMouse.Init(m_hWindow);
        kJoystick.Init(m_hWindow, -10, 10, 1);
        fake::ClearCalls();
    }
    EXPECT_EQ(fake::CountCalls("IDirectInputDevice8A::Unacquire"), 3);
    EXPECT_FALSE(fake::MouseCaptured());
}

TEST(InputWithoutDirectInputTest, DevicesFailWithoutCrashing)
{
    fake::Reset();
    qnInputManager kManager;
    qnKeyboard kKeyboard;
    qnMouse kMouse;
    qnJoystick kJoystick;
    EXPECT_EQ(kKeyboard.Init(nullptr), QN_ERR_KEYBOARD_CREATE);
    EXPECT_EQ(kKeyboard.Update(), QN_ERR_KEYBOARD_READ);
    EXPECT_EQ(kMouse.Init(nullptr), QN_ERR_MOUSE_CREATE);
    EXPECT_EQ(kMouse.Update(), QN_ERR_MOUSE_READ);
    EXPECT_EQ(kMouse.Clear(), QN_ERR_MOUSE_READ);
    EXPECT_EQ(kJoystick.Init(nullptr, -10, 10, 1), QN_ERR_JOYSTICK_ENUM);
    EXPECT_TRUE(kKeyboard.IsKeyUp(57));
    EXPECT_TRUE(kMouse.IsButtonUp(0));
}

}  // namespace

// The game creates DirectInput and the keyboard again after every device reset.
TEST_F(InputTest, CreatingAgainReleasesWhatWasHeld)
{
    qnKeyboard kKeyboard;
    ASSERT_EQ(kKeyboard.Init(m_hWindow), QN_OK);
    for (int i = 0; i < 3; ++i) {
        fake::ClearCalls();
        ASSERT_EQ(m_kManager.Init(nullptr), QN_OK);
        ASSERT_EQ(kKeyboard.Init(m_hWindow), QN_OK);
        EXPECT_EQ(fake::CountCalls("IDirectInputDevice8A::Unacquire"), 1);
    }
    fake::SetKey(DIK_SPACE, 0x80);
    kKeyboard.Update();
    EXPECT_TRUE(kKeyboard.IsKeyDown(DIK_SPACE));
}
