#pragma once

#include "fakes/Journal.h"
#include "platform/MessageBox.h"

#include <string>
#include <vector>

// Records each message and gives the answer queued for it (OK when none is).
class CFakeMessageBox final : public IMessageBox {
public:
    struct Shown {
        std::string text;
        unsigned flags;
    };

    explicit CFakeMessageBox(CJournal* pJournal = nullptr) : m_pJournal(pJournal) {}

    std::vector<Shown> shown;
    std::vector<int> answers;

    int Show(const char* pszText, unsigned flags) override
    {
        shown.push_back({pszText, flags});
        if (m_pJournal)
            m_pJournal->Add(std::string("message ") + pszText);
        if (answers.empty())
            return mb::kIdOk;
        const int answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }

private:
    CJournal* m_pJournal;
};
