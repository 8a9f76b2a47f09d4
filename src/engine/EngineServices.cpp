#include "engine/EngineServices.h"

void EngineServices::BeginOperation(const char* pszCaption, int nUpper) const
{
    window.Enable(false);
    window.Show(false);
    progress.Start();
    progress.SetCaption(pszCaption);
    progress.SetRange(0, nUpper);
    progress.SetPos(0);
}

void EngineServices::EndOperation() const
{
    progress.Close();
    window.Enable(true);
    window.Show(true);
    window.Focus();
}
