#include "service/PipeProgress.h"

void CPipeProgress::Start()
{
    Send(StepFrame(ReplyType::Start));
}

void CPipeProgress::SetCaption(const char* pszText)
{
    Send(StepFrame(ReplyType::Caption, pszText));
}

void CPipeProgress::SetText(const char* pszText)
{
    Send(StepFrame(ReplyType::Text, pszText));
}

void CPipeProgress::SetRange(int nLower, int nUpper)
{
    Send(StepFrame(ReplyType::Range, {}, nLower, nUpper));
}

void CPipeProgress::SetPos(int nPos)
{
    Send(StepFrame(ReplyType::Pos, {}, nPos));
}

void CPipeProgress::Close()
{
    Send(StepFrame(ReplyType::Close));
}

bool CPipeProgress::Send(const std::vector<std::uint8_t>& frame)
{
    m_bReachable = m_bReachable && m_client.Write(frame);
    return m_bReachable;
}
