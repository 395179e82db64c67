// The dialog framework on the setup's own templates: modeless child pages, data exchange in both
// directions, modal dialogs ended through the OK and cancel commands.
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include <gtest/gtest.h>

namespace {

// The destination page's controls: a radio group and a static text.
class ScopePage : public CDialog {
public:
    explicit ScopePage(CWnd* parent) : CDialog(IDD_FOLDER, parent) {}
    int m_nScope = -1;
    std::string m_strDestination;
    CStatic m_destination;
    bool m_bBindMissing = false;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_DESTINATION, m_destination);
        DDX_Radio(pDX, IDC_SCOPE_USER, m_nScope);
        DDX_Text(pDX, IDC_DESTINATION, m_strDestination);
        if (m_bBindMissing)
            DDX_Text(pDX, 4711, m_strDestination);
    }
};

// The group page's controls: two check boxes and an edit box.
class GroupPage : public CDialog {
public:
    explicit GroupPage(CWnd* parent) : CDialog(IDD_GROUP, parent) {}
    int m_bAutoStart = 0;
    int m_bDesktopIcon = 1;
    std::string m_strGroup = "Lumetra 6";
    int m_nInitCalls = 0;

protected:
    BOOL OnInitDialog() override
    {
        m_nInitCalls++;
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Check(pDX, IDC_AUTOSTART, m_bAutoStart);
        DDX_Check(pDX, IDC_DESKTOP_ICON, m_bDesktopIcon);
        DDX_Text(pDX, IDC_EDIT, m_strGroup);
    }
};

class Frame : public CDialog {
public:
    Frame() : CDialog(IDD_SETUP) {}
};

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_frame.Create(IDD_SETUP, nullptr)); }
    void TearDown() override { m_frame.DestroyWindow(); }
    Frame m_frame;
};

TEST_F(FrameworkTest, ChildPageIsCreatedHiddenInsideTheFrame)
{
    GroupPage page(&m_frame);
    ASSERT_TRUE(page.Create(IDD_GROUP, &m_frame));
    EXPECT_EQ(GetParent(page.m_hWnd), m_frame.m_hWnd);
    EXPECT_FALSE(IsWindowVisible(page.m_hWnd));
    EXPECT_EQ(page.m_nInitCalls, 1);
    // The framework's own initialisation filled the controls from the members.
    char text[64];
    GetWindowTextA(page.GetDlgItem(IDC_EDIT), text, sizeof text);
    EXPECT_STREQ(text, "Lumetra 6");
    EXPECT_EQ(SendMessageA(page.GetDlgItem(IDC_DESKTOP_ICON), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(page.DestroyWindow());
    EXPECT_EQ(page.m_hWnd, nullptr) << "the object forgets its destroyed window";
}

TEST_F(FrameworkTest, CheckAndTextBothWays)
{
    GroupPage page(&m_frame);
    ASSERT_TRUE(page.Create(IDD_GROUP, &m_frame));
    SendMessageA(page.GetDlgItem(IDC_AUTOSTART), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(page.GetDlgItem(IDC_DESKTOP_ICON), BM_SETCHECK, BST_UNCHECKED, 0);
    SetWindowTextA(page.GetDlgItem(IDC_EDIT), "  My Tools ");
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.m_bAutoStart, 1);
    EXPECT_EQ(page.m_bDesktopIcon, 0);
    EXPECT_EQ(page.m_strGroup, "  My Tools ");
    page.m_strGroup = std::string(3000, 'g');
    page.UpdateData(FALSE);
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.m_strGroup.size(), 3000u) << "long texts come back whole";
}

TEST_F(FrameworkTest, RadioIndexFromTheFirstButtonOfTheGroup)
{
    ScopePage page(&m_frame);
    ASSERT_TRUE(page.Create(IDD_FOLDER, &m_frame));
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.m_nScope, -1) << "no button checked";
    page.m_nScope = 1;
    page.UpdateData(FALSE);
    EXPECT_EQ(SendMessageA(page.GetDlgItem(IDC_SCOPE_USER), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(page.GetDlgItem(IDC_SCOPE_ALL), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(page.GetDlgItem(IDC_SCOPE_ALL), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(page.GetDlgItem(IDC_SCOPE_USER), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(page.UpdateData(TRUE));
    EXPECT_EQ(page.m_nScope, 0);
    EXPECT_EQ(page.m_destination.m_hWnd, page.GetDlgItem(IDC_DESTINATION)) << "control bound";
}

TEST_F(FrameworkTest, MissingControlFailsTheExchange)
{
    ScopePage page(&m_frame);
    ASSERT_TRUE(page.Create(IDD_FOLDER, &m_frame));
    page.m_bBindMissing = true;
    EXPECT_FALSE(page.UpdateData(TRUE));
}

// A modal dialog that ends itself through a command posted at initialisation.
class SelfEndingDialog : public CDialog {
public:
    SelfEndingDialog(UINT command, bool throwInInit) : CDialog(IDD_SETUP), m_command(command), m_bThrow(throwInInit) {}
    int m_nOk = 0;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(m_command, BN_CLICKED), 0);
        if (m_bThrow)
            throw 1; // must not cross into the window manager
        return TRUE;
    }
    void OnOK() override
    {
        m_nOk++;
        CDialog::OnOK();
    }
    BOOL OnCommand(UINT nID, UINT nCode) override
    {
        if (nID == IDC_BACK) {
            EndDialog(42);
            return TRUE;
        }
        return CDialog::OnCommand(nID, nCode);
    }

private:
    UINT m_command;
    bool m_bThrow;
};

TEST(ModalDialog, EndsWithTheCommandsResult)
{
    const struct {
        UINT command;
        INT_PTR result;
    } cases[] = {{IDOK, IDOK}, {IDCANCEL, IDCANCEL}, {IDC_BACK, 42}};
    for (const auto& c : cases) {
        SelfEndingDialog dialog(c.command, false);
        EXPECT_EQ(dialog.DoModal(), c.result) << "command " << c.command;
        EXPECT_EQ(dialog.m_nOk, c.command == IDOK ? 1 : 0);
        EXPECT_EQ(dialog.m_hWnd, nullptr);
    }
}

TEST(ModalDialog, ExceptionInAHandlerDoesNotEscape)
{
    SelfEndingDialog dialog(IDCANCEL, true);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(Framework, StringsAndTitleFromTheStringTable)
{
    EXPECT_EQ(AfxLoadString(IDS_PRODUCT_NAME), "Lumetra 6");
    EXPECT_EQ(AfxLoadString(5), "");
    EXPECT_EQ(AfxGetAppTitle(), "Lumetra Setup");
}

} // namespace
