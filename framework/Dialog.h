// The dialog base: modal (DoModal/EndDialog) or modeless child (Create) from a template of the
// resource module, with data exchange and command routing. Kept deliberately small.
#pragma once
#include "framework/Wnd.h"

class CDataExchange;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Runs the dialog modally; IDOK, IDCANCEL or whatever EndDialog was given; -1 on failure.
    INT_PTR DoModal();
    // Creates the dialog as a modeless window (a child when the template says so) of pParentWnd.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd);
    void EndDialog(int nResult);

    // FALSE fills the controls from the members, TRUE reads them back; zero on failure.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The leave operation of a modeless page; a nonzero result means the window is gone.
    virtual BOOL DestroyWindow();
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // The command map: one control id at a time. Derived classes route their own ids to named
    // handlers and pass the rest on; TRUE when the command was handled.
    virtual BOOL OnCommand(UINT nID, UINT nCode);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool m_bModal = false;
};
