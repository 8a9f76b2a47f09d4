#pragma once

// The progress display of one long operation, shown by a thread of its own
// so that it keeps painting while the caller waits. Start opens it, Close
// ends it; texts are copied, so the caller's may change at once.
class IProgress {
public:
    virtual ~IProgress() = default;
    virtual void Start() = 0;
    virtual void SetCaption(const char* pszText) = 0;
    virtual void SetText(const char* pszText) = 0;
    virtual void SetRange(int nLower, int nUpper) = 0;
    virtual void SetPos(int nPos) = 0;
    virtual void Close() = 0;
};
