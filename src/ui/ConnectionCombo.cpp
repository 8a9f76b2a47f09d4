#include "ui/ConnectionCombo.h"

#include "framework/ComboBox.h"
#include "net/NetworkInfo.h"

#include <optional>

void FillConnectionCombo(CComboBox& combo, const CNetworkInfo& networkInfo, const char* pszDefault)
{
    const unsigned nCount = networkInfo.GetAdapterCount();
    for (unsigned i = 0; i < nCount; ++i) {
        const char* pszName = networkInfo.GetConnectionName(i);
        combo.AddString(pszName ? pszName : "(unnamed connection)");
    }
    const std::optional<unsigned> nDefault = ConnectionNamed(networkInfo, pszDefault, NameMatch::Last);
    combo.SetCurSel(static_cast<int>(nDefault.value_or(0)));
}

bool SelectedConnection(const CComboBox& combo, const CNetworkInfo& networkInfo, unsigned& nConnection)
{
    const int nSelected = combo.GetCurSel();
    if (nSelected < 0 || static_cast<unsigned>(nSelected) >= networkInfo.GetAdapterCount())
        return false;
    nConnection = static_cast<unsigned>(nSelected);
    return true;
}

const char* SelectedConnectionName(const CComboBox& combo, const CNetworkInfo& networkInfo)
{
    unsigned i = 0;
    return SelectedConnection(combo, networkInfo, i) ? networkInfo.GetConnectionName(i) : nullptr;
}
