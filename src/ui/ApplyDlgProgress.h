#pragma once

#include "engine/Progress.h"

#include <windows.h>

// The progress display as the progress dialog's thread: one new thread per
// Start, driven by thread messages only.
class CApplyDlgProgress final : public IProgress {
public:
    void Start() override;
    void SetCaption(const char* pszText) override;
    void SetText(const char* pszText) override;
    void SetRange(int nLower, int nUpper) override;
    void SetPos(int nPos) override;
    void Close() override;

    DWORD ThreadId() const { return m_nThreadID; }

private:
    void Post(UINT message, WPARAM wParam, LPARAM lParam = 0) const;
    void PostText(UINT message, const char* pszText) const;

    DWORD m_nThreadID = 0;
};
