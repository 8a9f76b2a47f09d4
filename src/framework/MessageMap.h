#pragma once

#include <windows.h>

class CDialog;

// One row of a dialog's message map. A row matches a command (WM_COMMAND
// with a control id and notification code), a notification (WM_NOTIFY with
// a control id and code) or any other message by its number alone.
struct MessageMapEntry {
    using CommandHandler = void (CDialog::*)();
    using NotifyHandler = void (CDialog::*)(NMHDR& header, LRESULT& result);
    // Returns whether it handled the message; result is what the message returns.
    using MessageHandler = bool (CDialog::*)(WPARAM wParam, LPARAM lParam, LRESULT& result);

    UINT message;
    UINT code;
    UINT id;
    CommandHandler onCommand;
    NotifyHandler onNotify;
    MessageHandler onMessage;
};

// Rows for a dialog class T, in the style of
//   static const MessageMapEntry kMessageMap[] = {
//       OnCommand(IDC_APPLY, BN_CLICKED, &CTolviDlg::OnApplyConfiguration), ...};
template <class T>
inline MessageMapEntry OnCommand(UINT id, UINT code, void (T::*handler)())
{
    return {WM_COMMAND, code, id, static_cast<MessageMapEntry::CommandHandler>(handler), nullptr, nullptr};
}

template <class T>
inline MessageMapEntry OnNotify(UINT id, UINT code, void (T::*handler)(NMHDR&, LRESULT&))
{
    return {WM_NOTIFY, code, id, nullptr, static_cast<MessageMapEntry::NotifyHandler>(handler), nullptr};
}

template <class T>
inline MessageMapEntry OnMessage(UINT message, bool (T::*handler)(WPARAM, LPARAM, LRESULT&))
{
    return {message, 0, 0, nullptr, nullptr, static_cast<MessageMapEntry::MessageHandler>(handler)};
}
