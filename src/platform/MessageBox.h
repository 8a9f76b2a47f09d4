#pragma once

// Flags and answers with the values of the system's message box.
namespace mb {
constexpr unsigned kOk = 0x0;
constexpr unsigned kYesNo = 0x4;
constexpr unsigned kIconError = 0x10;
constexpr unsigned kIconQuestion = 0x20;
constexpr unsigned kIconWarning = 0x30;
constexpr unsigned kIconInformation = 0x40;
constexpr unsigned kDefaultButton2 = 0x100;
constexpr int kIdOk = 1;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
} // namespace mb

// Tells the user something, with the program's title; the text is UTF-8.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual int Show(const char* pszText, unsigned flags) = 0;
};
