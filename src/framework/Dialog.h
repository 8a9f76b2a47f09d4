#pragma once

#include "framework/DataExchange.h"
#include "framework/MessageMap.h"
#include "framework/Wnd.h"

#include <span>

// A dialog from a template of the program's resources, run modally by a loop
// of our own (so PreTranslateMessage sees every message) or created modeless.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or what EndDialog was given; -1 when it could not run.
    INT_PTR DoModal();
    // Modeless: it lives until its window is destroyed.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Ends a modal run once the current message is handled. A modeless dialog
    // goes only when its window is destroyed, so this leaves it alone.
    void EndDialog(int nResult);

    // Exchanges every binding of DoDataExchange; saving reads the controls.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    // Focus to the control as Tab moves it: the default button's border
    // follows, and an edit's text is selected.
    void GotoDlgCtrl(CWnd* pWndCtrl) { SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE); }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange& dx);
    // Returns TRUE when it handled the message, which is then not dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // After the window is gone; the object may delete itself here.
    virtual void PostNcDestroy() {}

    // The dialog of the window, or nullptr.
    static CDialog* FromHandle(HWND hWnd);
    // Offers the message to the dialog it is meant for, from its control up to
    // the top-level window, as the thread's message loops do.
    static BOOL WalkPreTranslateTree(MSG& msg);

protected:
    virtual std::span<const MessageMapEntry> GetMessageMap() const { return {}; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    HWND Make(UINT nIDTemplate, CWnd* pParentWnd);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bModal = false;
    bool m_bEndModal = false;
    INT_PTR m_nModalResult = -1;
};
